#pragma once

#include <map>
#include <string>
#include <string_view>

class QScrollArea;
class QWidget;

namespace form {
class Form;
}

namespace app {

class HandlerEdge;

// The form's components as widgets, built from the catalogue: every field
// bound to its field of the form, every label, box and panel at its place.
struct FormWidgets {
  QWidget* content = nullptr;        // the client area's scrolled content
  QScrollArea* payeeList = nullptr;  // the scroll box "V"
  std::map<std::string, QWidget*, std::less<>> byName;

  QWidget* find(std::string_view name) const;
};

FormWidgets buildFormWidgets(form::Form& form, const HandlerEdge& edge);

// Width of the client area's content: the right edge of the payee list.
inline constexpr int kClientContentWidth = 611;

}  // namespace app
