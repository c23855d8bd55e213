#include <windows.h>

#include <cerrno>
#include <cstdlib>

#include "period/io_error.h"

namespace period {
namespace {

// The errno that the C run-time derives from a system error code. errno folds
// several codes into one (a missing folder and a missing file both give
// ENOENT); the code itself tells them apart, as the users' messages do.
int errnoOfSystemCode(unsigned long code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NO_MORE_FILES:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
      return ENOENT;
    case ERROR_TOO_MANY_OPEN_FILES:
      return EMFILE;
    case ERROR_ACCESS_DENIED:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_CANNOT_MAKE:
    case ERROR_CURRENT_DIRECTORY:
    case ERROR_FAIL_I24:
    case ERROR_SEEK_ON_DEVICE:
    case ERROR_LOCK_FAILED:
      return EACCES;
    case ERROR_DISK_FULL:
      return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    default:
      break;
  }
  // Write protection, sharing and lock violations and the like.
  if (code >= ERROR_WRITE_PROTECT && code <= ERROR_SHARING_BUFFER_EXCEEDED) return EACCES;
  return EINVAL;
}

}  // namespace

// The run-time keeps the system's code of the last failed call in _doserrno.
// It is used only when it is the failure that gave this errno: a failure of
// the run-time's own, or one that left errno alone, would find an older code.
int ioCodeFromErrno(int errnoValue) {
  const unsigned long systemCode = _doserrno;
  if (systemCode != 0 && errnoOfSystemCode(systemCode) == errnoValue) {
    return static_cast<int>(systemCode);
  }
  return ioCodeOfErrnoValue(errnoValue);
}

}  // namespace period
