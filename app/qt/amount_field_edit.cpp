#include "app/qt/amount_field_edit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "app/qt/component_look.h"
#include "app/qt/cp1254_text.h"
#include "app/qt/error_report.h"

namespace app {

AmountFieldEdit::AmountFieldEdit(form::AmountField& field, const HandlerEdge& edge, QWidget* parent)
    : QLineEdit(parent), field_(field), edge_(edge) {
  setFrame(false);
  // The 14 positions of the mask fill the 80 px of the field.
  setTextMargins(-1, 0, -2, 0);
  setAcceptDrops(false);
  setAttribute(Qt::WA_InputMethodEnabled, true);
  showField();
  field_.subscribe([this] { showField(); });
}

void AmountFieldEdit::setHint(std::function<std::string()> hint) {
  hint_ = std::move(hint);
  showHint();
}

void AmountFieldEdit::showHint() {
  if (!hint_) return;
  const QString reason = QString::fromStdString(hint_());
  if (reason == toolTip()) return;
  setToolTip(reason);
  problem_ = !reason.isEmpty();
  if (problem_) raise();
  update();
}

void AmountFieldEdit::edit(const std::function<void(form::AmountField&)>& change) {
  edge_.run([&] { change(field_); });
  showField();
}

void AmountFieldEdit::showField() {
  const QString text = fromCp1254(field_.editText());
  if (text != this->text()) setText(text);
  const int length = static_cast<int>(text.size());
  const int cursor = std::clamp(field_.cursor(), 0, length);
  const int start = std::clamp(field_.selectionStart(), 0, length);
  const int selected = std::clamp(field_.selectionLength(), 0, length - start);
  if (selected > 0) {
    // The caret stands at the end of the selection where the field moved it.
    if (cursor == start)
      setSelection(start + selected, -selected);
    else
      setSelection(start, selected);
  } else {
    deselect();
    setCursorPosition(cursor);
  }
}

void AmountFieldEdit::typeText(const QString& text) {
  const std::string bytes = toCp1254(text);
  edit([&](form::AmountField& f) {
    for (char c : bytes) f.typeChar(c);
  });
}

void AmountFieldEdit::copySelection() {
  const std::string selected = field_.selectedText();
  if (!selected.empty()) QGuiApplication::clipboard()->setText(fromCp1254(selected));
}

void AmountFieldEdit::keyPressEvent(QKeyEvent* event) {
  const bool extend = event->modifiers() & Qt::ShiftModifier;
  const int cursor = field_.cursor();
  if (event->matches(QKeySequence::SelectAll)) {
    edit([](form::AmountField& f) { f.selectAll(); });
  } else if (event->matches(QKeySequence::Copy)) {
    copySelection();
  } else if (event->matches(QKeySequence::Cut)) {
    copySelection();
    if (field_.selectionLength() > 0) edit([](form::AmountField& f) { f.deleteForward(); });
  } else if (event->matches(QKeySequence::Paste)) {
    const std::string pasted = toCp1254(QGuiApplication::clipboard()->text());
    edit([&](form::AmountField& f) { f.paste(pasted); });
  } else if (event->key() == Qt::Key_Backspace) {
    edit([](form::AmountField& f) { f.backspace(); });
  } else if (event->key() == Qt::Key_Delete) {
    edit([](form::AmountField& f) { f.deleteForward(); });
  } else if (event->key() == Qt::Key_Left) {
    edit([&](form::AmountField& f) { f.moveCursor(cursor - 1, extend); });
  } else if (event->key() == Qt::Key_Right) {
    edit([&](form::AmountField& f) { f.moveCursor(cursor + 1, extend); });
  } else if (event->key() == Qt::Key_Home) {
    edit([&](form::AmountField& f) { f.moveCursor(0, extend); });
  } else if (event->key() == Qt::Key_End) {
    edit([&](form::AmountField& f) { f.moveCursor(form::AmountField::kLength, extend); });
  } else if (!event->text().isEmpty() && event->text().front() >= QChar(u' ') &&
             !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    typeText(event->text());
  } else {
    event->ignore();
    return;
  }
  event->accept();
}

void AmountFieldEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (!event->commitString().isEmpty()) typeText(event->commitString());
  event->accept();
}

void AmountFieldEdit::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (!hasFocus()) setFocus(Qt::MouseFocusReason);
  const int position = cursorPositionAt(event->position().toPoint());
  const bool extend = event->modifiers() & Qt::ShiftModifier;
  edit([&](form::AmountField& f) { f.moveCursor(position, extend); });
}

void AmountFieldEdit::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  const int position = cursorPositionAt(event->position().toPoint());
  edit([&](form::AmountField& f) { f.moveCursor(position, true); });
}

// The middle button pastes the X selection, typed into the mask like any paste.
void AmountFieldEdit::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::MiddleButton || !QGuiApplication::clipboard()->supportsSelection())
    return;
  const int position = cursorPositionAt(event->position().toPoint());
  const std::string pasted = toCp1254(QGuiApplication::clipboard()->text(QClipboard::Selection));
  edit([&](form::AmountField& f) {
    f.moveCursor(position);
    f.paste(pasted);
  });
}

void AmountFieldEdit::mouseDoubleClickEvent(QMouseEvent*) {
  edit([](form::AmountField& f) { f.selectAll(); });
}

void AmountFieldEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  edit([](form::AmountField& f) { f.focusIn(); });
}

// The line edit's own menu would edit the text past the amount field.
void AmountFieldEdit::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
}

void AmountFieldEdit::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  drawFieldBorder(*this, problem_);
}

}  // namespace app
