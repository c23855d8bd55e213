#pragma once

namespace testing_support {

// For tests whose case makes sense on one platform only: they skip, with the
// reason, on the other.
#ifdef _WIN32
inline constexpr bool kWindows = true;
#else
inline constexpr bool kWindows = false;
#endif

}  // namespace testing_support
