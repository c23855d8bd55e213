#include "form/amount_field.h"

#include <algorithm>
#include <utility>

#include "form/ascii.h"

namespace form {
namespace {

constexpr char kBlank = '_';

}  // namespace

AmountField::AmountField(std::string name)
    : Field(std::move(name), FieldKind::Amount), editText_(kEmptyEditText) {}

bool AmountField::isDigitPosition(int position) {
  return position >= 0 && position < kLength && position != 3 && position != 7 &&
         position != 11;
}

std::string AmountField::applyMask(std::string_view text) {
  std::string masked(kEmptyEditText);
  for (int i = 0; i < kLength && i < static_cast<int>(text.size()); ++i) {
    if (isDigitPosition(i) && isAsciiDigit(text[i])) masked[i] = text[i];
  }
  return masked;
}

std::string AmountField::text() const {
  std::string t = editText_;
  std::replace(t.begin(), t.end(), kBlank, ' ');
  return t;
}

void AmountField::setText(std::string_view text) { setEditText(applyMask(text)); }

void AmountField::setEditText(std::string editText) {
  selLength_ = 0;
  cursor_ = std::min(cursor_, static_cast<int>(editText.size()));
  selStart_ = anchor_ = cursor_;
  // Compared here, in the parameter itself: passing it on by value made GCC's
  // optimiser see a moved-into temporary it took for uninitialised.
  if (editText == editText_) return;
  editText_ = std::move(editText);
  notify();
}

// The edit has been made in editText_; tell the listeners only if the text
// differs from what it was before the edit.
void AmountField::commitEdit(const std::string& before) {
  if (editText_ != before) notify();
}

void AmountField::normalizeForEditing() {
  std::string masked = applyMask(editText_);
  if (masked == editText_) return;
  editText_ = std::move(masked);
  // A longer raw text let the cursor and the selection stand past the 14
  // positions that remain.
  const int selectionEnd = std::min(selStart_ + selLength_, kLength);
  selStart_ = std::min(selStart_, kLength);
  selLength_ = selectionEnd - selStart_;
  cursor_ = std::min(cursor_, kLength);
  anchor_ = std::min(anchor_, kLength);
}

void AmountField::setCursorOnly(int position) {
  cursor_ = std::clamp(position, 0, kLength);
  selStart_ = anchor_ = cursor_;
  selLength_ = 0;
}

void AmountField::focusIn() { setCursorOnly(0); }

void AmountField::moveCursor(int position, bool extend) {
  const int length = static_cast<int>(editText_.size());
  position = std::clamp(position, 0, std::max(length, kLength));
  if (!extend) {
    setCursorOnly(position);
    return;
  }
  if (selLength_ == 0) anchor_ = cursor_;
  cursor_ = position;
  selStart_ = std::min(anchor_, position);
  selLength_ = std::abs(position - anchor_);
}

void AmountField::selectAll() {
  anchor_ = 0;
  cursor_ = kLength;
  selStart_ = 0;
  selLength_ = kLength;
}

std::string AmountField::selectedText() const {
  if (selLength_ == 0 || selStart_ >= static_cast<int>(editText_.size())) return {};
  return editText_.substr(selStart_, selLength_);
}

// Blanks every digit position of the selection into editText_ (without telling
// the listeners yet) and leaves the cursor at its start.
bool AmountField::clearSelection() {
  if (selLength_ == 0) return false;
  const int start = selStart_;
  const int end = std::min(selStart_ + selLength_, kLength);
  for (int i = start; i < end; ++i) {
    if (isDigitPosition(i)) editText_[i] = kBlank;
  }
  setCursorOnly(start);
  return true;
}

void AmountField::typeChar(char c) {
  const std::string before = editText_;
  typeWithoutNotice(c);
  commitEdit(before);
}

void AmountField::typeWithoutNotice(char c) {
  if (c == '.') {
    setCursorOnly(12);
    return;
  }
  if (c == ',') {
    for (int comma : {3, 7}) {
      if (comma >= cursor_) {
        setCursorOnly(comma + 1);
        return;
      }
    }
    return;
  }
  if (!isAsciiDigit(c) && c != ' ') return;

  normalizeForEditing();
  clearSelection();
  int position = cursor_;
  while (position < kLength && !isDigitPosition(position)) ++position;
  if (position < kLength) {
    editText_[position] = c == ' ' ? kBlank : c;
    int next = position + 1;
    while (next < kLength && !isDigitPosition(next)) ++next;
    setCursorOnly(next);
  }
}

void AmountField::backspace() {
  const std::string before = editText_;
  normalizeForEditing();
  if (!clearSelection()) {
    int position = std::min(cursor_, kLength) - 1;
    while (position >= 0 && !isDigitPosition(position)) --position;
    if (position >= 0) {
      editText_[position] = kBlank;
      setCursorOnly(position);
    }
  }
  commitEdit(before);
}

void AmountField::deleteForward() {
  const std::string before = editText_;
  normalizeForEditing();
  if (!clearSelection()) {
    int position = cursor_;
    while (position < kLength && !isDigitPosition(position)) ++position;
    if (position < kLength) editText_[position] = kBlank;
  }
  commitEdit(before);
}

// A paste is one edit: the totals run once, on the pasted amount, not on
// every partial amount on the way there.
void AmountField::paste(std::string_view text) {
  const std::string before = editText_;
  for (char c : text) typeWithoutNotice(c);
  commitEdit(before);
}

}  // namespace form
