#include "muhtasar_print/win32/paper_output_windows.h"

#include <windows.h>

#include <stdexcept>
#include <vector>

#include "gdi_printer.h"
#include "muhtasar_print/job_drawing.h"
#include "muhtasar_print/print_command.h"
#include "muhtasar_print/win32/wide_text.h"

namespace muhtasar_print::win32 {
namespace {

std::string windowsError(DWORD code) {
  return "Windows hatası " + std::to_string(code);
}

// The temporary folder in its short form: pagette takes its job's path up
// to the first blank, and a user's folder may have blanks or letters outside
// the system's code page; short names have neither.
std::wstring temporaryFolder() {
  std::wstring folder(MAX_PATH + 1, L'\0');
  folder.resize(GetTempPathW(static_cast<DWORD>(folder.size()), folder.data()));
  std::wstring shortForm(MAX_PATH + 1, L'\0');
  const DWORD length =
      GetShortPathNameW(folder.c_str(), shortForm.data(), static_cast<DWORD>(shortForm.size()));
  if (length == 0 || length > shortForm.size()) return folder;
  shortForm.resize(length);
  return shortForm;
}

// Reads what a child writes until it closes its end.
std::string readAll(HANDLE pipe) {
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  return bytes;
}

struct Finished {
  bool started = false;
  DWORD exitStatus = 0;
  std::string output;
};

// Runs the program on the job file with its standard error in a pipe, so
// that pagette tells its failure there and not in a box of its own.
Finished runOn(const std::wstring& program, const std::wstring& jobPath) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  Finished result;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return result;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  std::wstring commandLine = L"\"" + program + L"\" " + jobPath;
  PROCESS_INFORMATION process{};
  result.started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                  CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
  CloseHandle(writeEnd);
  if (result.started) {
    result.output = readAll(readEnd);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &result.exitStatus);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(readEnd);
  return result;
}

}  // namespace

bool hasDefaultPrinter() {
  DWORD length = 0;
  GetDefaultPrinterW(nullptr, &length);
  return length > 0;
}

bool hasPdfPrinter() { return pagette::GdiPrinter::printerExists(kPdfPrinterName); }

std::string pdfPrinterMissing() {
  return "Bu bilgisayarda \"Microsoft Print to PDF\" yazıcısı yok: beyanname PDF olarak "
         "kaydedilemiyor. Yazıcı, Windows özelliklerinden (\"Microsoft PDF'ye Yazdır\") "
         "açılabilir.";
}

void writePdf(const std::string& job, const std::string& title, const std::string& path) {
  if (!hasPdfPrinter()) throw std::runtime_error(pdfPrinterMissing());
  std::unique_ptr<pagette::GdiPrinter> printer =
      pagette::GdiPrinter::openNamed(kPdfPrinterName, wideOf(title), wideOf(path));
  drawJob(job, *printer);
}

std::wstring programBesideThis(const wchar_t* fileName) {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  path.erase(path.find_last_of(L"\\/") + 1);
  return path + fileName;
}

std::string printWithPagette(const std::string& job, const std::wstring& pagetteProgram) {
  // pagette deletes the job file once it has printed it; a failed job stays
  // for whoever looks into the failure.
  std::wstring jobPath(MAX_PATH + 1, L'\0');
  if (!GetTempFileNameW(temporaryFolder().c_str(), L"mhp", 0, jobPath.data())) {
    return jobFileNotWritten(windowsError(GetLastError()));
  }
  jobPath.resize(jobPath.find(L'\0'));
  HANDLE file = CreateFileW(jobPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const bool saved = file != INVALID_HANDLE_VALUE &&
                     WriteFile(file, job.data(), static_cast<DWORD>(job.size()), &written,
                               nullptr) &&
                     written == job.size();
  const DWORD failure = GetLastError();
  const bool closed = file != INVALID_HANDLE_VALUE && CloseHandle(file);
  if (!saved || !closed) {
    DeleteFileW(jobPath.c_str());
    return jobFileNotWritten(windowsError(failure));
  }
  const Finished pagette = runOn(pagetteProgram, jobPath);
  if (pagette.started && pagette.exitStatus == 0) return {};
  return pagetteFailure(utf8Of(wideOfProgramOutput(pagette.output)), pagette.started,
                        static_cast<int>(pagette.exitStatus), utf8Of(pagetteProgram),
                        utf8Of(jobPath));
}

}  // namespace muhtasar_print::win32
