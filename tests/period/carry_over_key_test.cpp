#include <gtest/gtest.h>

#include <string>

#include "period/carry_over.h"

namespace period {
namespace {

TEST(PreviousPeriodKey, MonthPiecesMoveBack) {
  struct Case {
    std::string key;
    bool monthly;
    std::string previous;
  };
  const Case cases[] = {
      // A quarter back, and a month back.
      {"2026040506", false, "2026010203"},
      {"2026040506", true, "2026030405"},
      {"2026121212", true, "2026111111"},
      {"2026101112", false, "2026070809"},
      // Only pieces above the limit move; none wraps into the year.
      {"2026020304", false, "2026020301"},
      {"2026010203", false, "2026010203"},
      {"2026010101", true, "2026010101"},
      {"2026000000", true, "2026000000"},
      {"2026999999", false, "2026969696"},
      // Characters 1-4 are kept whatever they hold.
      {"ABCD040506", false, "ABCD010203"},
      {"20 6040506", true, "20 6030405"},
      // Leading blanks skipped; digits up to the first other character.
      {"2026 4 5 6", false, "2026010203"},
      {"20264 5 6 ", false, "2026010203"},
      {"2026x4-5+6", true, "2026000000"},
      {"20260a0b0c", false, "2026000000"},
      // Short keys: missing pieces read as 0.
      {"2026040", false, "2026010000"},
      {"20260405", true, "2026030400"},
      {"2026", false, "2026000000"},
      {"20", true, "20000000"},
      {"", false, "000000"},
      // Nothing after the tenth character is carried.
      {"2026040506XYZ", false, "2026010203"},
      {"20260405061", true, "2026030405"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("key «" + c.key + "» " + (c.monthly ? "monthly" : "quarterly"));
    EXPECT_EQ(previousPeriodKey(c.key, c.monthly), c.previous);
  }
}

}  // namespace
}  // namespace period
