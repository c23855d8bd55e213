#include "app/qt/text_field_edit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "app/qt/component_look.h"
#include "app/qt/cp1254_text.h"
#include "app/qt/error_report.h"
#include "app/identity_hint.h"

namespace app {
namespace {

// A typed character, as opposed to navigation, editing and shortcut keys,
// which carry no text or a control character.
bool typedCharacter(const QKeyEvent& event, char32_t& character) {
  if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
  const QList<uint> characters = event.text().toUcs4();
  if (characters.size() != 1) return false;
  character = characters.front();
  return character >= 0x20 && character != 0x7F;
}

}  // namespace

TextFieldEdit::TextFieldEdit(form::TextField& field, form::KeyFilter keyFilter,
                             const HandlerEdge& edge, QWidget* parent)
    : QLineEdit(parent),
      field_(field),
      keyFilter_(keyFilter),
      edge_(edge),
      checked_(takesTextFieldHint(field.name())) {
  setFrame(false);
  setTextMargins(1, 0, 0, 0);
  setText(fromCp1254(field_.text()));
  setCursorPosition(0);
  // A paste or drop would pass by the key filter.
  if (keyFilter_ != nullptr) {
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
  }
  connect(this, &QLineEdit::textEdited, this, &TextFieldEdit::sendToField);
  field_.subscribe([this] { showFieldText(); });
  showIdentityCheck();
}

void TextFieldEdit::showFieldText() {
  showIdentityCheck();
  const QString text = fromCp1254(field_.text());
  if (text == this->text()) return;
  const int position = cursorPosition();
  setText(text);
  setCursorPosition(std::min(position, static_cast<int>(text.size())));
}

// Checks the text as the form holds it, whoever set it: typed, loaded,
// computed or carried over.
void TextFieldEdit::showIdentityCheck() {
  if (!checked_) return;
  const QString reason = QString::fromStdString(textFieldHint(field_.name(), field_.text()));
  if (reason == toolTip()) return;
  setToolTip(reason);
  identityProblem_ = !reason.isEmpty();
  // In the payee list neighbouring fields share their borders: the field
  // with the problem goes on top, so that its frame shows on all four sides.
  if (identityProblem_) raise();
  update();
}

void TextFieldEdit::sendToField(const QString& text) {
  edge_.run([&] { field_.setText(toCp1254(text)); });
  // A character without a place in the code page came back as "?".
  showFieldText();
}

bool TextFieldEdit::filterRefuses(char32_t character) const {
  return keyFilter_ != nullptr && keyFilter_(field_.text(), toCp1254(character)) == 0;
}

void TextFieldEdit::keyPressEvent(QKeyEvent* event) {
  char32_t character = 0;
  if (keyFilter_ != nullptr && typedCharacter(*event, character) && filterRefuses(character)) {
    event->accept();
    return;
  }
  if (keyFilter_ != nullptr && event->matches(QKeySequence::Paste)) {
    pasteThroughFilter(QClipboard::Clipboard);
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

// Pasted text goes through the field's key filter character by character, as
// if it were typed.
void TextFieldEdit::pasteThroughFilter(QClipboard::Mode mode) {
  const QString pasted = QGuiApplication::clipboard()->text(mode);
  for (char32_t character : pasted.toUcs4()) {
    if (character < 0x20 || filterRefuses(character)) continue;
    insert(QString::fromUcs4(&character, 1));
    sendToField(text());
  }
}

// The middle button pastes the X selection: through the filter too.
void TextFieldEdit::mouseReleaseEvent(QMouseEvent* event) {
  if (keyFilter_ != nullptr && event->button() == Qt::MiddleButton) {
    if (QGuiApplication::clipboard()->supportsSelection()) {
      setCursorPosition(cursorPositionAt(event->position().toPoint()));
      pasteThroughFilter(QClipboard::Selection);
    }
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

// Moving the focus into a text field leaves its text unselected.
void TextFieldEdit::focusInEvent(QFocusEvent* event) {
  const int position = cursorPosition();
  QLineEdit::focusInEvent(event);
  if (event->reason() != Qt::MouseFocusReason) {
    deselect();
    setCursorPosition(position);
  }
}

void TextFieldEdit::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  drawFieldBorder(*this, identityProblem_);
}

}  // namespace app
