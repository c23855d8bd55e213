#include "form/key_filters.h"

#include <gtest/gtest.h>

#include <string>

namespace form {
namespace {

TEST(KeyFilters, CountFieldsTakeDigitsBackspaceAndEnter) {
  for (char c = 1; c < 127; ++c) {
    const bool passes = (c >= '0' && c <= '9') || c == kBackspace || c == kEnter;
    EXPECT_EQ(Edit5KeyPress("12", c), passes ? c : 0) << static_cast<int>(c);
  }
  EXPECT_EQ(Edit5KeyPress("", static_cast<char>(0xDD)), 0);
}

TEST(KeyFilters, RateFieldTakesOnePoint) {
  struct Case {
    std::string text;
    char key;
    char passed;
  };
  const Case cases[] = {
      {".0075", '.', 0},  {"0075", '.', '.'}, {"", '.', '.'},  {".0075", '5', '5'},
      {".0075", 'a', 0},  {".0075", '-', 0},  {".0075", ',', 0}, {".0075", kBackspace, kBackspace},
      {".0075", kEnter, kEnter}, {".0075", 27, 0}, {"", ' ', 0},
  };
  for (const Case& c : cases) EXPECT_EQ(Edit18KeyPress(c.text, c.key), c.passed) << c.text << c.key;
}

}  // namespace
}  // namespace form
