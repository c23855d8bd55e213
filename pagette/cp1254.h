#pragma once

#include <string>
#include <string_view>

namespace pagette {

// Windows code page 1254 (Turkish). The few unassigned bytes stand for the
// control character of the same number, so every byte has a character.
char16_t unicodeFromCp1254(unsigned char byte);
std::u16string decodeCp1254(std::string_view bytes);

}  // namespace pagette
