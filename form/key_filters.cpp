#include "form/key_filters.h"

#include "form/ascii.h"

namespace form {

char Edit5KeyPress(std::string_view, char key) {
  return isAsciiDigit(key) || key == kBackspace || key == kEnter ? key : 0;
}

// The rate is a decimal fraction: one "." at most, wherever the selection is.
char Edit18KeyPress(std::string_view currentText, char key) {
  if (key == '.') return currentText.find('.') == std::string_view::npos ? key : 0;
  return isAsciiDigit(key) || key == kBackspace || key == kEnter ? key : 0;
}

KeyFilter keyFilterFor(std::string_view handlerName) {
  if (handlerName == "Edit5KeyPress") return Edit5KeyPress;
  if (handlerName == "Edit18KeyPress") return Edit18KeyPress;
  return nullptr;
}

}  // namespace form
