#include "launcher/qt/start_muhtasar.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>

#include "launcher/launch_rules.h"

namespace launcher {

QString muhtasarBesideLauncher() {
  const QString appDir = QCoreApplication::applicationDirPath();
  const QString found = QStandardPaths::findExecutable(QStringLiteral("muhtasar"), {appDir});
  // Not found: the plain path still names what is missing in the error report.
  return found.isEmpty() ? QDir(appDir).filePath(QStringLiteral("muhtasar")) : found;
}

int runIn(const QString& folder, const QString& program, const ErrorReport& report) {
  QProcess process;
  process.setProgram(program);
  process.setWorkingDirectory(folder);
  process.setProcessChannelMode(QProcess::ForwardedChannels);
  process.setInputChannelMode(QProcess::ForwardedInputChannel);
  process.start();
  if (!process.waitForStarted(-1)) {
    report(QString::fromStdString(
        cannotStart(program.toStdString(), process.errorString().toStdString())));
    return 1;
  }
  process.waitForFinished(-1);
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : 1;
}

}  // namespace launcher
