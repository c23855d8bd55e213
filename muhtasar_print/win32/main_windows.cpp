// muhtasar-print on Windows: the same print program as on Linux, over the
// Win32 API. It prints the declaration in the print file "BORDMHT1.DAT" of the
// current directory: a print preview, or with --job and --pdf the print job
// or a PDF file without a window. Messages go to standard error where that
// is a pipe or a file (a program started it), and otherwise into a box.
#include <windows.h>
#include <shellapi.h>

#include <sstream>
#include <string>
#include <vector>

#include "muhtasar_print/declaration_job.h"
#include "muhtasar_print/print_command.h"
#include "muhtasar_print/print_file_check.h"
#include "muhtasar_print/win32/paper_output_windows.h"
#include "muhtasar_print/win32/preview_window.h"
#include "muhtasar_print/win32/wide_text.h"

namespace {

using muhtasar_print::win32::wideOf;

bool redirected(DWORD handle) {
  HANDLE stream = GetStdHandle(handle);
  if (!stream || stream == INVALID_HANDLE_VALUE) return false;
  const DWORD type = GetFileType(stream);
  return type == FILE_TYPE_PIPE || type == FILE_TYPE_DISK;
}

void write(DWORD handle, const std::string& text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(handle), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// A message for whoever started the program: into the stream when it goes
// somewhere, else in a box with the icon, or nowhere without one.
void tell(DWORD handle, const std::string& text, UINT boxIcon) {
  if (text.empty()) return;
  if (redirected(handle)) {
    write(handle, text);
  } else if (boxIcon != 0) {
    MessageBoxW(nullptr, wideOf(text).c_str(), wideOf(muhtasar_print::kPreviewTitle).c_str(),
                MB_OK | boxIcon);
  }
}

std::vector<std::string> argumentsOfThisProcess() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> utf8;
  for (int i = 1; i < count; ++i) utf8.push_back(muhtasar_print::win32::utf8Of(arguments[i]));
  LocalFree(arguments);
  return utf8;
}

int showPreview(HINSTANCE instance, int show) {
  muhtasar_print::PrintFile file;
  try {
    file = muhtasar_print::readPrintFile(muhtasar_print::kPrintFileName);
  } catch (const muhtasar_print::PrintFileError& failure) {
    tell(STD_ERROR_HANDLE, std::string(failure.what()) + '\n', MB_ICONERROR);
    return muhtasar_print::kExitFailed;
  }
  muhtasar_print::DeclarationPrint print = muhtasar_print::declarationPrint(file);
  muhtasar_print::win32::PreviewWindow window(
      std::move(print.job), muhtasar_print::pdfFileName(file), muhtasar_print::pdfTitle(file),
      muhtasar_print::win32::programBesideThis(L"pagette.exe"),
      muhtasar_print::previewReports(file, print));
  if (!window.create(instance)) return muhtasar_print::kExitFailed;
  ShowWindow(window.window(), show);
  UpdateWindow(window.window());
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.takeKey(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  using Kind = muhtasar_print::PrintCommand::Kind;
  const muhtasar_print::PrintCommand command =
      muhtasar_print::parsePrintCommand(argumentsOfThisProcess());
  switch (command.kind) {
    case Kind::Preview:
      return showPreview(instance, show);
    case Kind::Version:
      tell(STD_OUTPUT_HANDLE, "muhtasar-print " MUHTASAR_VERSION "\n", MB_ICONINFORMATION);
      return 0;
    case Kind::Usage:
      tell(STD_ERROR_HANDLE, muhtasar_print::usageText(), MB_ICONERROR);
      return muhtasar_print::kExitUsage;
    case Kind::Check: {
      std::ostringstream findings, errors;
      const int status = muhtasar_print::runCheck(findings, errors);
      tell(STD_OUTPUT_HANDLE, findings.str(), status == 0 ? MB_ICONINFORMATION : MB_ICONWARNING);
      tell(STD_ERROR_HANDLE, errors.str(), MB_ICONERROR);
      return status;
    }
    case Kind::History: {
      std::ostringstream versions, errors;
      const int status = muhtasar_print::runHistoryList(versions, errors);
      tell(STD_OUTPUT_HANDLE, versions.str(), MB_ICONINFORMATION);
      tell(STD_ERROR_HANDLE, errors.str(), MB_ICONERROR);
      return status;
    }
    case Kind::Job:
    case Kind::Pdf:
      break;
  }
  std::ostringstream errors;
  const int status =
      muhtasar_print::runWithoutWindow(command, muhtasar_print::win32::writePdf, errors);
  // What the paper says differently from the file is only worth a box when
  // something failed.
  tell(STD_ERROR_HANDLE, errors.str(), status != 0 ? MB_ICONERROR : 0);
  return status;
}
