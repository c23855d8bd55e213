#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace muhtasar_print {

inline constexpr const char* kPreviewTitle = "Muhtasar Beyanname - Baskı Önizleme";

inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
// --check: the declaration has errors (1), or the file cannot be checked (2).
inline constexpr int kExitHasErrors = 1;
inline constexpr int kExitNotChecked = 2;

// What the print program was asked to do on its command line.
struct PrintCommand {
  enum class Kind { Preview, Version, Job, Pdf, Check, History, Usage };
  Kind kind = Kind::Usage;
  std::string path;  // the output file of --job and --pdf, as given
  // --history N: the job or PDF of the history's version N (from 1, as
  // --history lists them) instead of the print file's.
  int historyVersion = 0;
};

// The arguments after the program's name.
PrintCommand parsePrintCommand(const std::vector<std::string>& arguments);

std::string usageText();

// Writes a PDF file of the job under its title, or throws std::exception
// saying why not: each system has its own PDF printer.
using PdfWriter = std::function<void(const std::string& job, const std::string& title,
                                     const std::string& path)>;

// --job and --pdf: reads the print file of the current directory, writes the
// job or the PDF, and tells on `errors` what the paper says differently from
// the file and what failed. Returns the exit status.
int runWithoutWindow(const PrintCommand& command, const PdfWriter& writePdf,
                     std::ostream& errors);

// --check: reads the print file of the current directory and writes the
// findings of the declaration's check to `out`, one a line. Returns 0 without
// an error ("Hata"), kExitHasErrors with one, kExitNotChecked with the reason
// on `errors` where the file cannot be read or is refused.
int runCheck(std::ostream& out, std::ostream& errors);

// --history: lists the versions in the history of the current directory, one
// a line: number, period key, moment, reason. Returns the exit status.
int runHistoryList(std::ostream& out, std::ostream& errors);

// Why the preview cannot print where the system has no default printer.
std::string noPrinterText();

// Why printing with pagette failed, for the user: pagette's own words where
// it said any, and the job file that is kept for whoever looks into it.
std::string pagetteFailure(const std::string& pagetteOutput, bool started, int exitStatus,
                           const std::string& pagetteProgram, const std::string& jobPath);

std::string jobFileNotWritten(const std::string& reason);

}  // namespace muhtasar_print
