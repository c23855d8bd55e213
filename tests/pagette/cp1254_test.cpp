#include "cp1254.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QStringDecoder>
#include <vector>

namespace pagette {
namespace {

TEST(Cp1254, DecodesTheTurkishLettersAndTheSpecialCharacters) {
  struct Case {
    unsigned char byte;
    char16_t unicode;
  };
  const std::vector<Case> cases = {
      {0xD0, u'Ğ'},
      {0xF0, u'ğ'},
      {0xDD, u'İ'},
      {0xFD, u'ı'},
      {0xDE, u'Ş'},
      {0xFE, u'ş'},
      {0xDC, u'Ü'},
      {0xFC, u'ü'},
      {0xD6, u'Ö'},
      {0xF6, u'ö'},
      {0xC7, u'Ç'},
      {0xE7, u'ç'},
      {0x80, u'€'},
      {0x9F, u'Ÿ'},
      {0x96, u'–'},
      {0x41, u'A'},
      {0x7E, u'~'},
      {0x00, u'\0'},
      {0xFF, u'ÿ'},
      // Unassigned bytes stand for the control character of the same number.
      {0x81, 0x81},
      {0x8D, 0x8D},
      {0x8E, 0x8E},
      {0x8F, 0x8F},
      {0x90, 0x90},
      {0x9D, 0x9D},
      {0x9E, 0x9E},
  };
  for (const Case& c : cases)
    EXPECT_EQ(unicodeFromCp1254(c.byte), c.unicode) << "byte " << int(c.byte);
}

TEST(Cp1254, AgreesWithTheSystemDecoderOnEveryAssignedByte) {
  QStringDecoder reference("windows-1254");
  ASSERT_TRUE(reference.isValid());
  for (int byte = 0; byte < 256; ++byte) {
    if (byte == 0x81 || (byte >= 0x8D && byte <= 0x90) || byte == 0x9D || byte == 0x9E) continue;
    const char c = static_cast<char>(byte);
    QString expected = reference.decode(QByteArray(&c, 1));
    ASSERT_EQ(expected.size(), 1);
    EXPECT_EQ(unicodeFromCp1254(static_cast<unsigned char>(byte)), expected[0].unicode())
        << "byte " << byte;
  }
}

TEST(Cp1254, DecodesAWholeText) {
  EXPECT_EQ(decodeCp1254("\xDE"
                         "ubat \xD6"
                         "DEME"),
            u"Şubat ÖDEME");
  EXPECT_EQ(decodeCp1254(""), u"");
}

}  // namespace
}  // namespace pagette
