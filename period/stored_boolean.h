#pragma once

#include <optional>
#include <string_view>

namespace period {

// A stored check-box value read as a Boolean: a decimal number is on when it
// is not zero ("-1" on, "0" off); "True" and "False" in any letter case.
// Anything else, the empty text included, is no Boolean.
std::optional<bool> readStoredBoolean(std::string_view value);

}  // namespace period
