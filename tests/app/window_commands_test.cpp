// The window's events and menu: what runs, the general error report, closing.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/window_texts.h"
#include "form/form.h"
#include "period/io_error.h"
#include "period/store.h"
#include "window_fixture.h"

namespace app_testing {
namespace {

QAction* menuItem(app::TForm1& window, const char* name) {
  return window.findChild<QAction*>(name);
}

TEST_F(WindowTest, TheWindowIsForm1WithItsCaptionSizeAndMenu) {
  openWindow();
  EXPECT_EQ(window->objectName(), "Form1");
  EXPECT_EQ(window->windowTitle(), "VBM Muhtasar Beyanname");
  EXPECT_EQ(window->frameGeometry().size(), QSize(654, 683));
  EXPECT_EQ(window->font().pixelSize(), 11);
  EXPECT_EQ(window->menuBar()->objectName(), "MainMenu1");
  const QList<QAction*> items = window->menuBar()->actions();
  const QStringList expected = {QString::fromUtf8("Hesaplanan Değerleri &Güncelle"),
                                QString::fromUtf8("Önceki Dönemden &Devir"),
                                QString::fromUtf8("&Yazdır"), QString::fromUtf8("K&ontrol Et"),
                                QString::fromUtf8("Geç&miş"), QString::fromUtf8("Çı&kış")};
  ASSERT_EQ(items.size(), expected.size());
  for (qsizetype i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i]->text(), expected[i]);
    EXPECT_EQ(items[i]->menu(), nullptr);
  }
  EXPECT_EQ(focused()->objectName(), "Edit1");
}

struct MenuCommand {
  const char* item;
  const char* command;
};

class MenuItems : public WindowTest, public testing::WithParamInterface<MenuCommand> {};

TEST_P(MenuItems, RunTheirCommandAndLeaveTheWindowOpen) {
  openWindow();
  log.calls.clear();
  menuItem(*window, GetParam().item)->trigger();
  EXPECT_EQ(log.calls, std::vector<std::string>{GetParam().command});
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(errors.texts.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Menu, MenuItems,
                         testing::Values(MenuCommand{"HesaplananDeerleriGncelle1",
                                                     "UpdateComputedValues"},
                                         MenuCommand{"ncekiDnemdenDevir1", "CarryOverPrevious"},
                                         MenuCommand{"Yazdr1", "printDeclaration"}));

TEST_F(WindowTest, CommandsWorkOnThePeriodKeyThatStartUpSet) {
  std::string keySeen;
  commands.updateComputedValues = [&](form::Form&, std::string& key) {
    keySeen = key;
    key = "2027010203";
  };
  openWindow();
  EXPECT_EQ(window->periodKey(), "2026101112");
  menuItem(*window, "HesaplananDeerleriGncelle1")->trigger();
  EXPECT_EQ(keySeen, "2026101112");
  window->close();
  EXPECT_EQ(log.savedKeys, std::vector<std::string>{"2027010203"});
}

TEST_F(WindowTest, CarryOverTellsThroughTheNoticeItIsGiven) {
  commands.carryOverPrevious = [](form::Form&, const std::string&, period::CarryOverNotice& n) {
    n.previousDeclarationMissing();
  };
  openWindow();
  menuItem(*window, "ncekiDnemdenDevir1")->trigger();
  EXPECT_EQ(notice.calls, 1);
  EXPECT_TRUE(errors.texts.isEmpty());
}

TEST_F(WindowTest, AnErrorInAMenuCommandIsReportedAndTheProgramGoesOn) {
  int prints = 0;
  commands.printDeclaration = [&](form::Form& f, const std::string&) {
    ++prints;
    f.edit("Edit1").setText("changed");
    if (prints == 1) throw period::Error("File not found");
  };
  openWindow();
  menuItem(*window, "Yazdr1")->trigger();
  EXPECT_EQ(errors.texts, QStringList{"File not found."});
  // What the command had done before the error stays done.
  EXPECT_EQ(qobject_cast<QLineEdit*>(widget("Edit1"))->text(), "changed");
  typeInto("MaskEdit1", "2");
  EXPECT_EQ(window->form().staticText("StaticText1").caption(), "___,___,__2.00");
  menuItem(*window, "Yazdr1")->trigger();
  EXPECT_EQ(prints, 2);
  EXPECT_EQ(errors.texts.size(), 1);
}

TEST_F(WindowTest, AnErrorInAChangeListenerWhileTypingIsReported) {
  openWindow();
  window->form().edit("Edit3").subscribe([] { throw std::runtime_error("I/O error 112"); });
  typeInto("Edit3", "7");
  EXPECT_EQ(errors.texts, QStringList{"I/O error 112."});
  EXPECT_EQ(window->form().edit("Edit3").text(), "7");
}

TEST_F(WindowTest, AnErrorDuringStartUpIsReportedThenTheWindowOpensWithWhatWasDone) {
  commands.startUp = [](form::Form& f, std::string&) {
    f.edit("Edit1").setText("KADIK\xD6Y");
    throw period::Error("'x' is not a valid boolean value");
  };
  openWindow();
  EXPECT_EQ(errors.texts, QStringList{"'x' is not a valid boolean value."});
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(qobject_cast<QLineEdit*>(widget("Edit1"))->text(), QString::fromUtf8("KADIKÖY"));
  EXPECT_EQ(window->periodKey(), "");
}

TEST_F(WindowTest, ExitAsksTheWindowToCloseAndTheDeclarationIsSaved) {
  openWindow();
  log.calls.clear();
  menuItem(*window, "k1")->trigger();
  EXPECT_EQ(log.calls, std::vector<std::string>{"SaveDeclaration"});
  EXPECT_EQ(log.savedKeys, std::vector<std::string>{"2026101112"});
  EXPECT_FALSE(window->isVisible());
}

TEST_F(WindowTest, AltKClosesTheWindowThroughTheSameSave) {
  openWindow();
  log.calls.clear();
  QTest::keyClick(focused(), Qt::Key_K, Qt::AltModifier);
  QApplication::processEvents();
  EXPECT_EQ(log.calls, std::vector<std::string>{"SaveDeclaration"});
  EXPECT_FALSE(window->isVisible());
}

TEST_F(WindowTest, AFailedSaveKeepsTheWindowOpen) {
  int saves = 0;
  commands.saveDeclaration = [&](const form::Form&, std::string_view) {
    if (++saves == 1) throw period::Error("Unable to write to /nowhere/muhtasar.ini");
  };
  openWindow();
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(errors.texts, QStringList{"Unable to write to /nowhere/muhtasar.ini."});
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(saves, 2);
}

// A store that refuses every save must not trap the user: after the report,
// the user is asked whether to leave without saving.
struct FailedCloseCase {
  const char* name;
  bool leaveWithoutSaving;
};

class FailedSaveOnClose : public WindowTest, public testing::WithParamInterface<FailedCloseCase> {};

TEST_P(FailedSaveOnClose, AsksWhetherToLeaveWithoutSaving) {
  commands.saveDeclaration = [](const form::Form&, std::string_view) {
    throw period::Error("Unable to write to /shared/muhtasar.ini");
  };
  exitQuestion.answer = GetParam().leaveWithoutSaving;
  openWindow();
  EXPECT_EQ(window->close(), GetParam().leaveWithoutSaving);
  EXPECT_EQ(window->isVisible(), !GetParam().leaveWithoutSaving);
  EXPECT_EQ(errors.texts, QStringList{"Unable to write to /shared/muhtasar.ini."});
  EXPECT_EQ(exitQuestion.asked, 1);
}

INSTANTIATE_TEST_SUITE_P(Close, FailedSaveOnClose,
                         testing::Values(FailedCloseCase{"Evet", true},
                                         FailedCloseCase{"Hayir", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, ASavedCloseAsksNothing) {
  openWindow();
  EXPECT_TRUE(window->close());
  EXPECT_EQ(exitQuestion.asked, 0);
}

// The real question: its texts, and "Hayır" taken by Enter.
class ExitQuestionBox : public testing::TestWithParam<FailedCloseCase> {};

// What the next message box shows; it is then answered by clicking the button
// of that caption, or by the key where the caption is null.
struct ShownBox {
  QString text, caption, defaultButton;
  QStringList buttons;
};

void answerNextBox(ShownBox& shown, const char* button, Qt::Key key) {
  QTimer::singleShot(0, [&shown, button, key] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    shown.text = box->text();
    shown.caption = box->windowTitle();
    if (box->defaultButton() != nullptr) shown.defaultButton = box->defaultButton()->text();
    for (QAbstractButton* b : box->buttons()) shown.buttons << b->text();
    if (button != nullptr)
      box->buttons().at(shown.buttons.indexOf(QString::fromUtf8(button)))->click();
    else
      QTest::keyClick(box, key);
    shown.buttons.sort();
  });
}

TEST_P(ExitQuestionBox, AsksInTurkishWithHayirAsTheDefault) {
  ShownBox shown;
  answerNextBox(shown, GetParam().leaveWithoutSaving ? "Evet" : nullptr, Qt::Key_Return);
  app::MessageBoxExitQuestion question;
  EXPECT_EQ(question.exitWithoutSaving(), GetParam().leaveWithoutSaving);
  EXPECT_EQ(shown.text, QString::fromUtf8("Beyanname kaydedilemedi. Kaydetmeden çıkılsın mı?"));
  EXPECT_EQ(shown.caption, QString::fromUtf8("Varlen Bilgi İşlem Merkezi"));
  EXPECT_EQ(shown.buttons, (QStringList{"Evet", QString::fromUtf8("Hayır")}));
  EXPECT_EQ(shown.defaultButton, QString::fromUtf8("Hayır"));
}

INSTANTIATE_TEST_SUITE_P(Close, ExitQuestionBox,
                         testing::Values(FailedCloseCase{"Evet", true},
                                         FailedCloseCase{"EnterForHayir", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// "İptal" at the question before overwriting another window's save: the close
// or the print stops, nothing is reported, and no other question follows.
TEST_F(WindowTest, ACommandCancelledAtTheOverwriteQuestionStopsQuietly) {
  commands.saveDeclaration = [](const form::Form&, std::string_view) {
    throw period::CommandCancelled();
  };
  commands.printDeclaration = [](form::Form&, const std::string&) {
    throw period::CommandCancelled();
  };
  openWindow();
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  window->Yazdr1Click();
  EXPECT_TRUE(errors.texts.isEmpty());
  EXPECT_EQ(exitQuestion.asked, 0);
}

// The real question before overwriting: its text and caption, its three
// buttons, and Escape for "İptal".
struct OverwriteCase {
  const char* name;
  const char* button;  // clicked; nullptr presses Escape
  period::OverwriteAnswer answer;
};

class OverwriteQuestionBox : public testing::TestWithParam<OverwriteCase> {};

TEST_P(OverwriteQuestionBox, AsksWithEvetHayirAndIptal) {
  ShownBox shown;
  answerNextBox(shown, GetParam().button, Qt::Key_Escape);
  EXPECT_EQ(app::askBeforeOverwriting(), GetParam().answer);
  EXPECT_TRUE(shown.text.startsWith(QString::fromUtf8(
      "Bu dönemin beyannamesi bu pencereye yüklendikten sonra başka bir pencerede kaydedildi.\n")));
  EXPECT_TRUE(shown.text.endsWith(QString::fromUtf8("\nİptal: hiçbir şey yapma.")));
  EXPECT_EQ(shown.caption, QString::fromUtf8("Varlen Bilgi İşlem Merkezi"));
  EXPECT_EQ(shown.buttons,
            (QStringList{"Evet", QString::fromUtf8("Hayır"), QString::fromUtf8("İptal")}));
}

INSTANTIATE_TEST_SUITE_P(
    TwoWindows, OverwriteQuestionBox,
    testing::Values(OverwriteCase{"Evet", "Evet", period::OverwriteAnswer::SaveThisWindow},
                    OverwriteCase{"Hayir", "Hayır", period::OverwriteAnswer::TakeStored},
                    OverwriteCase{"Iptal", "İptal", period::OverwriteAnswer::Cancel},
                    OverwriteCase{"Escape", nullptr, period::OverwriteAnswer::Cancel}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace app_testing
