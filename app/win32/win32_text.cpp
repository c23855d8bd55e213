#include "app/win32/win32_text.h"

#include "form/cp1254.h"

namespace app::win32 {

std::wstring wideFromCp1254(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (char byte : bytes) text += static_cast<wchar_t>(form::cp1254ToUnicode(static_cast<unsigned char>(byte)));
  return text;
}

std::string cp1254FromWide(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (wchar_t character : text) bytes += form::unicodeToCp1254(static_cast<char32_t>(character));
  return bytes;
}

std::wstring wideFromUtf8(std::string_view utf8) {
  return wideFromCp1254(form::utf8ToCp1254(utf8));
}

}  // namespace app::win32
