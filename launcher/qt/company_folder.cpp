#include "launcher/qt/company_folder.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include "launcher/launch_rules.h"

namespace launcher {
namespace {

const QString kLastFolderKey = QStringLiteral("lastFolder");

std::filesystem::path pathOf(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString textOf(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

}  // namespace

QString folderOfOpenedPath(const QString& path) {
  return textOf(companyFolderOf(pathOf(path)));
}

QString lastFolder(const QSettings& settings) {
  return textOf(dialogStart(pathOf(settings.value(kLastFolderKey).toString()),
                            pathOf(QDir::homePath())));
}

void rememberFolder(QSettings& settings, const QString& folder) {
  settings.setValue(kLastFolderKey, folder);
  settings.sync();
}

}  // namespace launcher
