#pragma once

#include <string>
#include <string_view>

namespace muhtasar_print::win32 {

// UTF-8, as the print program's texts and paths are held, and the W
// functions' UTF-16: every character, whatever code page Windows runs in.
std::wstring wideOf(std::string_view utf8);
std::string utf8Of(std::wstring_view wide);

// Text that a program wrote in UTF-8, or else in the system's code page.
std::wstring wideOfProgramOutput(std::string_view bytes);

}  // namespace muhtasar_print::win32
