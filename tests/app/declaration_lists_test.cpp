// The Qt window's two lists: "K&ontrol Et" (Alt+O) lists the findings in
// "Beyanname Kontrolü", Enter on a line goes to its field, Esc goes nowhere;
// "Geç&miş" (Alt+M) lists the period's versions in "Beyanname Geçmişi" with
// the differences of the newest, Enter brings it back, Esc changes nothing.
#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QUrl>
#include <filesystem>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include "support/scratch_dir.h"
#include "window_fixture.h"

namespace app_testing {
namespace {

struct ShownList {
  QString title;
  QStringList lines;
  QStringList differences;
};

QStringList linesOf(QListWidget* list) {
  QStringList lines;
  for (int i = 0; list && i < list->count(); ++i) lines << list->item(i)->text();
  return lines;
}

// Without a window manager nothing gives the window back its activation
// when the list closes; a desktop does.
void reactivate(QWidget* window) {
  QApplication::setActiveWindow(window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

// Reads the next list of that name, then moves down `down` lines and presses `key`.
void answerNextList(ShownList& shown, int down, Qt::Key key, const char* name = "Findings") {
  QTimer::singleShot(0, [&shown, down, key, name] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    shown.title = dialog->windowTitle();
    auto* list = dialog->findChild<QListWidget*>(name);
    ASSERT_NE(list, nullptr);
    shown.lines = linesOf(list);
    shown.differences = linesOf(dialog->findChild<QListWidget*>("Differences"));
    for (int i = 0; i < down; ++i) QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, key);
  });
}

TEST_F(WindowTest, AltOListsTheFindingsAndEnterGoesToTheField) {
  openWindow();
  typeInto("Edit8", "11");
  ShownList shown;
  answerNextList(shown, 0, Qt::Key_Return);
  ASSERT_NE(focused(), nullptr);
  QTest::keyClick(focused(), Qt::Key_O, Qt::AltModifier);
  reactivate(window.get());
  EXPECT_EQ(shown.title, QString::fromUtf8("Beyanname Kontrolü"));
  ASSERT_FALSE(shown.lines.isEmpty());
  EXPECT_TRUE(shown.lines.front().startsWith("Hata: ")) << shown.lines.front().toStdString();
  const int code = shown.lines.indexOf(QString::fromUtf8(
      "Hata: 8 numaralı satır, Ödemelerin Tür Kodu: Ödeme türü kodu üç haneli bir sayı olmalı."));
  ASSERT_GE(code, 0) << shown.lines.join('\n').toStdString();

  ShownList again;
  answerNextList(again, code, Qt::Key_Return);
  ASSERT_NE(focused(), nullptr);
  QTest::keyClick(focused(), Qt::Key_O, Qt::AltModifier);
  reactivate(window.get());
  EXPECT_EQ(focused(), widget("Edit8"));
  // The code field is framed as it stands, with the reason as its tooltip.
  EXPECT_EQ(widget("Edit8")->toolTip(), QString::fromUtf8("Ödeme türü kodu üç haneli bir sayı olmalı."));

  ShownList closed;
  focus("Edit1");
  answerNextList(closed, code, Qt::Key_Escape);
  ASSERT_NE(focused(), nullptr);
  QTest::keyClick(focused(), Qt::Key_O, Qt::AltModifier);
  reactivate(window.get());
  EXPECT_EQ(focused(), widget("Edit1"));
}

TEST_F(WindowTest, ATaxAboveItsGrossAmountIsFramedAsItIsTyped) {
  openWindow();
  auto& form = window->form();
  form.maskEdit("MaskEdit1").setText("        100.00");
  form.maskEdit("MaskEdit10").setText("        200.00");
  EXPECT_EQ(widget("MaskEdit10")->toolTip(), QString::fromUtf8("Vergi tutarı gayrisafi tutarı aşıyor."));
  form.maskEdit("MaskEdit1").setText("        300.00");
  EXPECT_EQ(widget("MaskEdit10")->toolTip(), "");
}

TEST_F(WindowTest, AltMShowsTheVersionsAndEnterBringsTheNewestBack) {
  testing_support::ScratchDir dir;
  testing_support::writeFile(
      "muhtasar-gecmis.ini",
      testing_support::readFile(std::string(MUHTASAR_TESTDATA_DIR) + "/history/saves_update_print.ini"));
  openWindow();
  typeInto("Edit1", "YAZILAN");
  ShownList closed;
  answerNextList(closed, 0, Qt::Key_Escape, "Versions");
  QTest::keyClick(focused(), Qt::Key_M, Qt::AltModifier);
  reactivate(window.get());
  EXPECT_EQ(closed.title, QString::fromUtf8("Beyanname Geçmişi"));
  EXPECT_EQ(closed.lines, (QStringList{QString::fromUtf8("2026-12-09 10:00:02  Yazdırıldı"),
                                       QString::fromUtf8("2026-12-09 10:00:01  Güncellemeden önce"),
                                       QString::fromUtf8("2026-12-09 10:00:00  Kaydetmeden önce")}));
  EXPECT_TRUE(closed.differences.contains(
      QString::fromUtf8("1 numaralı satır, Vergi Dairesi: «IKI», şimdi «YAZILAN»")))
      << closed.differences.join('\n').toStdString();
  EXPECT_EQ(window->form().edit("Edit1").text(), "YAZILAN");

  ShownList restored;
  answerNextList(restored, 0, Qt::Key_Return, "Versions");
  ASSERT_NE(focused(), nullptr);
  QTest::keyClick(focused(), Qt::Key_M, Qt::AltModifier);
  EXPECT_EQ(window->form().edit("Edit1").text(), "IKI");
  EXPECT_EQ(log.calls, std::vector<std::string>{"StartUp"}) << "restoring saves nothing";
}

// Records what the desktop is asked to open.
class GuideHandler : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public slots:
  void open(const QUrl& url) { opened << url; }
};

// F1 asks the desktop to open the guide beside the program, at the window's
// section; without a guide the error report names where it was looked for.
TEST_F(WindowTest, F1OpensTheGuideBesideTheProgram) {
  const std::filesystem::path besideThis =
      std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / "kilavuz";
  std::filesystem::remove_all(besideThis);
  GuideHandler handler;
  QDesktopServices::setUrlHandler("file", &handler, "open");
  openWindow();
  QTest::keyClick(focused(), Qt::Key_F1);
  EXPECT_TRUE(handler.opened.isEmpty());
  EXPECT_EQ(errors.texts, QStringList{QString::fromStdString(
                              "Kullanım kılavuzu bulunamadı: " + (besideThis / "index.html").string() + ".")});
  std::filesystem::copy(std::filesystem::path(MUHTASAR_SOURCE_DIR) / "guide", besideThis,
                        std::filesystem::copy_options::recursive);
  QTest::keyClick(focused(), Qt::Key_F1);
  QDesktopServices::unsetUrlHandler("file");
  std::filesystem::remove_all(besideThis);
  ASSERT_EQ(handler.opened.size(), 1);
  EXPECT_EQ(handler.opened.front().toLocalFile().toStdString(), (besideThis / "index.html").string());
  EXPECT_EQ(handler.opened.front().fragment(), "komutlar");
}

}  // namespace
}  // namespace app_testing

#include "declaration_lists_test.moc"
