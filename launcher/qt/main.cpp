#include <QApplication>
#include <QMessageBox>
#include <QSettings>

#include "launcher/qt/launcher.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QSettings settings(QStringLiteral("muhtasar"), QStringLiteral("muhtasar-open"));
  QStringList paths = QApplication::arguments();
  paths.removeFirst();
  return launcher::runLauncher(
      paths, settings, launcher::muhtasarBesideLauncher(), [](const QString& message) {
        QMessageBox::critical(nullptr, QString::fromUtf8(launcher::kErrorCaption), message);
      });
}
