#include "form/amount_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "form/ascii.h"

namespace form {
namespace {

// Rounds the decimal digits of a non-negative number half away from zero at the
// given number of decimals. The digits come from the exact binary value (far
// more digits than a double carries), so only values that are exactly halfway,
// such as 0.125 or 2.5, round up because of the tie.
std::string roundedDigits(double magnitude, int decimals) {
  constexpr int kGuardDigits = 25;
  const int precision = decimals + kGuardDigits;
  // The largest double has 309 integer digits; decimals are at most a few.
  // to_chars writes the same digits in every locale: the process locale (which
  // Qt sets from the desktop's, a decimal comma in Turkish) never reaches them.
  char buffer[512];
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, precision);
  std::string text(buffer, written.ec == std::errc() ? written.ptr : buffer);

  const size_t point = text.find('.');
  std::string integer = text.substr(0, point);
  std::string fraction = text.substr(point + 1);
  const bool roundUp = fraction[static_cast<size_t>(decimals)] >= '5';
  fraction.resize(static_cast<size_t>(decimals));
  std::string digits = integer + fraction;
  if (roundUp) {
    int i = static_cast<int>(digits.size()) - 1;
    while (i >= 0 && digits[static_cast<size_t>(i)] == '9') digits[static_cast<size_t>(i--)] = '0';
    if (i >= 0) {
      ++digits[static_cast<size_t>(i)];
    } else {
      digits.insert(digits.begin(), '1');
    }
  }
  const size_t integerLength = digits.size() - static_cast<size_t>(decimals);
  std::string result = digits.substr(0, integerLength);
  // Appended, not built as "." + substr: GCC 12 at -O3 warns (-Wrestrict)
  // about its own inlined prepend.
  if (decimals > 0) {
    result += '.';
    result.append(digits, integerLength);
  }
  return result;
}

}  // namespace

// Only digits and "." count. When the text holds more than one ".", the first
// is the decimal point and the later ones are dropped like any other
// character, so «1.2.3» reads as 1.23: a pasted or hand-edited text keeps the
// digits that stand where the user meant them to.
double TextToAmount(std::string_view text) {
  std::string integer;
  std::string fraction;
  bool seenPoint = false;
  for (char c : text) {
    if (c == '.') {
      seenPoint = true;
    } else if (isAsciiDigit(c)) {
      (seenPoint ? fraction : integer) += c;
    }
  }
  const std::string number =
      (integer.empty() ? std::string("0") : integer) + "." + (fraction.empty() ? "0" : fraction);
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    // Hundreds of digits: the largest amount a double holds, never infinity.
    return integer.find_first_not_of('0') == std::string::npos ? 0.0
                                                               : std::numeric_limits<double>::max();
  }
  return value;
}

std::string FixedText(double value, int width, int decimals) {
  if (std::isnan(value)) value = 0;
  if (std::isinf(value)) value = std::copysign(std::numeric_limits<double>::max(), value);
  std::string text = roundedDigits(std::fabs(value), std::clamp(decimals, 0, 20));
  if (std::signbit(value) && value != 0) text.insert(text.begin(), '-');
  if (static_cast<int>(text.size()) < width) {
    text.insert(text.begin(), static_cast<size_t>(width) - text.size(), ' ');
  }
  return text;
}

// Digits are placed from the right into "___,___,___.__"; every character of
// the input takes one position, only "," is stepped over. A value with more
// than nine integer digits does not fit: the pattern then grows to the left by
// whole groups, as far as the leftmost digit, so that the caption still reads
// back as the value it shows.
std::string FormatAmount(std::string_view text) {
  const int groups = static_cast<int>(text.size()) / 3 + 1;
  std::string pattern;
  for (int g = 0; g < groups; ++g) pattern += "___,";
  const int origin = static_cast<int>(pattern.size());
  pattern += kAmountPattern;

  int target = static_cast<int>(pattern.size()) - 1;
  int leftmost = origin;
  for (auto it = text.rbegin(); it != text.rend() && target >= 0; ++it) {
    if (isAsciiDigit(*it)) {
      if (pattern[static_cast<size_t>(target)] == ',') --target;
      if (target < 0) break;
      pattern[static_cast<size_t>(target)] = *it;
      if (target < leftmost) leftmost = target;
    }
    --target;
  }
  return pattern.substr(static_cast<size_t>(leftmost));
}

std::string AmountCaption(double value) { return FormatAmount(FixedText(value, 9, 2)); }

}  // namespace form
