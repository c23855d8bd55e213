#include <QFileInfo>
#include <QGuiApplication>
#include <QtGlobal>
#include <iostream>
#include <string>

#include "print_job.h"
#include "process_start.h"
#include "qt_printer.h"

namespace {

// pagette has no window, but Qt needs a platform for fonts and printing: where
// no display exists, the one that needs none.
void useOffscreenPlatformWithoutDisplay() {
#if defined(__unix__) && !defined(__APPLE__)
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
#endif
}

}  // namespace

int main(int argc, char** argv) {
  pagette::prepareProcess();
  const std::string jobPath = pagette::jobPathOfThisProcess(argc, argv);
  useOffscreenPlatformWithoutDisplay();
  // The job's command line is none of Qt's business: Qt sees the program name only.
  int qtArgc = 1;
  QGuiApplication application(qtArgc, argv);
  return pagette::runPagetteOnJob(
      jobPath,
      [](const std::string& path) {
        // The printer's queue shows the job under its file's name.
        return pagette::QtPrinter::openDefault(QFileInfo(QString::fromLocal8Bit(path)).fileName());
      },
      std::cerr);
}
