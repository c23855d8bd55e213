#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "form/amount_field.h"
#include "form/field.h"

namespace form {

// The declaration as the fields of form "1003": the one copy of it in memory.
// Built from the catalogue with every initial text; the live totals are bound
// to their trigger fields by the handler names of the catalogue.
//
// Looking up a name outside the catalogue, or a field as the wrong kind, is a
// programming error: the program stops with a message naming the field.
class Form {
 public:
  Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  bool contains(std::string_view name) const;

  Field& field(std::string_view name);
  const Field& field(std::string_view name) const;

  TextField& edit(std::string_view name);
  const TextField& edit(std::string_view name) const;
  AmountField& maskEdit(std::string_view name);
  const AmountField& maskEdit(std::string_view name) const;
  DisplayField& staticText(std::string_view name);
  const DisplayField& staticText(std::string_view name) const;
  CheckBox& checkBox(std::string_view name);
  const CheckBox& checkBox(std::string_view name) const;

  // By number, as the loops of the program build the names ("Edit" + n ...).
  TextField& edit(int number);
  const TextField& edit(int number) const;
  AmountField& maskEdit(int number);
  const AmountField& maskEdit(int number) const;
  DisplayField& staticText(int number);
  const DisplayField& staticText(int number) const;
  CheckBox& checkBox(int number);
  const CheckBox& checkBox(int number) const;

  // Every field in catalogue order.
  const std::vector<Field*>& fields() const { return order_; }

 private:
  template <typename T>
  T& as(std::string_view name, FieldKind kind) const;

  std::vector<std::unique_ptr<Field>> owned_;
  std::vector<Field*> order_;
  // Hashed: a save, a load and the totals look fields up by name hundreds of times.
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const noexcept {
      return std::hash<std::string_view>{}(name);
    }
  };
  std::unordered_map<std::string, Field*, NameHash, std::equal_to<>> byName_;
};

}  // namespace form
