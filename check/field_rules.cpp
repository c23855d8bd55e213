#include "check/field_rules.h"

#include <array>
#include <charconv>
#include <optional>

#include "check/declaration_check.h"
#include "form/catalogue.h"
#include "form/cp1254.h"
#include "form/identity_number.h"

namespace check {
namespace {

// Upper case in code page 1254 by our own table: i is İ and ı is I, as in
// Turkish, whatever the process locale says.
char upper(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (c == 'i') return '\xDD';
  if (byte == 0xFD) return 'I';
  if (c >= 'a' && c <= 'z') return char(c - 'a' + 'A');
  switch (byte) {
    case 0xE7: return '\xC7';  // ç
    case 0xF0: return '\xD0';  // ğ
    case 0xF6: return '\xD6';  // ö
    case 0xFE: return '\xDE';  // ş
    case 0xFC: return '\xDC';  // ü
  }
  return c;
}

bool isLetter(char c) {
  const char u = upper(c);
  return (u >= 'A' && u <= 'Z') || u == '\xDD' || u == '\xC7' || u == '\xD0' || u == '\xD6' ||
         u == '\xDE' || u == '\xDC';
}

// Month names as the period field writes them, upper case, code page 1254.
constexpr std::array<const char*, 12> kMonths = {
    "OCAK", "\xDE" "UBAT", "MART", "N\xDD" "SAN", "MAYIS", "HAZ\xDD" "RAN",
    "TEMMUZ", "A\xD0" "USTOS", "EYL\xDC" "L", "EK\xDD" "M", "KASIM", "ARALIK"};

bool allDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::optional<int> numberAfter(std::string_view name, std::string_view prefix) {
  if (name.substr(0, prefix.size()) != prefix) return std::nullopt;
  const std::string_view digits = name.substr(prefix.size());
  int number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return number;
}

std::string identityMessage(form::IdentityKind kind, form::IdentityProblem problem) {
  const bool tax = kind == form::IdentityKind::TaxNumber;
  std::string message = tax ? "Vergi kimlik numarası geçersiz: " : "T.C. kimlik numarası geçersiz: ";
  switch (problem) {
    case form::IdentityProblem::NotDigits:
      return message + "yalnız rakamlardan oluşmalı.";
    case form::IdentityProblem::WrongLength:
      return message + (tax ? "10 haneli olmalı." : "11 haneli olmalı.");
    case form::IdentityProblem::LeadingZero:
      return message + "0 ile başlayamaz.";
    case form::IdentityProblem::CheckDigit:
      return message + "kontrol haneleri tutmuyor; bir rakam yanlış yazılmış olabilir.";
    case form::IdentityProblem::None:
      break;
  }
  return "";
}

// The payee's "Vergi Dairesi ve Vergi Kimlik No": the last run of digits is
// the number, 10 digits for a tax number and 11 for an identity number.
std::string payeeNumberProblem(std::string_view text) {
  const std::string whole = trimmed(text);
  std::size_t start = whole.size();
  while (start > 0 && whole[start - 1] >= '0' && whole[start - 1] <= '9') --start;
  const std::string_view number = std::string_view(whole).substr(start);
  if (number.size() != 10 && number.size() != 11) {
    return "Vergi dairesinden sonra 10 haneli vergi kimlik numarası ya da 11 haneli T.C. kimlik "
           "numarası olmalı.";
  }
  const auto kind =
      number.size() == 10 ? form::IdentityKind::TaxNumber : form::IdentityKind::IdentityNumber;
  return identityMessage(kind, form::checkIdentityNumber(kind, number));
}


}  // namespace

bool isBlank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

std::string trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string toUtf8(std::string_view cp1254) {
  return form::cp1254ToUtf8(cp1254);
}

std::vector<int> monthsNamedIn(std::string_view period) {
  std::vector<int> months;
  bool range = false;
  std::size_t i = 0;
  while (i < period.size()) {
    if (!isLetter(period[i])) {
      if (period[i] == '-' && !months.empty()) range = true;
      ++i;
      continue;
    }
    std::string word;
    for (; i < period.size() && isLetter(period[i]); ++i) word += upper(period[i]);
    for (int m = 1; m <= 12; ++m) {
      if (word != kMonths[std::size_t(m - 1)]) continue;
      for (int between = range ? months.back() + 1 : m; between < m; ++between)
        months.push_back(between);
      months.push_back(m);
    }
    range = false;
  }
  return months;
}

std::string monthName(int month) {
  return toUtf8(kMonths.at(std::size_t(month - 1)));
}

std::string contactProblem(std::string_view field, std::string_view text) {
  const std::string value = trimmed(text);
  if (value.empty()) return "";
  if (field == "Edit5_1" || field == "Edit24") {
    const std::size_t at = value.find('@');
    const bool fine = at != std::string::npos && at > 0 && value.find('@', at + 1) == std::string::npos &&
                      value.find('.', at + 2) != std::string::npos && value.back() != '.' &&
                      value.find(' ') == std::string::npos;
    return fine ? "" : "E-posta adresi ad@alan.uzantı biçiminde olmalı.";
  }
  if (field == "Edit5_2" && !(value.size() == 3 && allDigits(value)))
    return "Alan kodu üç haneli olmalı.";
  if (field == "Edit5_3" && !(value.size() == 7 && allDigits(value)))
    return "Telefon numarası yedi haneli olmalı.";
  return "";
}

bool isCodeField(std::string_view field) {
  const auto edit = numberAfter(field, "Edit");
  if (!edit) return false;
  return (*edit >= 8 && *edit <= 16) ||
         (*edit >= 31 && *edit <= 3 * form::kPayeeRows + 28 && (*edit - 31) % 3 == 0);
}

std::string grossFieldOf(std::string_view taxField) {
  const auto maskEdit = numberAfter(taxField, "MaskEdit");
  if (!maskEdit) return "";
  if (*maskEdit >= 10 && *maskEdit <= 18) return form::maskEditName(*maskEdit - 9);
  if (*maskEdit >= 26 && *maskEdit <= 2 * form::kPayeeRows + 24 && *maskEdit % 2 == 0)
    return form::maskEditName(*maskEdit - 1);
  return "";
}

std::string textFieldProblem(std::string_view field, std::string_view text) {
  const auto edit = numberAfter(field, "Edit");
  if (!edit || isBlank(text)) return "";
  if (isCodeField(field)) {
    const std::string code = trimmed(text);
    return code.size() == 3 && allDigits(code) ? "" : "Ödeme türü kodu üç haneli bir sayı olmalı.";
  }
  const form::IdentityFieldCheck kind = form::identityFieldCheckOf(field);
  if (kind == form::IdentityFieldCheck::NumberAtEnd) return payeeNumberProblem(text);
  if (kind == form::IdentityFieldCheck::None) return "";
  const form::IdentityFinding finding = form::checkIdentityField(kind, text);
  return identityMessage(finding.kind, finding.problem);
}

std::string fieldProblem(const Values& values, std::string_view field) {
  if (field.substr(0, 4) == "Edit") return textFieldProblem(field, values.text(field));
  const std::string gross = grossFieldOf(field);
  if (gross.empty()) return "";
  const auto tax = values.cents(field);
  if (tax && *tax > values.cents(gross).value_or(0)) return "Vergi tutarı gayrisafi tutarı aşıyor.";
  return "";
}

}  // namespace check
