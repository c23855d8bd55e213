#include "form/identity_number.h"

#include <charconv>

#include "form/ascii.h"

namespace form {
namespace {

constexpr size_t kTaxNumberDigits = 10;
constexpr size_t kIdentityNumberDigits = 11;

size_t digitCount(IdentityKind kind) {
  return kind == IdentityKind::TaxNumber ? kTaxNumberDigits : kIdentityNumberDigits;
}

std::string_view withoutBlanksAround(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

int digit(std::string_view digits, size_t position) {
  return digits[position - 1] - '0';
}

// d10 from the first nine digits: each digit shifted by its place and
// weighted by a power of two, folded into 1..9 the way the office does it.
bool taxNumberCheckDigitHolds(std::string_view d) {
  int sum = 0;
  for (int i = 1; i <= 9; ++i) {
    const int t = (digit(d, static_cast<size_t>(i)) + 10 - i) % 10;
    sum += t == 9 ? 9 : (t * (1 << (10 - i))) % 9;
  }
  return digit(d, 10) == (10 - sum % 10) % 10;
}

bool identityNumberCheckDigitsHold(std::string_view d) {
  const int odd = digit(d, 1) + digit(d, 3) + digit(d, 5) + digit(d, 7) + digit(d, 9);
  const int even = digit(d, 2) + digit(d, 4) + digit(d, 6) + digit(d, 8);
  const int tenth = ((odd * 7 - even) % 10 + 10) % 10;
  if (digit(d, 10) != tenth) return false;
  int sum = 0;
  for (size_t i = 1; i <= 10; ++i) sum += digit(d, i);
  return digit(d, 11) == sum % 10;
}

IdentityProblem checkDigits(IdentityKind kind, std::string_view digits) {
  if (digits.size() != digitCount(kind)) return IdentityProblem::WrongLength;
  if (kind == IdentityKind::TaxNumber)
    return taxNumberCheckDigitHolds(digits) ? IdentityProblem::None : IdentityProblem::CheckDigit;
  if (digits.front() == '0') return IdentityProblem::LeadingZero;
  return identityNumberCheckDigitsHold(digits) ? IdentityProblem::None
                                               : IdentityProblem::CheckDigit;
}

// The payee list's text fields are Edit29 to Edit214, three to a row; the
// second of each row, Edit(3r + 27), holds tax office and number.
bool isPayeeTaxOfficeField(std::string_view name) {
  if (name.substr(0, 4) != "Edit") return false;
  const std::string_view number = name.substr(4);
  int n = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), n);
  if (error != std::errc() || end != number.data() + number.size() || number.front() == '0')
    return false;
  return n >= 30 && n <= 213 && n % 3 == 0;
}

}  // namespace

IdentityProblem checkIdentityNumber(IdentityKind kind, std::string_view text) {
  const std::string_view digits = withoutBlanksAround(text);
  if (digits.empty()) return IdentityProblem::None;
  for (char c : digits) {
    if (!isAsciiDigit(c)) return IdentityProblem::NotDigits;
  }
  return checkDigits(kind, digits);
}

IdentityFieldCheck identityFieldCheckOf(std::string_view fieldName) {
  if (fieldName == "Edit3" || fieldName == "Edit22") return IdentityFieldCheck::TaxNumber;
  if (fieldName == "Edit4" || fieldName == "Edit23") return IdentityFieldCheck::IdentityNumber;
  if (isPayeeTaxOfficeField(fieldName)) return IdentityFieldCheck::NumberAtEnd;
  return IdentityFieldCheck::None;
}

IdentityFinding checkIdentityField(IdentityFieldCheck check, std::string_view text) {
  switch (check) {
    case IdentityFieldCheck::None:
      return {};
    case IdentityFieldCheck::TaxNumber:
      return {IdentityKind::TaxNumber, checkIdentityNumber(IdentityKind::TaxNumber, text)};
    case IdentityFieldCheck::IdentityNumber:
      return {IdentityKind::IdentityNumber,
              checkIdentityNumber(IdentityKind::IdentityNumber, text)};
    case IdentityFieldCheck::NumberAtEnd: {
      const std::string_view trimmed = withoutBlanksAround(text);
      size_t start = trimmed.size();
      while (start > 0 && isAsciiDigit(trimmed[start - 1])) --start;
      const std::string_view digits = trimmed.substr(start);
      if (digits.size() == kTaxNumberDigits)
        return {IdentityKind::TaxNumber, checkDigits(IdentityKind::TaxNumber, digits)};
      if (digits.size() == kIdentityNumberDigits)
        return {IdentityKind::IdentityNumber, checkDigits(IdentityKind::IdentityNumber, digits)};
      return {};
    }
  }
  return {};
}

}  // namespace form
