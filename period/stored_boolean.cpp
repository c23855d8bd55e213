#include "period/stored_boolean.h"

#include "form/ascii.h"
#include "period/ini_file.h"

namespace period {
namespace {

// A decimal number: sign, digits with an optional decimal point, optional
// exponent. Only whether a digit other than zero appears in the digits before
// the exponent decides its truth, so no text is too long to read.
std::optional<bool> readDecimal(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  bool digits = false;
  bool nonZero = false;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (form::isAsciiDigit(c)) {
      digits = true;
      nonZero = nonZero || c != '0';
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const size_t exponentStart = i;
    while (i < text.size() && form::isAsciiDigit(text[i])) ++i;
    if (i == exponentStart) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  return nonZero;
}

}  // namespace

std::optional<bool> readStoredBoolean(std::string_view value) {
  if (const auto number = readDecimal(value)) return number;
  if (sameName(value, "True")) return true;
  if (sameName(value, "False")) return false;
  return std::nullopt;
}

}  // namespace period
