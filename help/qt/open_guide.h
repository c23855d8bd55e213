#pragma once
// F1 in the Qt faces: the guide beside this program, opened by the desktop's
// own handler at a section.

#include <string>

namespace help {

// Empty when the desktop took the guide; else what to tell the user.
std::string openGuide(const char* section);

}  // namespace help
