// The window as a view of the form: typing reaches the form and its totals,
// and every change of the form shows at once, whoever makes it.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "form/form.h"
#include "window_fixture.h"

namespace app_testing {
namespace {

QString shown(QWidget* w) {
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
  if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
  return {};
}

TEST_F(WindowTest, ADigitInTheFirstGrossAmountReachesBothTotals) {
  openWindow();
  typeInto("MaskEdit1", "1");
  EXPECT_EQ(shown(widget("MaskEdit1")), "1__,___,___.__");
  EXPECT_EQ(shown(widget("StaticText1")), QString::fromUtf8("___,___,__1.00"));
  EXPECT_EQ(shown(widget("StaticText37")), QString::fromUtf8("___,___,__1.00"));
  EXPECT_EQ(window->form().staticText("StaticText1").caption(), "___,___,__1.00");
}

TEST_F(WindowTest, TypingRunsTheTotalsOfEachGroup) {
  openWindow();
  typeInto("MaskEdit21", "1000");  // the digits count in their order: 1000
  typeInto("MaskEdit22", "2.5");
  typeInto("Edit5", "3");
  typeInto("MaskEdit23", "7");
  EXPECT_EQ(shown(widget("StaticText45")), "___,___,__7.50");
  EXPECT_EQ(shown(widget("StaticText46")), "___,___,_10.00");
  EXPECT_EQ(shown(widget("StaticText36")), "3");
  EXPECT_EQ(shown(widget("StaticText52")), "7__,___,___.__");
}

TEST_F(WindowTest, TypingIntoAPayeeAmountChangesNoTotal) {
  openWindow();
  typeInto("MaskEdit25", "5");
  EXPECT_EQ(window->form().maskEdit("MaskEdit25").editText(), "5__,___,___.__");
  EXPECT_EQ(shown(widget("StaticText1")), "___,___,___.__");
  EXPECT_EQ(shown(widget("StaticText2")), "___,___,___.__");
}

TEST_F(WindowTest, ChangesMadeByTheProgramShowAtOnce) {
  openWindow();
  form::Form& f = window->form();
  f.edit("Edit28").setText("EK\xDDM-ARALIK 2026");
  f.maskEdit("MaskEdit10").setText("  1,234,567.89");
  f.maskEdit("MaskEdit147").setEditText("raw text");
  f.checkBox("CheckBox4").setChecked(true);
  EXPECT_EQ(shown(widget("Edit28")), QString::fromUtf8("EKİM-ARALIK 2026"));
  EXPECT_EQ(shown(widget("MaskEdit10")), "__1,234,567.89");
  EXPECT_EQ(shown(widget("StaticText2")), "__1,234,567.89");
  EXPECT_EQ(shown(widget("MaskEdit147")), "raw text");
  EXPECT_TRUE(qobject_cast<QCheckBox*>(widget("CheckBox4"))->isChecked());
}

TEST_F(WindowTest, ClickingACheckBoxSetsTheForm) {
  openWindow();
  auto* box = qobject_cast<QCheckBox*>(widget("CheckBox3"));
  QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(5, 8));
  EXPECT_TRUE(window->form().checkBox("CheckBox3").checked());
  focus("CheckBox3");
  QTest::keyClick(box, Qt::Key_Space);
  EXPECT_FALSE(window->form().checkBox("CheckBox3").checked());
}

TEST_F(WindowTest, TheInitialFormShowsInTheWidgets) {
  openWindow();
  EXPECT_EQ(shown(widget("Edit18")), ".0075");
  EXPECT_EQ(shown(widget("MaskEdit1")), "___,___,___.__");
  EXPECT_EQ(shown(widget("StaticText40")), "___,___,___.__");
  EXPECT_EQ(shown(widget("StaticText36")), "");
  EXPECT_EQ(shown(widget("StaticText20")), "17");
  EXPECT_EQ(shown(widget("StaticTextMahsup")), QString::fromUtf8("MAHSUP EDİLEN VERGİLER"));
}

TEST_F(WindowTest, TheFocusedFieldIsScrolledIntoView) {
  openWindow();
  focus("MaskEdit148");
  QScrollArea* payees = window->payeeList();
  QWidget* last = widget("MaskEdit148");
  const QRect inList(last->mapTo(payees->viewport(), QPoint(0, 0)), last->size());
  EXPECT_TRUE(payees->viewport()->rect().contains(inList));
  const QRect inWindow(last->mapTo(window->clientArea()->viewport(), QPoint(0, 0)), last->size());
  EXPECT_TRUE(window->clientArea()->viewport()->rect().contains(inWindow));
  EXPECT_GT(window->clientArea()->verticalScrollBar()->value(), 0);

  QTest::keyClick(focused(), Qt::Key_Tab);
  EXPECT_EQ(focused()->objectName(), "Edit1");
  // Back at the top, the title block above the taxpayer's rows shows too.
  EXPECT_EQ(window->clientArea()->verticalScrollBar()->value(), 0);
}

// A field reached from below comes into view with the heading of its part of
// the form; a field in view already keeps the view where it is.
TEST_F(WindowTest, AFieldReachedFromBelowShowsWithItsHeading) {
  struct Case {
    const char* from;
    const char* to;
    const char* heading;
    int scrolledTo;
  };
  const Case cases[] = {
      {"MaskEdit148", "Edit28", "Label2", 0},  // the period panel under the title
      {"MaskEdit148", "CheckBox14", "StaticTextBas", 0},
      {"Edit29", "Edit2", "Label2", 0},
      {"MaskEdit148", "Edit7", "Label2", 0},
      {"MaskEdit148", "MaskEdit1", "StaticTextTablo1", 294},
      {"MaskEdit148", "MaskEdit18", "StaticTextTablo1", 294},
      {"MaskEdit148", "MaskEdit23", "", -1},  // in view already: the view stays
  };
  openWindow();
  QScrollBar* bar = window->clientArea()->verticalScrollBar();
  QWidget* viewport = window->clientArea()->viewport();
  auto inView = [&](const char* name) {
    QWidget* w = widget(name);
    return viewport->rect().contains(QRect(w->mapTo(viewport, QPoint(0, 0)), w->size()));
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.from) + " to " + c.to);
    bar->setValue(0);
    focus(c.from);
    const int before = bar->value();
    focus(c.to);
    if (c.scrolledTo < 0) {
      EXPECT_EQ(bar->value(), before);
      continue;
    }
    EXPECT_EQ(bar->value(), c.scrolledTo);
    EXPECT_TRUE(inView(c.to));
    EXPECT_TRUE(inView(c.heading));
  }
}

}  // namespace
}  // namespace app_testing
