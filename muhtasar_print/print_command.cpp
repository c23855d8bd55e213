#include "muhtasar_print/print_command.h"

#include <fstream>
#include <ostream>

#include "muhtasar_print/declaration_job.h"
#include "muhtasar_print/print_file.h"
#include "muhtasar_print/print_file_check.h"
#include "period/path_text.h"

namespace muhtasar_print {
namespace {

int writeJobFile(const std::string& job, const std::string& path, std::ostream& errors) {
  std::ofstream out(period::pathOfText(path), std::ios::binary);
  out.write(job.data(), static_cast<std::streamsize>(job.size()));
  out.close();
  if (!out) {
    errors << "muhtasar-print: " << path << ": the print job file cannot be written\n";
    return kExitFailed;
  }
  return 0;
}

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

PrintCommand parsePrintCommand(const std::vector<std::string>& arguments) {
  using Kind = PrintCommand::Kind;
  if (arguments.empty()) return {Kind::Preview, {}};
  if (arguments.size() == 1 && arguments[0] == "--version") return {Kind::Version, {}};
  if (arguments.size() == 1 && arguments[0] == "--check") return {Kind::Check, {}};
  if (arguments.size() != 2) return {};
  if (arguments[0] == "--job") return {Kind::Job, arguments[1]};
  if (arguments[0] == "--pdf") return {Kind::Pdf, arguments[1]};
  return {};
}

std::string usageText() {
  return "usage: muhtasar-print [--job JOBFILE | --pdf PDFFILE | --check | --version]\n"
         "Prints the declaration in BORDMHT1.DAT of the current directory: opens a print\n"
         "preview, or writes pagette's print job or a PDF file and exits. --check lists\n"
         "what is wrong with the declaration.\n";
}

int runWithoutWindow(const PrintCommand& command, const PdfWriter& writePdf,
                     std::ostream& errors) {
  DeclarationPrint print;
  std::string title;
  try {
    const PrintFile file = readPrintFile(kPrintFileName);
    print = declarationPrint(file);
    title = pdfTitle(file);
  } catch (const PrintFileError& failure) {
    errors << "muhtasar-print: " << failure.what() << '\n';
    return kExitFailed;
  }
  // What the paper says differently from the file, for whoever reads it.
  for (const std::string& report : print.reports) errors << "muhtasar-print: " << report << '\n';
  if (command.kind == PrintCommand::Kind::Job) return writeJobFile(print.job, command.path, errors);
  try {
    writePdf(print.job, title, command.path);
  } catch (const std::exception& failure) {
    errors << "muhtasar-print: " << command.path << ": " << failure.what() << '\n';
    return kExitFailed;
  }
  return 0;
}

int runCheck(std::ostream& out, std::ostream& errors) {
  std::vector<std::string> lines;
  try {
    lines = checkLines(readPrintFile(kPrintFileName));
  } catch (const PrintFileError& failure) {
    errors << "muhtasar-print: " << failure.what() << '\n';
    return kExitNotChecked;
  }
  bool hasErrors = false;
  for (const std::string& line : lines) {
    out << line << '\n';
    hasErrors = hasErrors || line.rfind("Hata: ", 0) == 0;
  }
  return hasErrors ? kExitHasErrors : 0;
}

std::string noPrinterText() {
  return "Kullanılabilir yazıcı yok: beyanname yazdırılamıyor. Yazıcıyı (veya yazdırma hizmetini) "
         "kontrol edin; beyanname \"PDF Olarak Kaydet\" ile PDF dosyası olarak kaydedilebilir.";
}

std::string pagetteFailure(const std::string& pagetteOutput, bool started, int exitStatus,
                           const std::string& pagetteProgram, const std::string& jobPath) {
  std::string reason = trimmed(pagetteOutput);
  if (reason.empty()) {
    reason = started ? "pagette " + std::to_string(exitStatus) + " durumuyla bitti."
                     : pagetteProgram + " başlatılamadı.";
  }
  reason.append("\n\nYazdırma işi dosyası saklandı: ").append(jobPath);
  return reason;
}

std::string jobFileNotWritten(const std::string& reason) {
  return std::string("Yazdırma işi dosyası yazılamadı: ").append(reason);
}

}  // namespace muhtasar_print
