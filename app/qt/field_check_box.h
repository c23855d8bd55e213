#pragma once

#include <QCheckBox>

#include "form/field.h"

namespace app {

class HandlerEdge;

// A check box of the form: a click sets the form's field, and every change of
// the field shows at once.
class FieldCheckBox : public QCheckBox {
  Q_OBJECT

 public:
  FieldCheckBox(form::CheckBox& field, const HandlerEdge& edge, QWidget* parent);

  // The month boxes carry their caption left of the box.
  void setCaptionLeftOfBox(bool left) { captionLeft_ = left; }

 protected:
  // A flat box of 13 px, drawn here so that the narrow month boxes keep room
  // for their caption.
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& position) const override;

 private:
  form::CheckBox& field_;
  bool captionLeft_ = false;
};

}  // namespace app
