#include "app/qt/field_check_box.h"

#include <QPainter>
#include <QPainterPath>

#include "app/qt/error_report.h"

namespace app {

FieldCheckBox::FieldCheckBox(form::CheckBox& field, const HandlerEdge& edge, QWidget* parent)
    : QCheckBox(parent), field_(field) {
  setChecked(field_.checked());
  connect(this, &QCheckBox::toggled, this, [this, &edge](bool on) {
    edge.run([&] { field_.setChecked(on); });
    setChecked(field_.checked());
  });
  field_.subscribe([this] { setChecked(field_.checked()); });
}

void FieldCheckBox::paintEvent(QPaintEvent*) {
  constexpr int kBox = 13;
  constexpr int kGap = 3;
  QPainter painter(this);
  const int top = (height() - kBox) / 2;
  const QRect box(captionLeft_ ? width() - kBox : 0, top, kBox, kBox);
  const QRect caption = captionLeft_ ? QRect(0, 0, width() - kBox - kGap, height())
                                     : QRect(kBox + kGap, 0, width() - kBox - kGap, height());
  painter.fillRect(box,
                   isDown() ? palette().color(QPalette::Button) : palette().color(QPalette::Base));
  painter.setPen(QColor(105, 105, 105));
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  if (isChecked()) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 2));
    QPainterPath tick;
    tick.moveTo(box.left() + 3, box.top() + 6.5);
    tick.lineTo(box.left() + 5.5, box.top() + 9.5);
    tick.lineTo(box.left() + 10, box.top() + 3.5);
    painter.drawPath(tick);
    painter.setRenderHint(QPainter::Antialiasing, false);
  }
  painter.setPen(palette().color(QPalette::WindowText));
  painter.setFont(font());
  const int flags = Qt::AlignVCenter | (captionLeft_ ? Qt::AlignRight : Qt::AlignLeft);
  QRect used;
  painter.drawText(caption, flags, text(), &used);
  if (hasFocus()) {
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(used.adjusted(-1, 0, 0, -1));
  }
}

bool FieldCheckBox::hitButton(const QPoint& position) const {
  return rect().contains(position);
}

}  // namespace app
