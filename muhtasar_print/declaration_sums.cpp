#include "muhtasar_print/declaration_sums.h"

#include <cstdlib>
#include <optional>

#include "form/catalogue.h"
#include "muhtasar_print/amount_text.h"
#include "muhtasar_print/field_titles.h"
#include "muhtasar_print/print_file_lines.h"

namespace muhtasar_print {
namespace {

using form::maskEditName;
using form::staticTextName;
using Cents = long long;

class Checker {
 public:
  explicit Checker(const PrintFile& file) : file_(file) {}

  // An amount of the file in cents; nothing for a pair that is not digits.
  std::optional<Cents> cents(const std::string& field) const {
    const int line = lineOfField(field).number;
    Cents value = 0;
    int digits = 0;
    for (const std::string* part : {&file_.line(line), &file_.line(line + 1)}) {
      for (char c : *part) {
        if (c == ' ') continue;
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        ++digits;
      }
    }
    if (digits > 15) return std::nullopt;
    return value;
  }

  // The result's magnitude must be |candidate| for one of the candidates, in
  // order. Returns the signed value that holds, else the file's magnitude.
  std::optional<Cents> expect(const std::string& result, const char* relation,
                              std::initializer_list<std::optional<Cents>> candidates) {
    const std::optional<Cents> shown = cents(result);
    if (!shown) return std::nullopt;
    bool operandsKnown = true;
    for (const std::optional<Cents>& candidate : candidates) {
      if (!candidate) {
        operandsKnown = false;
        continue;
      }
      if (std::llabs(*candidate) != *shown) continue;
      if (*candidate < 0) {
        check_.negative.insert(lineOfField(result).number);
        check_.reports.push_back(fieldTitle(result) + ": " + relation +
                                 " eksi çıkıyor; tutar eksi işaretiyle basıldı.");
      }
      return *candidate;
    }
    if (operandsKnown && candidates.size() > 0) {
      const Cents expected = **candidates.begin();
      check_.mismatches.push_back(fieldTitle(result) + " tutmuyor: " + relation + " " +
                                  signedText(expected) + " olmalı, dosyada " +
                                  signedText(*shown) + "; dosyadaki tutar basıldı.");
      check_.reports.push_back(check_.mismatches.back());
    }
    return *shown;
  }

  SumCheck take() { return std::move(check_); }

 private:
  static std::string signedText(Cents value) {
    std::string integer = std::to_string(std::llabs(value) / 100);
    std::string decimals = std::to_string(std::llabs(value) % 100);
    if (decimals.size() < 2) decimals.insert(decimals.begin(), '0');
    std::string text(value < 0 ? 1 : 0, '-');
    text += formatAmount(integer, decimals, Zero::Shown);
    return text;
  }

  const PrintFile& file_;
  SumCheck check_;
};

std::optional<Cents> sumOf(const Checker& checker, int first, int last) {
  Cents sum = 0;
  for (int n = first; n <= last; ++n) {
    const std::optional<Cents> value = checker.cents(maskEditName(n));
    if (!value) return std::nullopt;
    sum += *value;
  }
  return sum;
}

std::optional<Cents> operator-(std::optional<Cents> a, std::optional<Cents> b) {
  if (!a || !b) return std::nullopt;
  return *a - *b;
}
std::optional<Cents> operator+(std::optional<Cents> a, std::optional<Cents> b) {
  if (!a || !b) return std::nullopt;
  return *a + *b;
}
std::optional<Cents> magnitude(std::optional<Cents> a) {
  if (!a) return std::nullopt;
  return std::llabs(*a);
}

}  // namespace

SumCheck checkSums(const PrintFile& file) {
  Checker c(file);
  auto amount = [&](int maskEdit) { return c.cents(maskEditName(maskEdit)); };
  const auto row17a = c.expect(staticTextName(1), "8-16 toplamı", {sumOf(c, 1, 9)});
  const auto row17b = c.expect(staticTextName(2), "8-16 toplamı", {sumOf(c, 10, 18)});
  const auto row19 = c.expect(staticTextName(41), "17b-18", {row17b - amount(19)});
  const auto row22 = c.expect(staticTextName(42), "20+21", {amount(20) + amount(21)});
  // Row 24 is row 21 times the rate, which the file does not carry: without
  // row 21 it can only be nothing.
  if (amount(21) == 0) c.expect(staticTextName(45), "21 x oran", {0});
  const auto row24 = c.cents(staticTextName(45));
  c.expect(staticTextName(37), "17a", {row17a});
  const auto tableTwo2 = c.expect(staticTextName(38), "19", {row19});
  const auto tableTwo3 = c.expect(staticTextName(39), "22", {row22});
  // The window takes row 2 signed after a change of rows 8-18, and as shown
  // after a change of rows 20-23: either is what it wrote.
  c.expect(staticTextName(40), "2-3", {tableTwo2 - tableTwo3, magnitude(tableTwo2) - tableTwo3});
  c.expect(staticTextName(46), "23+24", {amount(22) + row24});
  c.expect(staticTextName(52), "25", {amount(23)});
  return c.take();
}

}  // namespace muhtasar_print
