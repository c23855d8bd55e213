#pragma once

#include <cstddef>
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
  std::size_t built = 0;  // components of the catalogue built so far, in its order

  QWidget* find(std::string_view name) const;
};

// Builds the components in the catalogue's order up to the first of those
// that, with all after them, lie below the given height of the form: the part
// seen when the window opens. The payee list's cells and the lower tables
// are most of the form's fields.
FormWidgets buildFormWidgets(form::Form& form, const HandlerEdge& edge, int seenHeight);
// Builds the rest, in the same order, so that every widget stacks as it would
// had all been built at once.
void buildRestOfForm(form::Form& form, const HandlerEdge& edge, FormWidgets& widgets);

// Width of the client area's content: the right edge of the payee list.
inline constexpr int kClientContentWidth = 611;

}  // namespace app
