#include "period/section_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "period/ini_file.h"
#include "support/scratch_dir.h"

namespace {

using period::IniFile;

// Stores whose section lines fall everywhere a piece of the reading can end:
// between CR and LF, inside the blanks before "[", inside a header.
const std::string kStores[] = {
    "[A]\r\nx=1\r\n[B]\r\nx=2\r\n[a]\r\nx=3\r\n",
    "; top\n \t[ B ]\nx=b\rk=[A]\r\n[A] tail\r\ny=a\r\n[\r\nz=not a header\r\n[C]",
    "[A]\r\nlong=" + std::string(300, 'v') + "[B]\r\n  [B]\r\nx=after blanks\n\n\r\r[A]\r\nx=second",
    "\r\r\n[B]x\r\n[B]]\r\nx=last bracket\r\n[A]\r\n",
    "no section at all\r\n",
    "",
};

std::string sectionRead(const std::string& store, const char* name, size_t pieceSize) {
  testing_support::ScratchDir dir;
  testing_support::writeFile("store.ini", store);
  std::FILE* file = std::fopen("store.ini", "rb");
  const auto section = period::readSection(file, name, pieceSize);
  std::fclose(file);
  EXPECT_TRUE(section.has_value());
  return section.value_or("");
}

// Whatever the size of the pieces, the section read alone gives every value
// that the whole store gives for it.
TEST(SectionReader, GivesTheSectionAsTheWholeStoreReadsIt) {
  for (const std::string& store : kStores) {
    const IniFile whole(store);
    for (const char* name : {"A", "B", "C", "missing"}) {
      for (size_t pieceSize : {1, 2, 3, 5, 7, 64, 65536}) {
        const IniFile alone(sectionRead(store, name, pieceSize));
        EXPECT_EQ(alone.sectionValues(name), whole.sectionValues(name))
            << "section " << name << ", pieces of " << pieceSize << ", store:\n"
            << store;
        EXPECT_EQ(alone.hasKey(name, "x"), whole.hasKey(name, "x"));
      }
    }
  }
}

TEST(SectionReader, KeepsTheBytesFromTheHeaderLineToTheNextHeaderLine) {
  const std::string store = "[A]\r\nx=1\r\n; note\r\n  [B]\r\nx=2\r\n";
  for (size_t pieceSize : {1, 4, 65536}) {
    EXPECT_EQ(sectionRead(store, "a", pieceSize), "[A]\r\nx=1\r\n; note\r\n");
    EXPECT_EQ(sectionRead(store, "B", pieceSize), "  [B]\r\nx=2\r\n");
    EXPECT_EQ(sectionRead(store, "C", pieceSize), "");
  }
}

}  // namespace
