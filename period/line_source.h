#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace period {

// Reads a profile file line by line in pieces of a fixed size, so that a store
// of any size passes through a small buffer. A line ends at LF, CR LF or a
// lone CR; each line comes with its line end, exactly as the file holds it.
class LineSource {
 public:
  explicit LineSource(std::FILE* file);

  // The next line with its end, valid until the next call; false at the end
  // of the file. Throws nothing: a read error ends the lines, and failed()
  // tells it.
  bool next(std::string_view& line, size_t& textLength);
  bool failed() const { return failed_; }
  // The bytes after the last line handed out, piece by piece, when they need
  // no reading as lines; false at the end of the file.
  bool nextPiece(std::string_view& piece);

 private:
  bool refill();

  std::FILE* file_;
  std::string buffer_;
  size_t position_ = 0;
  size_t size_ = 0;
  std::string carried_;  // a line that runs across the end of the buffer
  bool failed_ = false;
};

}  // namespace period
