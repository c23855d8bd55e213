// The bordered boxes of the form keep their letters clear of the border: a
// dot of "İ", "Ö" or "Ü" under the border turns a Turkish word into another.
#include <QImage>
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

// Pixels of the box's own face that its text has coloured: the ring is left
// out, for the border is no text.
int textPixels(QWidget* box) {
  const QImage image = box->grab().toImage();
  const QRgb face = image.pixel(1, 1);  // inside the ring, above every caption
  int found = 0;
  for (int y = 1; y < image.height() - 1; ++y) {
    for (int x = 1; x < image.width() - 1; ++x) {
      if ((image.pixel(x, y) & RGB_MASK) != (face & RGB_MASK)) ++found;
    }
  }
  return found;
}

// Every wrapped caption shows whole in its box: as many text pixels as the
// same caption shows in a box of the same width with room for every line.
TEST_F(WindowTest, EveryWrappedCaptionShowsWhole) {
  openWindow();
  for (const form::Component& c : form::catalogue()) {
    if (c.kind != form::ComponentKind::DisplayField || !c.wordWrap) continue;
    auto* box = qobject_cast<QLabel*>(widget(c.name.c_str()));
    ASSERT_NE(box, nullptr);
    QLabel roomy(box->text());
    roomy.setFont(box->font());
    roomy.setPalette(box->palette());
    roomy.setAutoFillBackground(true);
    roomy.setAlignment(box->alignment());
    roomy.setWordWrap(true);
    roomy.setContentsMargins(box->contentsMargins());
    roomy.resize(box->width(), 200);
    EXPECT_EQ(textPixels(box), textPixels(&roomy)) << c.name;
  }
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
