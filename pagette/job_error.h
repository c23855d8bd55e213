#pragma once

#include <stdexcept>
#include <string>

namespace pagette {

// A failure that stops the run; the text is what the user is told.
class JobError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A failure caused by one field of the job file.
class RecordError : public JobError {
 public:
  RecordError(int line, int field, const std::string& reason)
      : JobError("line " + std::to_string(line) + ", field " + std::to_string(field) + ": " +
                 reason),
        line_(line),
        field_(field) {}
  int line() const { return line_; }
  int field() const { return field_; }

 private:
  int line_;
  int field_;
};

}  // namespace pagette
