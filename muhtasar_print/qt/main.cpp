// muhtasar-print: prints the declaration that muhtasar leaves in the print
// file "BORDMHT1.DAT" of the current directory, where the payroll package's
// print program is not installed. It opens a print preview; --job and --pdf
// write the print job or a PDF file without a window.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "muhtasar_print/declaration_job.h"
#include "muhtasar_print/qt/paper_output.h"
#include "muhtasar_print/qt/preview_window.h"
#include "muhtasar_print/print_command.h"
#include "muhtasar_print/print_file_check.h"

namespace {

void useOffscreenPlatformWithoutDisplay() {
#if defined(__unix__) && !defined(__APPLE__)
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
#endif
}

int showPreview(int argc, char** argv) {
  QApplication application(argc, argv);
  const QString title = QString::fromUtf8(muhtasar_print::kPreviewTitle);
  muhtasar_print::PrintFile file;
  try {
    file = muhtasar_print::readPrintFile(muhtasar_print::kPrintFileName);
  } catch (const muhtasar_print::PrintFileError& failure) {
    QMessageBox::critical(nullptr, title, QString::fromUtf8(failure.what()));
    return muhtasar_print::kExitFailed;
  }
  muhtasar_print::DeclarationPrint print = muhtasar_print::declarationPrint(file);
  muhtasar_print::PreviewWindow window(
      std::move(print.job), QString::fromUtf8(muhtasar_print::pdfFileName(file)),
      QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("pagette")),
      muhtasar_print::previewReports(file, print));
  window.show();
  return application.exec();
}

}  // namespace

int main(int argc, char** argv) {
  using Kind = muhtasar_print::PrintCommand::Kind;
  const muhtasar_print::PrintCommand command =
      muhtasar_print::parsePrintCommand(std::vector<std::string>(argv + 1, argv + argc));
  switch (command.kind) {
    case Kind::Preview:
      return showPreview(argc, argv);
    case Kind::Version:
      std::cout << "muhtasar-print " << MUHTASAR_VERSION << '\n';
      return 0;
    case Kind::Usage:
      std::cerr << muhtasar_print::usageText();
      return muhtasar_print::kExitUsage;
    case Kind::Check:
      return muhtasar_print::runCheck(std::cout, std::cerr);
    case Kind::History:
      return muhtasar_print::runHistoryList(std::cout, std::cerr);
    case Kind::Job:
    case Kind::Pdf:
      break;
  }
  // Qt sees the program name only; the options are ours. The application
  // exists only for a PDF, which needs Qt's platform.
  int qtArgc = 1;
  std::unique_ptr<QGuiApplication> application;
  const auto writePdf = [&](const std::string& job, const std::string& title,
                            const std::string& path) {
    useOffscreenPlatformWithoutDisplay();
    application = std::make_unique<QGuiApplication>(qtArgc, argv);
    muhtasar_print::writePdf(job, QString::fromLocal8Bit(path), QString::fromStdString(title));
  };
  return muhtasar_print::runWithoutWindow(command, writePdf, std::cerr);
}
