#include "period/payroll_summary.h"

#include <cerrno>

#include "period/file_replace.h"
#include "period/io_error.h"

namespace period {
namespace {

constexpr size_t kBufferSize = 64 * 1024;
constexpr char kEndOfFile = 26;

}  // namespace

PayrollSummaryReader::PayrollSummaryReader(const std::string& path) : buffer_(kBufferSize, '\0') {
  errno = 0;
  // A pipe or device of that name is refused at once rather than waited on.
  file_ = openRegularFileForReading(path);
  if (file_ == nullptr) throwIoError(errno != 0 ? errno : ENOENT);
}

PayrollSummaryReader::~PayrollSummaryReader() {
  if (file_ != nullptr) std::fclose(file_);
}

bool PayrollSummaryReader::refill() {
  if (ended_) return false;
  errno = 0;
  size_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  position_ = 0;
  if (size_ == 0) {
    if (std::ferror(file_)) throwIoError(errno != 0 ? errno : EIO);
    ended_ = true;
    return false;
  }
  return true;
}

std::string PayrollSummaryReader::readLine() {
  std::string line;
  for (;;) {
    if (position_ == size_ && !refill()) return line;
    const size_t start = position_;
    while (position_ < size_) {
      const char c = buffer_[position_];
      if (c == '\n' || c == '\r' || c == kEndOfFile) break;
      ++position_;
    }
    line.append(buffer_, start, position_ - start);
    if (position_ == size_) continue;

    const char c = buffer_[position_++];
    if (c == '\n') return line;
    if (c == kEndOfFile) {
      ended_ = true;
      position_ = size_ = 0;
      return line;
    }
    // A CR ends the line only together with the LF that follows it.
    if (position_ == size_ && !refill()) return line;
    if (buffer_[position_] == '\n') {
      ++position_;
      return line;
    }
  }
}

}  // namespace period
