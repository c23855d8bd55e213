#include "launcher/company_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace launcher {
namespace {

const QString kLastFolderKey = QStringLiteral("lastFolder");

}  // namespace

QString folderOfOpenedPath(const QString& path) {
  const QFileInfo info(path);
  if (info.isDir()) return QDir::cleanPath(info.absoluteFilePath());
  return QDir::cleanPath(info.absolutePath());
}

QString lastFolder(const QSettings& settings) {
  const QString folder = settings.value(kLastFolderKey).toString();
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
  return QDir::homePath();
}

void rememberFolder(QSettings& settings, const QString& folder) {
  settings.setValue(kLastFolderKey, folder);
  settings.sync();
}

}  // namespace launcher
