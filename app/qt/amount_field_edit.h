#pragma once

#include <QLineEdit>
#include <functional>
#include <string>

#include "form/amount_field.h"

namespace app {

class HandlerEdge;

// An amount field on screen. The form's amount field does all the editing:
// this widget hands it every key, click and input-method text, then shows its
// edit text with the caret and selection where the field has them.
class AmountFieldEdit : public QLineEdit {
  Q_OBJECT

 public:
  AmountFieldEdit(form::AmountField& field, const HandlerEdge& edge, QWidget* parent);

  // A tax amount is framed red, with the reason as its tooltip, while the
  // hint says it does not hold; showHint() asks again.
  void setHint(std::function<std::string()> hint);
  void showHint();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void edit(const std::function<void(form::AmountField&)>& change);
  void showField();
  void typeText(const QString& text);
  void copySelection();

  form::AmountField& field_;
  const HandlerEdge& edge_;
  std::function<std::string()> hint_;
  bool problem_ = false;
};

}  // namespace app
