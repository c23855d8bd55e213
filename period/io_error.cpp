#include "period/io_error.h"

#include <cerrno>

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

// The error codes of the Windows run-time, whose messages the users know.
int ioCodeOfErrnoValue(int errnoValue) {
  switch (errnoValue) {
    case ENOENT: return 2;
    case ENOTDIR:
    case ENAMETOOLONG: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return 5;
    case ENOSPC: return 112;
    // The errno of a device failure has the number that the run-time uses for
    // "File access denied"; it takes the run-time's own code of a failing device.
    case EIO: return 31;
    default: return errnoValue;
  }
}

void throwIoError(int errnoValue) { throw Error(ioMessage(ioCodeFromErrno(errnoValue))); }

}  // namespace period
