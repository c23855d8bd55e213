#include "app/display_field_label.h"

#include "app/component_look.h"
#include "app/cp1254_text.h"

namespace app {

DisplayFieldLabel::DisplayFieldLabel(form::DisplayField& field, QWidget* parent)
    : QLabel(parent), field_(field) {
  setFocusPolicy(Qt::NoFocus);
  setTextFormat(Qt::PlainText);
  setContentsMargins(1, 0, 1, 0);
  setText(fromCp1254(field_.caption()));
  field_.subscribe([this] { setText(fromCp1254(field_.caption())); });
}

void DisplayFieldLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  drawThinBorder(*this);
}

}  // namespace app
