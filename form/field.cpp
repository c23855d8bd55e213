#include "form/field.h"

#include <utility>

namespace form {

Field::Field(std::string name, FieldKind kind) : name_(std::move(name)), kind_(kind) {}

void Field::subscribe(Listener listener) { listeners_.push_back(std::move(listener)); }

void Field::notify() const {
  // A listener may subscribe further listeners; iterate by index over the list as it was.
  const size_t count = listeners_.size();
  for (size_t i = 0; i < count; ++i) listeners_[i]();
}

TextField::TextField(std::string name, std::string initialText)
    : Field(std::move(name), FieldKind::Text), text_(std::move(initialText)) {}

void TextField::setText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  notify();
}

DisplayField::DisplayField(std::string name, std::string initialCaption)
    : Field(std::move(name), FieldKind::Display), caption_(std::move(initialCaption)) {}

void DisplayField::setCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  notify();
}

CheckBox::CheckBox(std::string name) : Field(std::move(name), FieldKind::Check) {}

void CheckBox::setChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  notify();
}

}  // namespace form
