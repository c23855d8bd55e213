#pragma once

#include <string>

namespace muhtasar_print::win32 {

// The system's own PDF printer, which writes a document into a file.
inline constexpr const wchar_t* kPdfPrinterName = L"Microsoft Print to PDF";

bool hasDefaultPrinter();
bool hasPdfPrinter();
// Why no PDF can be written here, for the user.
std::string pdfPrinterMissing();

// Writes the job into a PDF file (a UTF-8 path) through the system's PDF
// printer, under its title. Throws std::exception saying why it could not.
void writePdf(const std::string& job, const std::string& title, const std::string& path);

// A program that is installed beside this one.
std::wstring programBesideThis(const wchar_t* fileName);

// Writes the job to a new file in the temporary folder and has pagette print
// it, waiting for it. Empty when the job was printed; else what went wrong,
// UTF-8, naming the job file that is then kept.
std::string printWithPagette(const std::string& job, const std::wstring& pagetteProgram);

}  // namespace muhtasar_print::win32
