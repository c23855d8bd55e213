#pragma once

#include <stdexcept>
#include <string>

namespace period {

// An error that ends an operation; its message is exactly the text the user
// will see in the general error report.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The run-time's input/output message of an error code: "File not found" (2),
// "Invalid filename" (3), "Too many open files" (4), "File access denied" (5),
// "I/O error %d" otherwise.
std::string ioMessage(int code);

// The error code of a failed file operation that left this errno (platform
// file): on Windows the system's own code where the run-time kept it.
int ioCodeFromErrno(int errnoValue);

// The code that the Windows run-time gives an errno value.
int ioCodeOfErrnoValue(int errnoValue);

// Throws the Error for a failed file operation with this errno.
[[noreturn]] void throwIoError(int errnoValue);

}  // namespace period
