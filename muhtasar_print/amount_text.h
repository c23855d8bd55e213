#pragma once

#include <string>

namespace muhtasar_print {

// An amount pair of the print file the Turkish way: the integer part grouped
// by "." and the decimals after ",", «1234567» / «89» as «1.234.567,89». A
// zero amount prints nothing, so that an empty box stays empty on paper. A
// pair that is not digits prints as it stands, joined by ",".
std::string formatAmount(const std::string& integerLine, const std::string& decimalsLine);

}  // namespace muhtasar_print
