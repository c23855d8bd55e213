#pragma once

#include <string_view>

namespace form {

constexpr char kBackspace = 8;
constexpr char kEnter = 13;

// Field-level key filters: given the field's current text and the typed
// character, they give the character to pass on, or 0 to discard it.
char Edit5KeyPress(std::string_view currentText, char key);   // Edit5 and Edit17: counts
char Edit18KeyPress(std::string_view currentText, char key);  // the rate field

// The filter that the catalogue binds by handler name; null when none.
using KeyFilter = char (*)(std::string_view, char);
KeyFilter keyFilterFor(std::string_view handlerName);

}  // namespace form
