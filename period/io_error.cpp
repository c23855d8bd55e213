#include "period/io_error.h"

namespace period {

std::string ioMessage(int code) {
  switch (code) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    default: return "I/O error " + std::to_string(code);
  }
}

void throwIoError(int errnoValue) { throw Error(ioMessage(ioCodeFromErrno(errnoValue))); }

}  // namespace period
