#include "launcher/launcher.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

#include "launcher/company_folder.h"

namespace launcher {

int runLauncher(const QStringList& paths, QSettings& settings, const QString& muhtasarProgram,
                const ErrorReport& report) {
  QString folder;
  if (!paths.isEmpty()) {
    folder = folderOfOpenedPath(paths.first());
  } else {
    folder = QFileDialog::getExistingDirectory(nullptr, QString::fromUtf8(kFolderDialogTitle),
                                               lastFolder(settings));
    if (folder.isEmpty()) return 0;
  }
  if (!QFileInfo(folder).isDir()) {
    report(QStringLiteral("Klasör bulunamadı: %1").arg(folder));
    return 1;
  }
  rememberFolder(settings, folder);
  return runIn(folder, muhtasarProgram, report);
}

}  // namespace launcher
