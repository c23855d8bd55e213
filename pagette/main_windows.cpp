// pagette on Windows: the same run as on Linux, printing through GDI on the
// default printer. It has no window: a failure is written to standard error
// where that is a pipe or a file (a program started it), and otherwise shown
// in a message box (a person did).
#include <windows.h>

#include <sstream>
#include <string>

#include "gdi_printer.h"
#include "print_job.h"
#include "process_start.h"

namespace {

std::wstring wideOf(const std::string& text) {
  // Messages are UTF-8; a path in them may come in the system's code page.
  UINT codePage = CP_UTF8;
  int size = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(),
                                 static_cast<int>(text.size()), nullptr, 0);
  if (size == 0) {
    codePage = CP_ACP;
    size = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  }
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

void tell(const std::string& message) {
  HANDLE errors = GetStdHandle(STD_ERROR_HANDLE);
  const DWORD type =
      errors && errors != INVALID_HANDLE_VALUE ? GetFileType(errors) : FILE_TYPE_UNKNOWN;
  if (type == FILE_TYPE_PIPE || type == FILE_TYPE_DISK) {
    DWORD written = 0;
    WriteFile(errors, message.data(), static_cast<DWORD>(message.size()), &written, nullptr);
    return;
  }
  MessageBoxW(nullptr, wideOf(message).c_str(), L"pagette", MB_OK | MB_ICONERROR);
}

// The print queue shows the job under its file's name.
std::wstring documentNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return wideOf(slash == std::string::npos ? path : path.substr(slash + 1));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  pagette::prepareProcess();
  const std::string jobPath = pagette::jobPathOfThisProcess(0, nullptr);
  std::ostringstream errors;
  const int status = pagette::runPagetteOnJob(
      jobPath,
      [](const std::string& path) {
        return pagette::GdiPrinter::openDefault(documentNameOf(path));
      },
      errors);
  if (!errors.str().empty()) tell(errors.str());
  return status;
}
