// muhtasar-print: prints the declaration that muhtasar leaves in the print
// file "BORDMHT1.DAT" of the current directory, where the payroll package's
// print program is not installed. It opens a print preview; --job and --pdf
// write the print job or a PDF file without a window.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "muhtasar_print/declaration_job.h"
#include "muhtasar_print/paper_output.h"
#include "muhtasar_print/preview_window.h"

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

void useOffscreenPlatformWithoutDisplay() {
#if defined(__unix__) && !defined(__APPLE__)
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
#endif
}

int usage() {
  std::cerr << "usage: muhtasar-print [--job JOBFILE | --pdf PDFFILE | --version]\n"
               "Prints the declaration in BORDMHT1.DAT of the current directory: opens a print\n"
               "preview, or writes pagette's print job or a PDF file and exits.\n";
  return kExitUsage;
}

int writeJobFile(const std::string& job, const char* path) {
  std::ofstream out(path, std::ios::binary);
  out.write(job.data(), static_cast<std::streamsize>(job.size()));
  out.close();
  if (!out) {
    std::cerr << "muhtasar-print: " << path << ": the print job file cannot be written\n";
    return kExitFailed;
  }
  return 0;
}

int writePdfFile(int argc, char** argv, const std::string& job, const std::string& title,
                 const char* path) {
  useOffscreenPlatformWithoutDisplay();
  QGuiApplication application(argc, argv);
  try {
    muhtasar_print::writePdf(job, QString::fromLocal8Bit(path), QString::fromStdString(title));
  } catch (const std::exception& failure) {
    std::cerr << "muhtasar-print: " << path << ": " << failure.what() << '\n';
    return kExitFailed;
  }
  return 0;
}

int showPreview(int argc, char** argv) {
  QApplication application(argc, argv);
  const QString title = QString::fromUtf8(muhtasar_print::kPreviewTitle);
  muhtasar_print::PrintFile file;
  try {
    file = muhtasar_print::readPrintFile(muhtasar_print::kPrintFileName);
  } catch (const muhtasar_print::PrintFileError& failure) {
    QMessageBox::critical(nullptr, title, QString::fromUtf8(failure.what()));
    return kExitFailed;
  }
  muhtasar_print::DeclarationPrint print = muhtasar_print::declarationPrint(file);
  muhtasar_print::PreviewWindow window(
      std::move(print.job), QString::fromUtf8(muhtasar_print::pdfFileName(file)),
      QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("pagette")),
      print.reports);
  window.show();
  return application.exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 1) return showPreview(argc, argv);
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << "muhtasar-print " << MUHTASAR_VERSION << '\n';
    return 0;
  }
  if (argc != 3) return usage();
  const bool job = std::strcmp(argv[1], "--job") == 0;
  const bool pdf = std::strcmp(argv[1], "--pdf") == 0;
  if (!job && !pdf) return usage();
  muhtasar_print::DeclarationPrint print;
  std::string title;
  try {
    const muhtasar_print::PrintFile file =
        muhtasar_print::readPrintFile(muhtasar_print::kPrintFileName);
    print = muhtasar_print::declarationPrint(file);
    title = muhtasar_print::pdfTitle(file);
  } catch (const muhtasar_print::PrintFileError& failure) {
    std::cerr << "muhtasar-print: " << failure.what() << '\n';
    return kExitFailed;
  }
  // What the paper says differently from the file, for whoever reads it.
  for (const std::string& report : print.reports) std::cerr << "muhtasar-print: " << report << '\n';
  // Qt sees the program name only; the options are ours.
  int qtArgc = 1;
  return job ? writeJobFile(print.job, argv[2])
             : writePdfFile(qtArgc, argv, print.job, title, argv[2]);
}
