#include "app/qt/display_field_label.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <vector>

#include "app/qt/component_look.h"
#include "app/qt/cp1254_text.h"

namespace app {

DisplayFieldLabel::DisplayFieldLabel(form::DisplayField& field, QWidget* parent)
    : QLabel(parent), field_(field) {
  setFocusPolicy(Qt::NoFocus);
  setTextFormat(Qt::PlainText);
  // A caption that starts at the top edge would have the first pixel row of
  // its letters under the border, and with it the dots of "İ", "Ö" and "Ü":
  // the text keeps a clear row inside the border on every side.
  setContentsMargins(1, 2, 1, 2);
  setText(fromCp1254(field_.caption()));
  field_.subscribe([this] { setText(fromCp1254(field_.caption())); });
}

// The border goes under the text, so that it never hides a letter.
void DisplayFieldLabel::paintEvent(QPaintEvent* event) {
  drawThinBorder(*this);
  if (!wordWrap() || !drawLinesCloser()) QLabel::paintEvent(event);
}

// A wrapped caption with more lines than its box holds at the font's line
// spacing ("KESİLEN GELİR VERGİSİ TUTARI" takes four) would lose its last
// line: its lines are drawn closer together, so that every one shows whole.
bool DisplayFieldLabel::drawLinesCloser() {
  const QRect box = contentsRect();
  QTextLayout layout(text(), font());
  QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  std::vector<QTextLine> lines;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(box.width());
    lines.push_back(line);
  }
  layout.endLayout();
  const QFontMetrics metrics(font());
  const int count = static_cast<int>(lines.size());
  if (count < 2 || count * metrics.height() <= box.height()) return false;

  // The last line keeps room for its capitals down to the baseline.
  const int spacing = (box.height() - metrics.ascent()) / (count - 1);
  for (int i = 0; i < count; ++i) {
    lines[static_cast<size_t>(i)].setPosition(QPointF(0, i * spacing));
  }
  QPainter painter(this);
  painter.setClipRect(box);
  painter.setPen(palette().color(foregroundRole()));
  layout.draw(&painter, box.topLeft());
  return true;
}

}  // namespace app
