#include "muhtasar_print/amount_text.h"

#include <gtest/gtest.h>

namespace muhtasar_print {
namespace {

TEST(AmountText, TurkishGroupingAndDecimals) {
  const struct {
    const char *integer, *decimals, *printed;
  } cases[] = {
      {"1234567", "89", "1.234.567,89"},
      {"     0", "00", ""},
      {"     0", "05", "0,05"},
      {"     5", "00", "5,00"},
      {"   100", "00", "100,00"},
      {"  1234", "56", "1.234,56"},
      {"123456", "70", "123.456,70"},
      {"999999999", "99", "999.999.999,99"},
      {"1234567890", "12", "1.234.567.890,12"},
      {"000012", "30", "12,30"},
      {"", "", ""},
      {" 12a", "00", "12a,00"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formatAmount(c.integer, c.decimals), c.printed)
        << "«" << c.integer << "» / «" << c.decimals << "»";
  }
}

}  // namespace
}  // namespace muhtasar_print
