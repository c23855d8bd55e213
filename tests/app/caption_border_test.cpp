// The bordered boxes of the form keep their letters clear of the border: a
// dot of "İ", "Ö" or "Ü" under the border turns a Turkish word into another.
#include <QLabel>

#include "form/catalogue.h"
#include "window_fixture.h"

namespace app_testing {
namespace {

TEST_F(WindowTest, NoBorderOfADisplayFieldTouchesItsText) {
  openWindow();
  int boxes = 0;
  for (const form::Component& c : form::catalogue()) {
    if (c.kind != form::ComponentKind::DisplayField) continue;
    EXPECT_EQ(ringPixelsNotOf(widget(c.name.c_str()), kBorderGrey), 0) << c.name;
    ++boxes;
  }
  EXPECT_EQ(boxes, 56);
}

// The border lies under the text, so text that reached it would show on it:
// placed at the very top, as the headings once were, the dots of "İ" do.
TEST_F(WindowTest, TextAtTheTopEdgeWouldShowOnTheBorder) {
  openWindow();
  auto* heading = qobject_cast<QLabel*>(widget("StaticTextTablo1"));
  ASSERT_NE(heading, nullptr);
  heading->setContentsMargins(1, 0, 1, 0);
  EXPECT_GT(ringPixelsNotOf(heading, kBorderGrey), 0);
}

}  // namespace
}  // namespace app_testing
