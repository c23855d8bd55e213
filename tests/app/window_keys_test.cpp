// Keys and focus in the real window: Enter, Tab, the key filters, amount editing.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

#include "form/catalogue.h"
#include "form/form.h"
#include "window_fixture.h"

namespace app_testing {
namespace {

struct FocusMove {
  const char* from;
  const char* to;
};

class EnterMoves : public WindowTest, public testing::WithParamInterface<FocusMove> {};

TEST_P(EnterMoves, ToTheNextFieldOfTheFocusOrder) {
  openWindow();
  focus(GetParam().from);
  pressEnter();
  ASSERT_NE(focused(), nullptr);
  EXPECT_EQ(focused()->objectName().toStdString(), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(
    FocusOrder, EnterMoves,
    testing::Values(FocusMove{"Edit1", "Edit3"}, FocusMove{"Edit7", "Edit8"},
                    FocusMove{"Edit8", "MaskEdit1"}, FocusMove{"MaskEdit1", "MaskEdit10"},
                    FocusMove{"MaskEdit18", "MaskEdit19"}, FocusMove{"MaskEdit23", "Edit5"},
                    FocusMove{"Edit18", "Edit19"}, FocusMove{"Edit21", "Edit22"},
                    FocusMove{"Edit27", "CheckBox1"}, FocusMove{"CheckBox2", "Edit28"},
                    FocusMove{"Edit28", "CheckBox3"}, FocusMove{"CheckBox14", "Edit2"},
                    FocusMove{"Edit2", "Edit29"}, FocusMove{"MaskEdit26", "Edit32"},
                    FocusMove{"MaskEdit148", "Edit1"}));

TEST_F(WindowTest, EnterIsTakenByTheWindowBeforeTheField) {
  openWindow();
  typeInto("Edit3", "12");
  QTest::keyClick(focused(), Qt::Key_Return, Qt::ShiftModifier);
  // The move is queued: it happens once the key has been handled.
  EXPECT_EQ(focused()->objectName(), "Edit3");
  QApplication::processEvents();
  EXPECT_EQ(focused()->objectName(), "Edit4");
  EXPECT_EQ(window->form().edit("Edit3").text(), "12");
}

TEST_F(WindowTest, EnterInACheckBoxLeavesItsState) {
  openWindow();
  focus("CheckBox7");
  pressEnter();
  EXPECT_FALSE(window->form().checkBox("CheckBox7").checked());
  EXPECT_EQ(focused()->objectName(), "CheckBox8");
}

TEST_F(WindowTest, TabVisitsEveryFieldInTheFocusOrderAndWraps) {
  openWindow();
  EXPECT_EQ(focused()->objectName(), "Edit1");
  const auto& order = form::focusOrder();
  for (size_t i = 1; i <= order.size(); ++i) {
    QTest::keyClick(focused(), Qt::Key_Tab);
    ASSERT_EQ(focused()->objectName().toStdString(), order[i % order.size()]) << "step " << i;
  }
}

TEST_F(WindowTest, ShiftTabGoesBackAndWrapsToTheLastField) {
  openWindow();
  QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(focused()->objectName(), "MaskEdit148");
  QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(focused()->objectName(), "MaskEdit147");
  focus("Edit29");
  QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(focused()->objectName(), "Edit2");
}

TEST_F(WindowTest, DisplayFieldsLabelsAndContainersNeverTakeTheFocus) {
  openWindow();
  for (const form::Component& c : form::catalogue()) {
    const bool field = c.kind == form::ComponentKind::TextField ||
                       c.kind == form::ComponentKind::AmountField ||
                       c.kind == form::ComponentKind::CheckBox;
    EXPECT_EQ(widget(c.name.c_str())->focusPolicy() != Qt::NoFocus, field) << c.name;
  }
}

struct Typing {
  const char* field;
  const char* typed;  // UTF-8
  const char* shown;  // UTF-8
};

class KeyFilters : public WindowTest, public testing::WithParamInterface<Typing> {};

TEST_P(KeyFilters, ActOnTypedCharacters) {
  openWindow();
  auto* edit = qobject_cast<QLineEdit*>(widget(GetParam().field));
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_End);
  typeInto(GetParam().field, QString::fromUtf8(GetParam().typed));
  EXPECT_EQ(edit->text(), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, KeyFilters,
    testing::Values(Typing{"Edit5", "a-1,2x", "12"}, Typing{"Edit17", "Ğ3 .4", "34"},
                    Typing{"Edit18", ".5", ".00755"}, Typing{"Edit18", "1a-,", ".00751"},
                    // Fields without a filter take any text.
                    Typing{"Edit1", "Ab-1,.", "Ab-1,."}, Typing{"Edit3", "Ş ğ", "Ş ğ"}));

TEST_F(WindowTest, RateFieldTakesOneDecimalPointAtMost) {
  openWindow();
  auto* rate = qobject_cast<QLineEdit*>(widget("Edit18"));
  rate->setFocus();
  rate->selectAll();
  QTest::keyClick(rate, Qt::Key_Backspace);
  typeInto("Edit18", ".5.");
  EXPECT_EQ(rate->text(), ".5");
  EXPECT_EQ(window->form().edit("Edit18").text(), ".5");
}

TEST_F(WindowTest, NavigationAndEditingKeysPassTheCountFilter) {
  openWindow();
  typeInto("Edit5", "123");
  QTest::keyClick(focused(), Qt::Key_Left);
  QTest::keyClick(focused(), Qt::Key_Backspace);
  QTest::keyClick(focused(), Qt::Key_Home);
  QTest::keyClick(focused(), Qt::Key_Delete);
  EXPECT_EQ(window->form().edit("Edit5").text(), "3");
  EXPECT_EQ(window->form().staticText("StaticText36").caption(), "3");
}

TEST_F(WindowTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  openWindow();
  typeInto("Edit6", QString::fromUtf8("Işık ж€"));
  EXPECT_EQ(window->form().edit("Edit6").text(), "I\xFE\xFDk ?\x80");
  EXPECT_EQ(qobject_cast<QLineEdit*>(widget("Edit6"))->text(), QString::fromUtf8("Işık ?€"));
}

TEST_F(WindowTest, AmountFieldHandsEveryKeyToTheForm) {
  openWindow();
  auto* amount = qobject_cast<QLineEdit*>(widget("MaskEdit20"));
  typeInto("MaskEdit20", "12");
  EXPECT_EQ(window->form().maskEdit("MaskEdit20").editText(), "12_,___,___.__");
  EXPECT_EQ(amount->text(), "12_,___,___.__");
  EXPECT_EQ(amount->cursorPosition(), 2);
  typeInto("MaskEdit20", ".5");
  EXPECT_EQ(amount->text(), "12_,___,___.5_");
  QTest::keyClick(amount, Qt::Key_End);
  QTest::keyClick(amount, Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClick(amount, Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(amount->selectedText(), "5_");
  EXPECT_EQ(amount->cursorPosition(), 12);
  QTest::keyClick(amount, Qt::Key_Home);
  QTest::keyClick(amount, Qt::Key_Delete);
  EXPECT_EQ(amount->text(), "_2_,___,___.5_");
  QTest::keyClick(amount, Qt::Key_Right);
  QTest::keyClick(amount, Qt::Key_Right);
  QTest::keyClick(amount, Qt::Key_Backspace);
  EXPECT_EQ(amount->text(), "___,___,___.5_");
  EXPECT_EQ(amount->cursorPosition(), 1);
  typeInto("MaskEdit20", "x-");
  EXPECT_EQ(amount->text(), "___,___,___.5_");
  // Leaving and coming back puts the caret at the start.
  focus("MaskEdit21");
  focus("MaskEdit20");
  EXPECT_EQ(amount->cursorPosition(), 0);
}

TEST_F(WindowTest, AClickPlacesTheCaretThroughTheForm) {
  openWindow();
  auto* amount = qobject_cast<QLineEdit*>(widget("MaskEdit21"));
  window->form().maskEdit("MaskEdit21").setText("123,456,789.12");
  QTest::mouseClick(amount, Qt::LeftButton, Qt::NoModifier, QPoint(amount->width() - 2, 10));
  EXPECT_EQ(window->form().maskEdit("MaskEdit21").cursor(), 14);
  EXPECT_EQ(amount->cursorPosition(), 14);
  QTest::mouseClick(amount, Qt::LeftButton, Qt::ShiftModifier, QPoint(1, 10));
  EXPECT_EQ(window->form().maskEdit("MaskEdit21").selectionLength(), 14);
  EXPECT_EQ(amount->selectedText(), "123,456,789.12");
}

}  // namespace
}  // namespace app_testing

namespace app_testing {
namespace {

struct EditingShortcut {
  const char* field;
  QKeySequence::StandardKey key;
  const char* clipboard;
  const char* expected;  // the field's text afterwards, in the form and on screen
};

class EditingShortcuts : public WindowTest, public testing::WithParamInterface<EditingShortcut> {};

// Whatever edits the line, the form holds what the screen shows.
TEST_P(EditingShortcuts, LeaveTheFormAndTheScreenAlike) {
  openWindow();
  QGuiApplication::clipboard()->setText(QString::fromUtf8(GetParam().clipboard));
  typeInto(GetParam().field, "12");
  auto* edit = qobject_cast<QLineEdit*>(widget(GetParam().field));
  if (GetParam().key == QKeySequence::Cut) edit->selectAll();
  const QKeySequence sequence(GetParam().key);
  QTest::keySequence(edit, sequence);
  EXPECT_EQ(edit->text(), QString::fromUtf8(GetParam().expected));
  EXPECT_EQ(window->form().edit(GetParam().field).text(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, EditingShortcuts,
    testing::Values(EditingShortcut{"Edit1", QKeySequence::Undo, "", ""},
                    EditingShortcut{"Edit1", QKeySequence::Cut, "", ""},
                    EditingShortcut{"Edit1", QKeySequence::Paste, "ab", "12ab"},
                    // Pasting into a filtered field passes the filter character by character.
                    EditingShortcut{"Edit5", QKeySequence::Paste, "a3-4", "1234"},
                    EditingShortcut{"Edit17", QKeySequence::Paste, "x", "12"}));

}  // namespace
}  // namespace app_testing
