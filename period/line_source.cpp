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

LineSource::LineSource(std::FILE* file) : file_(file), buffer_(size_t{1} << 16, '\0') {}

bool LineSource::refill() {
  position_ = 0;
  size_ = file_ == nullptr ? 0 : std::fread(buffer_.data(), 1, buffer_.size(), file_);
  if (size_ == 0 && file_ != nullptr && std::ferror(file_)) failed_ = true;
  ends_ = LineEndFinder(std::string_view(buffer_).substr(0, size_));
  return size_ > 0;
}

bool LineSource::nextPiece(std::string_view& piece) {
  if (position_ == size_ && !refill()) return false;
  piece = std::string_view(buffer_).substr(position_, size_ - position_);
  position_ = size_;
  return true;
}

bool LineSource::next(std::string_view& line, size_t& textLength) {
  carried_.clear();
  bool carrying = false;
  const std::string_view buffer(buffer_);
  for (;;) {
    if (position_ == size_ && !refill()) {
      line = carried_;
      textLength = carried_.size();
      return carrying && !carried_.empty();
    }
    const char* start = buffer_.data() + position_;
    const size_t rest = size_ - position_;
    const size_t endAt = ends_.endOfLine(position_) - position_;

    if (endAt == rest) {  // no line end in the buffer: carry the text over
      carried_.append(start, rest);
      carrying = true;
      position_ = size_;
      continue;
    }
    size_t length = endAt + 1;
    bool crAtBufferEnd = false;
    if (start[endAt] == '\r') {
      if (endAt + 1 < rest) {
        if (start[endAt + 1] == '\n') ++length;
      } else {
        crAtBufferEnd = true;
      }
    }
    const size_t text = (carrying ? carried_.size() : 0) + endAt;
    if (!carrying && !crAtBufferEnd) {
      line = buffer.substr(position_, length);
      position_ += length;
      textLength = text;
      return true;
    }
    carried_.append(start, length);
    position_ += length;
    // A CR at the end of the buffer: the LF that may follow it is in the next piece.
    if (crAtBufferEnd && (position_ < size_ || refill()) && buffer_[position_] == '\n') {
      carried_ += '\n';
      ++position_;
    }
    line = carried_;
    textLength = text;
    return true;
  }
}

}  // namespace period
