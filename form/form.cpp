#include "form/form.h"

#include <cstdio>
#include <cstdlib>

#include "form/catalogue.h"
#include "form/cp1254.h"
#include "form/totals.h"

namespace form {
namespace {

[[noreturn]] void programmingError(const char* what, std::string_view name) {
  std::fprintf(stderr, "muhtasar: %s: %.*s\n", what, static_cast<int>(name.size()), name.data());
  std::abort();
}

const char* kindName(FieldKind kind) {
  switch (kind) {
    case FieldKind::Text: return "text field";
    case FieldKind::Amount: return "amount field";
    case FieldKind::Display: return "display field";
    case FieldKind::Check: return "check box";
  }
  return "field";
}

}  // namespace

Form::Form() {
  for (const Component& c : catalogue()) {
    std::unique_ptr<Field> field;
    switch (c.kind) {
      case ComponentKind::TextField:
        field = std::make_unique<TextField>(c.name, utf8ToCp1254(c.caption));
        break;
      case ComponentKind::AmountField:
        field = std::make_unique<AmountField>(c.name);
        break;
      case ComponentKind::DisplayField:
        field = std::make_unique<DisplayField>(c.name, utf8ToCp1254(c.caption));
        break;
      case ComponentKind::CheckBox:
        field = std::make_unique<CheckBox>(c.name);
        break;
      default:
        continue;
    }
    order_.push_back(field.get());
    byName_.emplace(c.name, field.get());
    owned_.push_back(std::move(field));
  }
  bindChangeHandlers(*this);
}

bool Form::contains(std::string_view name) const { return byName_.find(name) != byName_.end(); }

Field& Form::field(std::string_view name) {
  return const_cast<Field&>(static_cast<const Form&>(*this).field(name));
}

const Field& Form::field(std::string_view name) const {
  auto it = byName_.find(name);
  if (it == byName_.end()) programmingError("no field of form 1003 is named", name);
  return *it->second;
}

template <typename T>
T& Form::as(std::string_view name, FieldKind kind) const {
  const Field& f = field(name);
  if (f.kind() != kind) programmingError(kindName(kind), name);
  return const_cast<T&>(static_cast<const T&>(f));
}

TextField& Form::edit(std::string_view n) { return as<TextField>(n, FieldKind::Text); }
const TextField& Form::edit(std::string_view n) const { return as<TextField>(n, FieldKind::Text); }
AmountField& Form::maskEdit(std::string_view n) { return as<AmountField>(n, FieldKind::Amount); }
const AmountField& Form::maskEdit(std::string_view n) const {
  return as<AmountField>(n, FieldKind::Amount);
}
DisplayField& Form::staticText(std::string_view n) {
  return as<DisplayField>(n, FieldKind::Display);
}
const DisplayField& Form::staticText(std::string_view n) const {
  return as<DisplayField>(n, FieldKind::Display);
}
CheckBox& Form::checkBox(std::string_view n) { return as<CheckBox>(n, FieldKind::Check); }
const CheckBox& Form::checkBox(std::string_view n) const { return as<CheckBox>(n, FieldKind::Check); }

TextField& Form::edit(int n) { return edit(editName(n)); }
const TextField& Form::edit(int n) const { return edit(editName(n)); }
AmountField& Form::maskEdit(int n) { return maskEdit(maskEditName(n)); }
const AmountField& Form::maskEdit(int n) const { return maskEdit(maskEditName(n)); }
DisplayField& Form::staticText(int n) { return staticText(staticTextName(n)); }
const DisplayField& Form::staticText(int n) const { return staticText(staticTextName(n)); }
CheckBox& Form::checkBox(int n) { return checkBox(checkBoxName(n)); }
const CheckBox& Form::checkBox(int n) const { return checkBox(checkBoxName(n)); }

}  // namespace form
