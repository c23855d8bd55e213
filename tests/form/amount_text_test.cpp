#include "form/amount_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <string>

#include "support/turkish_locale.h"

namespace form {
namespace {

struct TextCase {
  std::string text;
  double value;
};

// Only digits and the point count.
void checkTextToAmount() {
  const TextCase cases[] = {
      {"___,___,___.__", 0},
      {"", 0},
      {".", 0},
      {"   ,   ,   .  ", 0},
      {"___,__1,234.56", 1234.56},
      {"1_2,___,___.5_", 12.5},
      {".0075", 0.0075},
      {"12.", 12},
      {"-5", 5},
      {"abc1x2", 12},
      {"999,999,999.99", 999999999.99},
      {"8,999,999,999.91", 8999999999.91},
      // Later points are dropped, the first one is the decimal point.
      {"1.2.3", 1.23},
      {"..5", 0.5},
      {"7..", 7},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(TextToAmount(c.text), c.value) << "«" << c.text << "»";
}

TEST(TextToAmount, KeepsOnlyDigitsAndThePoint) { checkTextToAmount(); }

TEST(TextToAmount, HundredsOfDigitsStayFinite) {
  EXPECT_EQ(TextToAmount(std::string(400, '9')), DBL_MAX);
  EXPECT_EQ(TextToAmount(std::string(400, '0')), 0.0);
  EXPECT_EQ(TextToAmount("0." + std::string(400, '0') + "1"), 0.0);
}

struct FixedCase {
  double value;
  int width, decimals;
  std::string text;
};

// Halves round away from zero; the text is padded on the left.
void checkFixedText() {
  const FixedCase cases[] = {
      {0, 9, 2, "     0.00"},
      {1234.56, 9, 2, "  1234.56"},
      {-5, 9, 2, "    -5.00"},
      {123456789.12, 9, 2, "123456789.12"},
      {0.125, 9, 2, "     0.13"},
      {2.5, 9, 0, "        3"},
      {3.5, 0, 0, "4"},
      {-0.001, 9, 2, "    -0.00"},
      {12, 9, 0, "       12"},
      {1000 * 0.0075, 9, 2, "     7.50"},
      {0.0075, 9, 2, "     0.01"},
      // 1.005 is stored just below the half, so it rounds down.
      {1.005, 9, 2, "     1.00"},
      {999999999.995, 9, 2, "1000000000.00"},
      {0.1 + 0.2, 9, 2, "     0.30"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FixedText(c.value, c.width, c.decimals), c.text) << c.value;
  }
}

TEST(FixedText, RoundsHalvesAwayFromZeroAndPadsLeft) { checkFixedText(); }

// Digits go into the pattern from the right.
void checkFormatAmount() {
  const std::pair<std::string, std::string> cases[] = {
      {"     0.00", "___,___,__0.00"},
      {"  1234.56", "___,__1,234.56"},
      {" -1234.56", "___,__1,234.56"},
      {"123456789.12", "123,456,789.12"},
      {"1234567.89", "__1,234,567.89"},
      {"0", "___,___,___._0"},
      {"123", "___,___,___123"},
      {"", "___,___,___.__"},
      {"  999999999.99", "999,999,999.99"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(FormatAmount(in), out) << "«" << in << "»";
}

TEST(FormatAmount, PlacesDigitsFromTheRight) { checkFormatAmount(); }

TEST(FormatAmount, GrowsByWholeGroupsWhenTheDigitsDoNotFit) {
  const std::pair<std::string, std::string> cases[] = {
      {"8999999999.91", "8,999,999,999.91"},
      {"1000000000.00", "1,000,000,000.00"},
      {"123456789012.34", "123,456,789,012.34"},
      {"1234567890123.45", "1,234,567,890,123.45"},
      {"-8999999999.91", "8,999,999,999.91"},
  };
  for (const auto& [in, out] : cases) {
    EXPECT_EQ(FormatAmount(in), out);
    EXPECT_DOUBLE_EQ(TextToAmount(FormatAmount(in)), TextToAmount(in));
  }
}

TEST(AmountCaption, ShowsMagnitudesInThePattern) {
  EXPECT_EQ(AmountCaption(0), "___,___,__0.00");
  EXPECT_EQ(AmountCaption(-1234.56), "___,__1,234.56");
  EXPECT_EQ(AmountCaption(9 * 999999999.99), "8,999,999,999.91");
}

// Qt sets the process locale from a Turkish desktop; the conversions must give
// exactly what they give in the C locale, amounts captioned through them too.
TEST(AmountText, ConvertsAsInTheCLocaleUnderATurkishProcessLocale) {
  const testing_support::TurkishLocale turkish;
  ASSERT_TRUE(turkish.writesDecimalComma()) << "no Turkish locale (scripts/install-deps makes it)";
  checkTextToAmount();
  checkFixedText();
  checkFormatAmount();
  EXPECT_EQ(AmountCaption(125430.5), "___,125,430.50");
  EXPECT_EQ(AmountCaption(9 * 999999999.99), "8,999,999,999.91");
}

}  // namespace
}  // namespace form
