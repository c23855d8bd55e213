#pragma once

#ifdef _WIN32
#include <cstdlib>
#endif

namespace testing_support {

// For tests whose case makes sense on one platform only: they skip, with the
// reason, on the other.
#ifdef _WIN32
inline constexpr bool kWindows = true;
#else
inline constexpr bool kWindows = false;
#endif

// Clears the system's code of the last failed call that the Windows run-time
// keeps beside errno; elsewhere there is none.
inline void forgetSystemErrorCode() {
#ifdef _WIN32
  _doserrno = 0;
#endif
}

}  // namespace testing_support
