// The form's components stand where the catalogue puts them, in its fonts and colours.
#include <QCheckBox>
#include <QLabel>
#include <QScrollArea>

#include "form/catalogue.h"
#include "window_fixture.h"

namespace app_testing {
namespace {

TEST_F(WindowTest, EveryComponentStandsAtItsPlaceWithItsFont) {
  openWindow();
  int checked = 0;
  for (const form::Component& c : form::catalogue()) {
    QWidget* w = widget(c.name.c_str());
    ASSERT_NE(w, nullptr);
    const std::string parent = w->parentWidget()->objectName().toStdString();
    if (c.parent == "V") {
      EXPECT_EQ(w->parentWidget(), window->payeeList()->widget()) << c.name;
    } else if (!c.parent.empty()) {
      EXPECT_EQ(parent, c.parent) << c.name;
    }
    EXPECT_EQ(w->pos(), QPoint(c.left, c.top)) << c.name;
    if (c.width > 0) {
      EXPECT_EQ(w->size(), QSize(c.width, c.height)) << c.name;
    }
    EXPECT_EQ(w->font().pixelSize(), c.font.pixelHeight) << c.name;
    EXPECT_EQ(w->font().bold(), c.font.bold) << c.name;
    EXPECT_EQ(w->font().italic(), c.font.italic) << c.name;
    ++checked;
  }
  EXPECT_EQ(checked, static_cast<int>(form::catalogue().size()));
}

struct Look {
  const char* name;
  QColor text;
};

class Colours : public WindowTest, public testing::WithParamInterface<Look> {};

TEST_P(Colours, OfTextFollowTheFieldGroup) {
  openWindow();
  EXPECT_EQ(widget(GetParam().name)->palette().color(QPalette::Text), GetParam().text);
  EXPECT_EQ(widget(GetParam().name)->palette().color(QPalette::WindowText), GetParam().text);
}

const QColor kMaroon(128, 0, 0);
const QColor kBlack(0, 0, 0);

INSTANTIATE_TEST_SUITE_P(Fields, Colours,
                         testing::Values(Look{"Edit1", kBlack}, Look{"Edit28", kBlack},
                                         Look{"MaskEdit30", kBlack}, Look{"StaticText37", kBlack},
                                         Look{"StaticText3", kBlack}, Look{"Edit19", kMaroon},
                                         Look{"Edit100", kMaroon}, Look{"StaticText4", kMaroon},
                                         Look{"CheckBox9", kMaroon}, Look{"Label7", kMaroon}));

TEST_F(WindowTest, TheClientAreaAndThePayeeListScroll) {
  openWindow();
  EXPECT_EQ(window->clientArea()->widget()->minimumHeight(), 1351);
  QScrollArea* payees = window->payeeList();
  EXPECT_EQ(payees->geometry(), QRect(2, 1199, 607, 152));
  EXPECT_EQ(payees->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  // The last row's amount field ends inside the list's width.
  QWidget* last = widget("MaskEdit148");
  EXPECT_LE(last->geometry().right(), payees->viewport()->width());
  EXPECT_GE(payees->widget()->height(), last->geometry().bottom());
}

}  // namespace
}  // namespace app_testing
