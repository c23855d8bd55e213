#include <QFileInfo>
#include <QGuiApplication>
#include <QtGlobal>
#include <iostream>
#include <string>

#include "command_line.h"
#include "print_job.h"
#include "qt_printer.h"

#ifdef _WIN32
#include <windows.h>
#endif

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

std::string commandLine([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef _WIN32
  return std::string(pagette::windowsCommandTail(GetCommandLineA()));
#else
  return pagette::joinArguments(argc, argv);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  const std::string line = commandLine(argc, argv);
  useOffscreenPlatformWithoutDisplay();
  // The job's command line is none of Qt's business: Qt sees the program name only.
  int qtArgc = 1;
  QGuiApplication application(qtArgc, argv);
  return pagette::runPagette(
      line,
      [](const std::string& jobPath) {
        // The printer's queue shows the job under its file's name.
        return pagette::QtPrinter::openDefault(
            QFileInfo(QString::fromLocal8Bit(jobPath)).fileName());
      },
      std::cerr);
}
