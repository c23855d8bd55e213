#pragma once

#include <QClipboard>
#include <QLineEdit>

#include "form/field.h"
#include "form/identity_number.h"
#include "form/key_filters.h"

namespace app {

class HandlerEdge;

// A text field of the form on screen. What the user types goes to the form's
// field; every change of the field, whoever makes it, shows at once. A key
// filter, where the form binds one, sees every typed character first. A field
// that holds a tax or identity number shows a red frame and the reason while
// its number does not hold together; it never stops the typing nor changes
// the text.
class TextFieldEdit : public QLineEdit {
  Q_OBJECT

 public:
  TextFieldEdit(form::TextField& field, form::KeyFilter keyFilter, const HandlerEdge& edge,
                QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void showFieldText();
  void showIdentityCheck();
  void sendToField(const QString& text);
  bool filterRefuses(char32_t character) const;
  void pasteThroughFilter(QClipboard::Mode mode);

  form::TextField& field_;
  form::KeyFilter keyFilter_;
  const HandlerEdge& edge_;
  // A number or code whose text the window frames when it does not hold.
  const bool checked_;
  bool identityProblem_ = false;
};

}  // namespace app
