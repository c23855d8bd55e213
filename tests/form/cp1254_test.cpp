#include "form/cp1254.h"

#include <gtest/gtest.h>

namespace form {
namespace {

TEST(CodePage1254, EveryByteRoundTrips) {
  for (int b = 0; b < 256; ++b) {
    const char16_t u = cp1254ToUnicode(static_cast<unsigned char>(b));
    EXPECT_EQ(static_cast<unsigned char>(unicodeToCp1254(u)), b) << b;
  }
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(utf8ToCp1254(cp1254ToUtf8(all)), all);
}

TEST(CodePage1254, TurkishLetters) {
  EXPECT_EQ(utf8ToCp1254("ĞÜŞİÖÇğüşıöç"), "\xD0\xDC\xDE\xDD\xD6\xC7\xF0\xFC\xFE\xFD\xF6\xE7");
  EXPECT_EQ(cp1254ToUtf8("\xD0\xDD\xDE\xF0\xFD\xFE\x80"), "ĞİŞğış€");
}

TEST(CodePage1254, CharactersWithoutAPlaceBecomeQuestionMarks) {
  EXPECT_EQ(utf8ToCp1254("Ωж✓"), "???");
  EXPECT_EQ(unicodeToCp1254(U'\u00D0'), '?');  // Latin-1's Eth has no place here
  EXPECT_EQ(utf8ToCp1254("\xFF"), "?");         // not UTF-8 at all
}

}  // namespace
}  // namespace form
