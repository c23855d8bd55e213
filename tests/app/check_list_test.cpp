// "K&ontrol Et" in the Qt window: Alt+O lists the findings in "Beyanname
// Kontrolü", Enter on a line goes to its field, Esc goes nowhere.
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include "window_fixture.h"

namespace app_testing {
namespace {

struct ShownList {
  QString title;
  QStringList lines;
};

// Without a window manager nothing gives the window back its activation
// when the list closes; a desktop does.
void reactivate(QWidget* window) {
  QApplication::setActiveWindow(window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

// Reads the next list, then moves down `down` lines and presses `key`.
void answerNextList(ShownList& shown, int down, Qt::Key key) {
  QTimer::singleShot(0, [&shown, down, key] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    shown.title = dialog->windowTitle();
    auto* list = dialog->findChild<QListWidget*>("Findings");
    ASSERT_NE(list, nullptr);
    for (int i = 0; i < list->count(); ++i) shown.lines << list->item(i)->text();
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

}  // namespace
}  // namespace app_testing
