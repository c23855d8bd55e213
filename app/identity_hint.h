#pragma once

#include <string>
#include <string_view>

namespace app {

// Why a tax number or national identity number field's text is not a valid
// number, for the field's red frame and tooltip (UTF-8); empty when it is
// valid, or when the field takes no such number. What was typed is kept as it
// stands: the hint only shows.
std::string identityHint(std::string_view fieldName, std::string_view cp1254Text);

// Whether the field takes such a number at all.
bool takesIdentityNumber(std::string_view fieldName);

// The hint of any text field that the window frames as it is typed: the
// identity numbers as above, and the payment type codes by the declaration's
// check. Empty when the text is fine or empty.
std::string textFieldHint(std::string_view fieldName, std::string_view cp1254Text);
bool takesTextFieldHint(std::string_view fieldName);

}  // namespace app
