#include "period/line_source.h"

#include <cstring>

namespace period {

size_t LineEndFinder::endOfLine(size_t position) {
  if (!lfKnown_ || nextLf_ < position) {
    const void* lf = std::memchr(text_.data() + position, '\n', text_.size() - position);
    nextLf_ = lf != nullptr ? static_cast<size_t>(static_cast<const char*>(lf) - text_.data())
                            : text_.size();
    lfKnown_ = true;
  }
  const void* cr = std::memchr(text_.data() + position, '\r', nextLf_ - position);
  return cr != nullptr ? static_cast<size_t>(static_cast<const char*>(cr) - text_.data()) : nextLf_;
}

}  // namespace period
