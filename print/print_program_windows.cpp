// Starting a print program on Windows.
#include <windows.h>

#include <string>

#include "period/path_text.h"
#include "print/print_command.h"

namespace print {

std::string defaultPrintProgram() {
  return "\\vbmbord\\vbmexe\\vbmrun.exe";
}

std::string executableFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "";
  std::wstring wide(path, length);
  wide.erase(wide.find_last_of(L"\\/") + 1);
  return period::textOfPath(wide);
}

std::string ownPrintProgram() {
  const std::string folder = executableFolder();
  return folder.empty() ? "" : folder + "muhtasar-print.exe";
}

bool startPrintProgram(const std::string& program) {
  if (program.empty()) return false;
  // The payroll package's program is started by its bare path, not quoted; a
  // path with blanks (our own, in a folder of the user's choice) is quoted.
  std::wstring commandLine = period::pathOfText(program).wstring();
  if (commandLine.find(L' ') != std::wstring::npos) commandLine = L"\"" + commandLine + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace print
