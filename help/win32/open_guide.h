#pragma once
// F1 in the Win32 faces: the guide beside this program, opened by the
// system's own handler for HTML files.

#include <functional>
#include <string>

namespace help {

// Empty when the shell took the guide; else what to tell the user.
std::string openGuide();

// What opens a file; the shell's ShellExecuteW unless a test puts its own.
using GuideOpener = std::function<bool(const std::wstring& path)>;
void setGuideOpener(GuideOpener opener);

}  // namespace help
