#include "launcher/qt/launcher.h"

#include <QFile>
#include <QFileDialog>
#include <QSettings>

#include "launcher/qt/company_folder.h"
#include "launcher/launch_rules.h"

namespace launcher {
namespace {

std::filesystem::path pathOf(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString textOf(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

// The launcher's rules over Qt's folder dialog, settings and processes.
class QtFace : public LauncherFace {
 public:
  QtFace(QSettings& settings, const QString& program, const ErrorReport& report)
      : settings_(settings), program_(program), report_(report) {}

  std::optional<std::filesystem::path> askForFolder(const std::filesystem::path& start) override {
    const QString folder = QFileDialog::getExistingDirectory(
        nullptr, QString::fromUtf8(kFolderDialogTitle), textOf(start));
    if (folder.isEmpty()) return std::nullopt;
    return pathOf(folder);
  }
  std::filesystem::path rememberedFolder() override { return pathOf(lastFolder(settings_)); }
  void rememberFolder(const std::filesystem::path& folder) override {
    launcher::rememberFolder(settings_, textOf(folder));
  }
  // lastFolder() already falls back to the home folder.
  std::filesystem::path usersFolder() override { return pathOf(lastFolder(settings_)); }
  int runMuhtasarIn(const std::filesystem::path& folder) override {
    return runIn(textOf(folder), program_, report_);
  }
  void report(const std::string& message) override { report_(QString::fromStdString(message)); }

 private:
  QSettings& settings_;
  QString program_;
  const ErrorReport& report_;
};

}  // namespace

int runLauncher(const QStringList& paths, QSettings& settings, const QString& muhtasarProgram,
                const ErrorReport& report) {
  std::vector<std::filesystem::path> opened;
  for (const QString& path : paths) opened.push_back(pathOf(path));
  QtFace face(settings, muhtasarProgram, report);
  return launcher::runLauncher(opened, face);
}

}  // namespace launcher
