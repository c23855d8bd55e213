#include "launcher/qt/launcher.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "launcher/qt/company_folder.h"

namespace {

QByteArray readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(bytes);
}

// A company folder, a second folder, a stand-in for muhtasar that notes where
// it was started and ends with status 7, and the launcher's settings file.
class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid());
    QDir(root_.path()).mkpath(QStringLiteral("firma"));
    QDir(root_.path()).mkpath(QStringLiteral("other"));
    program_ = root_.filePath(QStringLiteral("stand-in"));
    writeFile(program_, "#!/bin/sh\npwd > started-here\nexit 7\n");
    QFile::setPermissions(program_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }

  QString folder(const char* name) const { return root_.filePath(QString::fromUtf8(name)); }
  bool startedIn(const QString& dir) const { return QFile::exists(dir + "/started-here"); }

  int run(const QStringList& paths) {
    return launcher::runLauncher(paths, settings_, program_,
                                 [this](const QString& message) { errors_ << message; });
  }

  // Handles the folder dialog of the next run once it shows.
  void whenDialogOpens(std::function<void(QFileDialog*)> act) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
      if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
        poll->stop();
        poll->deleteLater();
        act(dialog);
      }
    });
    poll->start(10);
  }

  QTemporaryDir root_;
  QString program_;
  QSettings settings_{root_.filePath(QStringLiteral("launcher.conf")), QSettings::IniFormat};
  QStringList errors_;
};

TEST_F(LauncherTest, FolderOfOpenedPath) {
  const QString firma = folder("firma");
  writeFile(firma + "/BORDMHT.DAT", "x");
  const struct {
    QString opened;
    QString folder;
  } cases[] = {
      {firma + "/BORDMHT.DAT", firma},
      {firma + "/bordmht.dat", firma},  // not there yet: still its folder
      {firma, firma},
      {firma + "/", firma},
      {firma + "/../firma/BORDMHT.DAT", firma},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(launcher::folderOfOpenedPath(c.opened), c.folder) << c.opened.toStdString();
  }
}

TEST_F(LauncherTest, OpenedFileRunsMuhtasarInItsFolderAndPassesOnItsStatus) {
  EXPECT_EQ(run({folder("firma") + "/Bordmht.dat"}), 7);
  EXPECT_TRUE(startedIn(folder("firma")));
  EXPECT_EQ(readAll(folder("firma") + "/started-here").trimmed(), folder("firma").toUtf8());
  EXPECT_EQ(launcher::lastFolder(settings_), folder("firma"));
  EXPECT_TRUE(errors_.isEmpty());
}

TEST_F(LauncherTest, FileInAMissingFolderIsReportedAndStartsNothing) {
  EXPECT_EQ(run({folder("gone") + "/BORDMHT.DAT"}), 1);
  ASSERT_EQ(errors_.size(), 1);
  EXPECT_EQ(errors_[0], "Klasör bulunamadı: " + folder("gone"));
  EXPECT_EQ(launcher::lastFolder(settings_), QDir::homePath());
}

TEST_F(LauncherTest, MissingProgramIsReported) {
  program_ = folder("no-such-muhtasar");
  EXPECT_EQ(run({folder("firma")}), 1);
  ASSERT_EQ(errors_.size(), 1);
  EXPECT_TRUE(errors_[0].startsWith(program_ + " başlatılamadı: ")) << errors_[0].toStdString();
}

TEST_F(LauncherTest, LastFolderFallsBackToHomeWhenItIsGone) {
  launcher::rememberFolder(settings_, folder("other"));
  EXPECT_EQ(launcher::lastFolder(settings_), folder("other"));
  QDir(folder("other")).removeRecursively();
  EXPECT_EQ(launcher::lastFolder(settings_), QDir::homePath());
}

TEST_F(LauncherTest, WithoutAFileTheDialogStartsAtTheLastFolderAndCancelEndsQuietly) {
  launcher::rememberFolder(settings_, folder("other"));
  QString shownAt;
  whenDialogOpens([&](QFileDialog* dialog) {
    shownAt = dialog->directory().absolutePath();
    dialog->reject();
  });
  EXPECT_EQ(run({}), 0);
  EXPECT_EQ(shownAt, folder("other"));
  EXPECT_FALSE(startedIn(folder("other")));
  EXPECT_FALSE(startedIn(QDir::currentPath()));
  EXPECT_EQ(launcher::lastFolder(settings_), folder("other"));
  EXPECT_TRUE(errors_.isEmpty());
}

TEST_F(LauncherTest, AChosenFolderRunsMuhtasarThereAndIsRemembered) {
  whenDialogOpens([&](QFileDialog* dialog) {
    dialog->setDirectory(folder("firma"));
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog makes its own accept() protected
  });
  EXPECT_EQ(run({}), 7);
  EXPECT_TRUE(startedIn(folder("firma")));
  EXPECT_EQ(launcher::lastFolder(settings_), folder("firma"));
}

// The built launcher beside the built muhtasar, as the package installs them:
// opening the payroll summary of another folder writes the fresh declaration
// store there, byte for byte.
TEST(LauncherProgram, OpensMuhtasarOnAPayrollSummaryInAnotherFolder) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const QString company = root.filePath(QStringLiteral("firma"));
  QDir().mkpath(company);
  ASSERT_TRUE(QFile::copy(MUHTASAR_EXAMPLES_DIR "/BORDMHT.DAT", company + "/BORDMHT.DAT"));

  QProcess launcherProcess;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("MUHTASAR_QUIT_AFTER_SHOW"), QStringLiteral("1"));
  env.insert(QStringLiteral("HOME"), root.path());
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
  launcherProcess.setProcessEnvironment(env);
  launcherProcess.setWorkingDirectory(root.path());
  launcherProcess.start(QStringLiteral(LAUNCHER_PROGRAM), {company + "/BORDMHT.DAT"});
  ASSERT_TRUE(launcherProcess.waitForFinished(60000));
  EXPECT_EQ(launcherProcess.exitCode(), 0) << launcherProcess.readAllStandardError().toStdString();
  EXPECT_EQ(readAll(company + "/muhtasar.ini"),
            readAll(MUHTASAR_TESTDATA_DIR "/fresh_2026101112.ini"));
  EXPECT_FALSE(QFile::exists(root.filePath(QStringLiteral("muhtasar.ini"))));
}

}  // namespace
