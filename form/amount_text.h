#pragma once

#include <string>
#include <string_view>

namespace form {

// The amount pattern of a display field that shows an amount.
inline constexpr std::string_view kAmountPattern = "___,___,___.__";

// Any field text to a number: only the digits and "." count. Never fails.
double TextToAmount(std::string_view text);

// The fixed-point text of a number: magnitude rounded half away from zero,
// "-" in front of a negative value, padded with blanks on the left to width,
// never cut.
std::string FixedText(double value, int width, int decimals);

// The digits of a fixed-point text placed into the amount pattern, from the
// right. A minus sign is never written.
std::string FormatAmount(std::string_view text);

// What a display field shows for a value: FormatAmount(FixedText(value, 9, 2)).
std::string AmountCaption(double value);

}  // namespace form
