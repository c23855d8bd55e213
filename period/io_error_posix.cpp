#include "period/io_error.h"

namespace period {

// errno is all that POSIX tells of a failure.
int ioCodeFromErrno(int errnoValue) { return ioCodeOfErrnoValue(errnoValue); }

}  // namespace period
