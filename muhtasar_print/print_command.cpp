#include "muhtasar_print/print_command.h"

#include <charconv>
#include <fstream>
#include <ostream>

#include "muhtasar_print/declaration_job.h"
#include "muhtasar_print/print_file.h"
#include "muhtasar_print/print_file_check.h"
#include "form/cp1254.h"
#include "form/form.h"
#include "period/history.h"
#include "period/path_text.h"
#include "print/print_file.h"

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

// The print file that version `number` of the history would have made.
PrintFile historyPrintFile(int number) {
  const std::vector<period::Version> versions = period::readHistory();
  if (number > int(versions.size())) {
    throw PrintFileError(std::string(period::kHistoryFile) + ": " + std::to_string(number) +
                         " numaralı sürüm yok (" + std::to_string(versions.size()) + " sürüm var).");
  }
  form::Form form;
  period::restoreVersion(form, versions[std::size_t(number - 1)]);
  return PrintFile{print::printLines(form)};
}

}  // namespace

PrintCommand parsePrintCommand(const std::vector<std::string>& arguments) {
  using Kind = PrintCommand::Kind;
  if (arguments.empty()) return {Kind::Preview, {}};
  if (arguments.size() == 1 && arguments[0] == "--version") return {Kind::Version, {}};
  if (arguments.size() == 1 && arguments[0] == "--check") return {Kind::Check, {}};
  if (arguments.size() == 1 && arguments[0] == "--history") return {Kind::History, {}};
  if (arguments.size() == 4 && arguments[0] == "--history") {
    PrintCommand command = parsePrintCommand({arguments[2], arguments[3]});
    const std::string& number = arguments[1];
    int version = 0;
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), version);
    if (error != std::errc() || end != number.data() + number.size() || version < 1 ||
        (command.kind != Kind::Job && command.kind != Kind::Pdf)) {
      return {};
    }
    command.historyVersion = version;
    return command;
  }
  if (arguments.size() != 2) return {};
  if (arguments[0] == "--job") return {Kind::Job, arguments[1]};
  if (arguments[0] == "--pdf") return {Kind::Pdf, arguments[1]};
  return {};
}

std::string usageText() {
  return "usage: muhtasar-print [--job JOBFILE | --pdf PDFFILE | --check | --version]\n"
         "       muhtasar-print --history [N --job JOBFILE | N --pdf PDFFILE]\n"
         "Prints the declaration in BORDMHT1.DAT of the current directory: opens a print\n"
         "preview, or writes pagette's print job or a PDF file and exits. --check lists\n"
         "what is wrong with the declaration. --history lists the earlier versions kept\n"
         "in muhtasar-gecmis.ini; with N it prints version N instead of the print file.\n";
}

int runWithoutWindow(const PrintCommand& command, const PdfWriter& writePdf,
                     std::ostream& errors) {
  DeclarationPrint print;
  std::string title;
  try {
    const PrintFile file =
        command.historyVersion > 0 ? historyPrintFile(command.historyVersion) : readPrintFile(kPrintFileName);
    print = declarationPrint(file);
    title = pdfTitle(file);
  } catch (const std::exception& failure) {
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

int runHistoryList(std::ostream& out, std::ostream& errors) {
  std::vector<period::Version> versions;
  try {
    versions = period::readHistory();
  } catch (const std::exception& failure) {
    errors << "muhtasar-print: " << period::kHistoryFile << ": " << failure.what() << '\n';
    return kExitFailed;
  }
  int number = 0;
  for (const period::Version& version : versions) {
    out << ++number << "  " << form::cp1254ToUtf8(version.periodKey) << "  " << version.moment
        << "  " << form::cp1254ToUtf8(version.reason) << '\n';
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
