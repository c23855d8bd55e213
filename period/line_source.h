#pragma once

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

}  // namespace period
