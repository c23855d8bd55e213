#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace period {

// Finds where the lines of a text end (the first CR or LF from a position).
// It remembers the next LF, so that a text whose lines end with a lone CR is
// still scanned only once.
class LineEndFinder {
 public:
  explicit LineEndFinder(std::string_view text = {}) : text_(text) {}
  // The position of the first CR or LF at or after position, or the text's size.
  size_t endOfLine(size_t position);

 private:
  std::string_view text_;
  size_t nextLf_ = 0;
  bool lfKnown_ = false;
};

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
  LineEndFinder ends_;
  std::string carried_;  // a line that runs across the end of the buffer
  bool failed_ = false;
};

}  // namespace period
