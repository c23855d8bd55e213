#include "muhtasar_print/amount_text.h"

#include <algorithm>

namespace muhtasar_print {
namespace {

std::string withoutBlanks(const std::string& text) {
  std::string kept;
  for (char c : text) {
    if (c != ' ') kept += c;
  }
  return kept;
}

bool allDigits(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool allZeros(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == '0'; });
}

// Appended piece by piece: GCC 12 at -O3 takes "a + "," + b" for an
// overlapping copy and warns.
std::string joinedByComma(std::string integer, const std::string& decimals) {
  integer += ',';
  integer += decimals;
  return integer;
}

}  // namespace

std::string formatAmount(const std::string& integerLine, const std::string& decimalsLine,
                         Zero zero) {
  std::string integer = withoutBlanks(integerLine);
  std::string decimals = withoutBlanks(decimalsLine);
  if (!allDigits(integer) || !allDigits(decimals)) return joinedByComma(integer, decimals);
  if (zero == Zero::Empty && allZeros(integer) && allZeros(decimals)) return "";
  integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
  if (integer.empty()) integer.assign(1, '0');
  if (decimals.empty()) decimals.assign(2, '0');
  std::string grouped;
  for (std::size_t i = 0; i < integer.size(); ++i) {
    if (i > 0 && (integer.size() - i) % 3 == 0) grouped += '.';
    grouped += integer[i];
  }
  return joinedByComma(grouped, decimals);
}

}  // namespace muhtasar_print
