#include "period/ini_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "period/store_rewrite.h"
#include "support/case_name.h"
#include "support/scratch_dir.h"

namespace {

using period::IniFile;
using Entries = std::vector<std::pair<std::string, std::string>>;

// A store as the Windows profile functions and people with a text editor
// leave it.
const std::string kWindowsStore =
    "; written by hand\r\n"
    "[Other Program]\r\n"
    "Edit1=not ours\r\n"
    "\r\n"
    "[2026040506]\r\n"
    "EDIT1 = Kadikoy \r\n"
    "  edit2=\"  two blanks  \"\r\n"
    "Edit3='quoted'\r\n"
    "; a comment\r\n"
    "Edit4\r\n"
    "Edit5=first\r\n"
    "Edit5=second\r\n"
    "Edit6=\"half\r\n"
    "Edit7= \r\n"
    "=nameless\r\n"
    "\r\n"
    "[2026040506]\r\n"
    "Edit8=duplicate section\r\n"
    "[ Spaced ] trailing\r\n"
    "Key=in spaced\r\n"
    "[a]b]\r\n"
    "Key=last bracket\r\n"
    "[]\r\n"
    "Key=empty section\r\n";

struct ReadCase {
  const char* section;
  const char* key;
  std::optional<std::string> value;
};

class ReadingAWindowsStore : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadingAWindowsStore, GivesWhatTheProfileFunctionsWouldGive) {
  const IniFile file(kWindowsStore);
  EXPECT_EQ(file.value(GetParam().section, GetParam().key), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Store, ReadingAWindowsStore,
    ::testing::Values(
        ReadCase{"2026040506", "Edit1", "Kadikoy"}, ReadCase{"2026040506", "edit1", "Kadikoy"},
        ReadCase{"other program", "EDIT1", "not ours"},
        ReadCase{"2026040506", "Edit2", "  two blanks  "},
        ReadCase{"2026040506", "Edit3", "quoted"}, ReadCase{"2026040506", "Edit4", std::nullopt},
        ReadCase{"2026040506", "Edit5", "first"}, ReadCase{"2026040506", "Edit6", "\"half"},
        ReadCase{"2026040506", "Edit7", ""}, ReadCase{"2026040506", "Edit8", std::nullopt},
        ReadCase{"2026040506", "; a comment", std::nullopt}, ReadCase{"Spaced", "Key", "in spaced"},
        ReadCase{" spaced ", "key", "in spaced"}, ReadCase{"a]b", "Key", "last bracket"},
        ReadCase{"", "Key", "empty section"}, ReadCase{"missing", "Edit1", std::nullopt}));

TEST(IniFile, CutsValuesAtTwoThousandFortySevenCharacters) {
  const std::string longValue(5000, 'v');
  const IniFile file("[s]\r\nk=" + longValue + "\r\nq=\"" + longValue + "\"\r\n");
  EXPECT_EQ(file.value("s", "k"), longValue.substr(0, 2047));
  EXPECT_EQ(file.value("s", "q"), longValue.substr(0, 2047));
}

// Only a "[" that starts a line, blanks before it allowed, opens a section.
TEST(IniFile, FindsSectionsOnlyAtTheStartOfALine) {
  const IniFile file("[s]\r\nKey=x [t]\r\nk=[u]\r\n \t[t]\rKey=after a lone CR\n\f[v]");
  EXPECT_EQ(file.value("s", "Key"), "x [t]");
  EXPECT_EQ(file.value("t", "Key"), "after a lone CR");
  EXPECT_EQ(file.value("u", "Key"), std::nullopt);
  EXPECT_TRUE(file.sectionValues("v").empty());
  EXPECT_EQ(IniFile(file.bytes()).withEntries("v", {{"k", "1"}}), std::string(file.bytes()) + "\r\nk=1\r\n");
}

TEST(IniFile, ReadsLineEndsOfEveryKind) {
  const IniFile file("[s]\nLf=1\nCr=2\rCrLf=3\r\nLast=4");
  EXPECT_EQ(file.value("s", "Lf"), "1");
  EXPECT_EQ(file.value("s", "Cr"), "2");
  EXPECT_EQ(file.value("s", "CrLf"), "3");
  EXPECT_EQ(file.value("s", "Last"), "4");
}

class WrittenValues : public ::testing::TestWithParam<std::string> {};

TEST_P(WrittenValues, ReadBackUnchanged) {
  const std::string& value = GetParam();
  const std::string bytes = IniFile().withEntries("s", {{"Key", value}});
  EXPECT_EQ(IniFile(bytes).value("s", "Key"), value) << bytes;
}

INSTANTIATE_TEST_SUITE_P(Values, WrittenValues,
                         ::testing::Values("", "plain", " leading", "trailing ", "  both  ",
                                           "\tTab", "\"quoted\"", "'single'", "\"", "'", "\"mixed'",
                                           " \"x\" ", "a=b=c", "[not a section]", "; not a comment",
                                           "\xDD\xFD\xDE\xFE\xD0\xF0\xC7\xE7\xD6\xF6\xDC\xFC",
                                           std::string(2047, 'x')));

TEST(IniFile, WritesALineBreakInAValueAsABlank) {
  const std::string bytes = IniFile().withEntries("s", {{"Key", "one\r\n[two]\nthree"}});
  EXPECT_EQ(bytes, "[s]\r\nKey=one  [two] three\r\n");
}

struct SaveCase {
  const char* name;
  std::string before;
  Entries entries;
  std::string after;
};

const SaveCase kSaveCases[] = {
    {"new file", "", {{"Edit1", "a"}, {"Edit2", ""}}, "[K]\r\nEdit1=a\r\nEdit2=\r\n"},
    {"new section goes at the end",
     "[Other]\nx=1\n",
     {{"Edit1", "a"}},
     "[Other]\nx=1\n[K]\r\nEdit1=a\r\n"},
    {"last line without an end gets one",
     "[Other]\r\nx=1",
     {{"Edit1", "a"}},
     "[Other]\r\nx=1\r\n[K]\r\nEdit1=a\r\n"},
    {"existing key replaced in place, its spelling kept",
     "[k]\nEDIT1 = old\nEdit2=b\n[Other]\nEdit1=old\n",
     {{"Edit1", "new"}, {"Edit2", "b"}},
     "[k]\nEDIT1=new\r\nEdit2=b\n[Other]\nEdit1=old\n"},
    {"unchanged values keep their bytes",
     "[K]\n  Edit1 = \"a\"  \nEdit2='b'\r\n",
     {{"Edit1", "a"}, {"Edit2", "b"}},
     "[K]\n  Edit1 = \"a\"  \nEdit2='b'\r\n"},
    {"new keys follow the last entry, before blank lines and the next section",
     "[K]\r\nEdit1=a\r\n; note\r\n\r\n[Other]\r\n",
     {{"Edit1", "a"}, {"Edit2", "b"}, {"Edit3", "c"}},
     "[K]\r\nEdit1=a\r\n; note\r\nEdit2=b\r\nEdit3=c\r\n\r\n[Other]\r\n"},
    {"new keys into an empty section at the end of a file without a line end",
     "[K]",
     {{"Edit1", "a"}},
     "[K]\r\nEdit1=a\r\n"},
    {"only the first of duplicate keys is written",
     "[K]\r\nEdit1=a\r\nEdit1=b\r\n",
     {{"Edit1", "c"}},
     "[K]\r\nEdit1=c\r\nEdit1=b\r\n"},
    {"only the first of duplicate sections is written",
     "[K]\r\nEdit1=a\r\n[k]\r\nEdit1=b\r\n",
     {{"Edit1", "c"}, {"Edit2", "d"}},
     "[K]\r\nEdit1=c\r\nEdit2=d\r\n[k]\r\nEdit1=b\r\n"},
    {"values with blanks at their ends are quoted",
     "[K]\r\nEdit1=x\r\n",
     {{"Edit1", " a "}, {"Edit2", "'b'"}},
     "[K]\r\nEdit1=\" a \"\r\nEdit2=\"'b'\"\r\n"},
    {"entries before the first section are nobody's",
     "Edit1=top\r\n",
     {{"Edit1", "a"}},
     "Edit1=top\r\n[K]\r\nEdit1=a\r\n"},
};

class Saving : public ::testing::TestWithParam<SaveCase> {};

TEST_P(Saving, ChangesOnlyTheLinesOfTheSection) {
  EXPECT_EQ(IniFile(GetParam().before).withEntries("K", GetParam().entries), GetParam().after);
}

// The same through the store file, which passes the lines outside the section
// through in pieces.
TEST_P(Saving, ThroughTheStoreFileGivesTheSameBytes) {
  testing_support::ScratchDir dir;
  const std::string path = (dir.path() / "muhtasar.ini").string();
  if (!GetParam().before.empty()) testing_support::writeFile(path, GetParam().before);
  ASSERT_TRUE(period::rewriteStore(path, "K", GetParam().entries));
  EXPECT_EQ(testing_support::readFile(path), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(IniFile, Saving, ::testing::ValuesIn(kSaveCases),
                         testing_support::CaseName());

TEST(IniFile, WritesTheSectionOfAnEmptyKeyAsEmptyBrackets) {
  const std::string bytes = IniFile().withEntries("", {{"Edit1", "a"}});
  EXPECT_EQ(bytes, "[]\r\nEdit1=a\r\n");
  EXPECT_EQ(IniFile(bytes).withEntries("", {{"Edit1", "b"}}), "[]\r\nEdit1=b\r\n");
}

TEST(IniFile, SectionValuesKeepTheFirstOfDuplicates) {
  const auto values = IniFile(kWindowsStore).sectionValues("2026040506");
  EXPECT_EQ(values.at("edit1"), "Kadikoy");
  EXPECT_EQ(values.at("edit5"), "first");
  EXPECT_EQ(values.count("edit8"), 0u);
  EXPECT_EQ(values.count("edit4"), 0u);
}

}  // namespace
