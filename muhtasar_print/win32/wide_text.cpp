#include "muhtasar_print/win32/wide_text.h"

#include <windows.h>

namespace muhtasar_print::win32 {
namespace {

std::wstring wideIn(UINT codePage, DWORD flags, std::string_view bytes) {
  const int size =
      MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
  if (size > 0) {
    MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                        size);
  }
  return wide;
}

}  // namespace

std::wstring wideOf(std::string_view utf8) { return wideIn(CP_UTF8, 0, utf8); }

std::string utf8Of(std::wstring_view wide) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) {
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size,
                        nullptr, nullptr);
  }
  return utf8;
}

std::wstring wideOfProgramOutput(std::string_view bytes) {
  if (bytes.empty()) return {};
  std::wstring wide = wideIn(CP_UTF8, MB_ERR_INVALID_CHARS, bytes);
  return wide.empty() ? wideIn(CP_ACP, 0, bytes) : wide;
}

}  // namespace muhtasar_print::win32
