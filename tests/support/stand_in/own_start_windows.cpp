#include <windows.h>

#include "own_start.h"

std::filesystem::path ownFolder(char**) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(std::wstring(path, length)).parent_path();
}

std::string ownCommandLine(int, char**) {
  return GetCommandLineA();
}
