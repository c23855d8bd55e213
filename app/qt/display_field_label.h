#pragma once

#include <QLabel>

#include "form/field.h"

namespace app {

// A display field: a bordered static text that only the program sets. It
// shows the form's caption at once whenever the caption changes.
class DisplayFieldLabel : public QLabel {
  Q_OBJECT

 public:
  DisplayFieldLabel(form::DisplayField& field, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool drawLinesCloser();

  form::DisplayField& field_;
};

}  // namespace app
