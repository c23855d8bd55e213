#include "help/win32/open_guide.h"

#include <windows.h>
#include <shellapi.h>

#include "help/user_guide.h"

namespace help {
namespace {

bool shellOpen(const std::wstring& path) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

GuideOpener& opener() {
  static GuideOpener open = shellOpen;
  return open;
}

std::filesystem::path programFolder() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), DWORD(path.size())));
  return std::filesystem::path(path).parent_path();
}

}  // namespace

std::string openGuide() {
  const std::filesystem::path folder = programFolder();
  const std::filesystem::path guide = findGuide(folder);
  if (guide.empty()) return guideMissing(folder);
  return opener()(guide.wstring()) ? std::string() : guideNotOpened(guide);
}

void setGuideOpener(GuideOpener open) {
  opener() = open ? std::move(open) : GuideOpener(shellOpen);
}

}  // namespace help
