#pragma once

#include <QString>
#include <string>

namespace muhtasar_print {

// Writes the job as a PDF file through pagette's Qt printer, under its title,
// its sheets exactly A4. Throws when the file cannot be written.
void writePdf(const std::string& job, const QString& path, const QString& title);

// Empty where the system has a default printer; otherwise why printing is not
// possible, for the user. Without a print server the preview still shows the
// pages and the PDF file can still be written.
QString noPrinterReason();

// Writes the job to a new file in the temporary folder and has pagette print
// it; waits for pagette. Returns an empty text when the job was printed, else
// what went wrong, UTF-8, naming the job file that is then kept.
QString printWithPagette(const std::string& job, const QString& pagetteProgram);

}  // namespace muhtasar_print
