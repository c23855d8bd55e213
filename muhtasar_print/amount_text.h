#pragma once

#include <string>

namespace muhtasar_print {

// An amount pair of the print file the Turkish way: the integer part grouped
// by "." and the decimals after ",", «1234567» / «89» as «1.234.567,89». A
// zero amount prints nothing, so that a box the user left empty stays empty
// on paper, unless it is a result: a computed zero prints «0,00», "nothing
// to pay". A pair that is not digits prints as it stands, joined by ",".
enum class Zero { Empty, Shown };
std::string formatAmount(const std::string& integerLine, const std::string& decimalsLine,
                         Zero zero = Zero::Empty);

}  // namespace muhtasar_print
