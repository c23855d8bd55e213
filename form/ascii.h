#pragma once

// Character classes of the bytes that the declaration's texts hold. The
// <cctype> functions follow the process locale, which Qt takes from the
// desktop; these never do.
namespace form {

constexpr bool isAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace form
