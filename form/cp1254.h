#pragma once

#include <string>
#include <string_view>

namespace form {

// Code page 1254 (Windows Turkish), complete: every byte maps to one character
// and back. Positions the code page leaves unassigned map to the control
// character of the same number.
char16_t cp1254ToUnicode(unsigned char byte);
// The byte of a character; '?' when the code page has no place for it.
char unicodeToCp1254(char32_t character);

std::string utf8ToCp1254(std::string_view utf8);
std::string cp1254ToUtf8(std::string_view bytes);

}  // namespace form
