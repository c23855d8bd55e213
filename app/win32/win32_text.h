#pragma once

#include <string>
#include <string_view>

namespace app::win32 {

// The window's texts cross to the W functions through our own code page 1254
// table, whatever code page Windows runs in.
std::wstring wideFromCp1254(std::string_view bytes);
std::string cp1254FromWide(std::wstring_view text);
// The catalogue's captions and the window's texts are UTF-8 of the code page's letters.
std::wstring wideFromUtf8(std::string_view utf8);

}  // namespace app::win32
