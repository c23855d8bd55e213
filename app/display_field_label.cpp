#include "app/display_field_label.h"

#include "app/component_look.h"
#include "app/cp1254_text.h"

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
  QLabel::paintEvent(event);
}

}  // namespace app
