#include "period/startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "form/form.h"
#include "period/computed_values.h"
#include "period/io_error.h"
#include "period/period_test_support.h"
#include "period/store.h"
#include "support/case_name.h"
#include "support/error_message.h"
#include "support/scratch_dir.h"

namespace {

using period_testing::cp;
using period_testing::formState;
using period_testing::summaryLines;
using period_testing::summaryOfPeriod;
using period_testing::writeSummary;
using testing_support::readFile;
using testing_support::ScratchDir;
using testing_support::writeFile;

constexpr const char* kEmptyAmount = "___,___,___.__";

std::string testData(const std::string& name) {
  return readFile(std::string(MUHTASAR_TESTDATA_DIR) + "/" + name);
}

// One row of the withholding table: code, gross amount, tax amount.
struct Row {
  std::string code, gross, tax;
  bool operator==(const Row&) const = default;
};

Row row(const form::Form& form, int n) {
  return {form.edit(n).text(), form.maskEdit(n - 7).editText(), form.maskEdit(n + 2).editText()};
}

void setRow(form::Form& form, int n, const Row& r) {
  form.edit(n).setText(r.code);
  form.maskEdit(n - 7).setEditText(r.gross);
  form.maskEdit(n + 2).setEditText(r.tax);
}

const Row kEmptyRow{"", kEmptyAmount, kEmptyAmount};

TEST(StartUp, AFreshPeriodIsComputedAndSaved) {
  ScratchDir dir;
  writeFile("BORDMHT.DAT", period_testing::exampleSummary());
  form::Form form;
  std::string key;
  period::StartUp(form, key);
  EXPECT_EQ(key, "2026101112");
  EXPECT_EQ(row(form, 8), (Row{"011", "___,125,430.50", "___,_18,814.58"}));
  EXPECT_EQ(readFile("muhtasar.ini"), testData("fresh_2026101112.ini"));
}

TEST(StartUp, AReloadRestoresTheFormAndRewritesNothing) {
  ScratchDir dir;
  writeFile("BORDMHT.DAT", period_testing::exampleSummary());
  form::Form first;
  std::string key;
  period::StartUp(first, key);
  first.edit("Edit30").setText(cp("Ödeme yapılan"));
  first.maskEdit(25).setText("______1000.00");
  first.checkBox(3).setChecked(true);
  period::SaveDeclaration(first, key);
  const std::string saved = readFile("muhtasar.ini");

  // The summary now says otherwise: a stored declaration is loaded, not computed.
  writeSummary(summaryOfPeriod("2026", "101112"));
  form::Form second;
  std::string secondKey;
  period::StartUp(second, secondKey);
  EXPECT_EQ(secondKey, "2026101112");
  EXPECT_EQ(formState(second), formState(first));
  EXPECT_EQ(readFile("muhtasar.ini"), saved);
}

struct GapCase {
  const char* name;
  std::vector<Row> before;  // rows 8 ... 16; missing rows empty
  std::vector<Row> after;
};

// Rows 9 to 16 with every edit text set, and the same rows below an empty row 8.
const std::vector<Row> kRowsNineToSixteen = {
    {"09", "9", "9"},   {"10", "10", "10"}, {"11", "11", "11"}, {"12", "12", "12"},
    {"13", "13", "13"}, {"14", "14", "14"}, {"15", "15", "15"}, {"16", "16", "16"}};

std::vector<Row> withRowEightEmpty(std::vector<Row> rows) {
  rows.insert(rows.begin(), Row{"", "", ""});
  return rows;
}

const GapCase kGapCases[] = {
    {"no gap when row 8 has a code",
     {{"011", "___,___,__1.00", "___,___,__2.00"}, {"012", "___,___,__3.00", kEmptyAmount}},
     {{"011", "___,___,__1.00", "___,___,__2.00"}, {"012", "___,___,__3.00", kEmptyAmount}}},
    {"rows move up by one",
     {{"", kEmptyAmount, kEmptyAmount},
      {"012", "___,___,__3.00", "___,___,__4.00"},
      {"021", "___,___,__5.00", "___,___,__6.00"}},
     {{"012", "___,___,__3.00", "___,___,__4.00"}, {"021", "___,___,__5.00", "___,___,__6.00"}}},
    {"amounts of row 8 are overwritten, only the code decides",
     {{"", "___,___,__9.00", "___,___,__9.00"}, {"012", "___,___,__3.00", "___,___,__4.00"}},
     {{"012", "___,___,__3.00", "___,___,__4.00"}}},
    {"a code of blanks is not empty",
     {{"  ", "___,___,__9.00", kEmptyAmount}, {"012", "___,___,__3.00", "___,___,__4.00"}},
     {{"  ", "___,___,__9.00", kEmptyAmount}, {"012", "___,___,__3.00", "___,___,__4.00"}}},
    {"two empty rows close by one row only",
     {{"", kEmptyAmount, kEmptyAmount},
      {"", kEmptyAmount, kEmptyAmount},
      {"021", "___,___,__5.00", "___,___,__6.00"}},
     {{"", kEmptyAmount, kEmptyAmount}, {"021", "___,___,__5.00", "___,___,__6.00"}}},
    {"row 16 moves up and is emptied through the mask", withRowEightEmpty(kRowsNineToSixteen),
     kRowsNineToSixteen},
    {"edit texts are copied raw",
     {{"", "", ""}, {"012", "12345", "x y"}},
     {{"012", "12345", "x y"}}},
};

class GapInRowEight : public ::testing::TestWithParam<GapCase> {};

// The declaration comes from the store, so that any rows can be given; the
// result is checked on the form and in the saved store.
TEST_P(GapInRowEight, IsClosedByOneRowAndSaved) {
  ScratchDir dir;
  writeSummary(summaryLines());
  form::Form stored;
  for (size_t i = 0; i < GetParam().before.size(); ++i) {
    setRow(stored, 8 + static_cast<int>(i), GetParam().before[i]);
  }
  period::SaveDeclaration(stored, "2026040506");

  form::Form form;
  std::string key;
  period::StartUp(form, key);
  for (int n = 8; n <= 16; ++n) {
    const size_t i = static_cast<size_t>(n - 8);
    const Row expected = i < GetParam().after.size() ? GetParam().after[i] : kEmptyRow;
    EXPECT_EQ(row(form, n), expected) << "row " << n;
    EXPECT_EQ(period::StoredValue(key, "Edit" + std::to_string(n)), expected.code);
    EXPECT_EQ(period::StoredValue(key, "MaskEdit" + std::to_string(n - 7)), expected.gross);
    EXPECT_EQ(period::StoredValue(key, "MaskEdit" + std::to_string(n + 2)), expected.tax);
  }
}

INSTANTIATE_TEST_SUITE_P(StartUp, GapInRowEight, ::testing::ValuesIn(kGapCases),
                         testing_support::CaseName());

TEST(StartUp, AZeroAmountOfType011MovesRow9UpOnAFreshPeriod) {
  ScratchDir dir;
  auto lines = summaryLines();
  lines[18] = "0";
  writeSummary(lines);
  form::Form form;
  std::string key;
  period::StartUp(form, key);
  EXPECT_EQ(row(form, 8), (Row{"012", "___,__8,400.00", "___,__1,260.00"}));
  EXPECT_EQ(row(form, 9), kEmptyRow);
  // The totals followed every copy.
  EXPECT_EQ(form.staticText(1).caption(), "___,__8,400.00");
  EXPECT_EQ(form.staticText(2).caption(), "___,__1,260.00");
  EXPECT_EQ(period::StoredValue(key, "Edit8"), "012");
  EXPECT_EQ(period::StoredValue(key, "StaticText1"), "___,__8,400.00");
}

TEST(StartUp, AStoredGapMovesOneMoreRowAtEveryStart) {
  ScratchDir dir;
  writeSummary(summaryLines());
  form::Form stored;
  setRow(stored, 8, kEmptyRow);
  setRow(stored, 10, {"021", "___,___,__5.00", "___,___,__6.00"});
  period::SaveDeclaration(stored, "2026040506");
  for (int start = 1; start <= 2; ++start) {
    form::Form form;
    std::string key;
    period::StartUp(form, key);
    EXPECT_EQ(row(form, 10 - start).code, "021") << "start " << start;
  }
}

TEST(StartUp, AnInvalidStoredCheckBoxStopsBeforeTheMoveAndTheSave) {
  ScratchDir dir;
  writeSummary(summaryLines());
  const std::string store = "[2026040506]\r\nEdit1=x\r\nEdit9=012\r\nCheckBox1=yes\r\n";
  writeFile("muhtasar.ini", store);
  form::Form form;
  std::string key;
  EXPECT_EQ(testing_support::errorMessage([&] { period::StartUp(form, key); }),
            "'yes' is not a valid boolean value");
  EXPECT_EQ(key, "2026040506");
  EXPECT_EQ(form.edit("Edit1").text(), "x");
  EXPECT_EQ(form.edit("Edit8").text(), "");
  EXPECT_EQ(form.edit("Edit9").text(), "012");
  EXPECT_EQ(readFile("muhtasar.ini"), store);
}

TEST(StartUp, AMissingSummaryLeavesTheEmptyFormAndNoStore) {
  ScratchDir dir;
  form::Form form;
  const form::Form untouched;
  std::string key;
  EXPECT_EQ(testing_support::errorMessage([&] { period::StartUp(form, key); }), "File not found");
  EXPECT_EQ(key, "");
  EXPECT_EQ(formState(form), formState(untouched));
  EXPECT_FALSE(std::filesystem::exists("muhtasar.ini"));

  // A save with no key goes to the section with the empty name.
  period::SaveDeclaration(form, key);
  EXPECT_TRUE(readFile("muhtasar.ini").starts_with("[]\r\nEdit1=\r\n"));
  EXPECT_TRUE(period::DeclarationExists(""));
}

struct OddSummaryCase {
  const char* name;
  std::string summary;
  const char* key;
  const char* edit28;
  const char* edit1;
};

const OddSummaryCase kOddSummaries[] = {
    {"short file", "2026\r\n", "2026", "", ""},
    {"carriage-return-only line ends", "2026\r040506\rNISAN\r", "2026040506NISAN", "", ""},
    {"character 26 in the middle",
     std::string("2026\r\n040506\r\nNIS\x1a"
                 "AN\r\n3\r\nKADIKOY\r\n"),
     "2026040506", "NIS", ""},
    {"line feeds only", "2026\n040506\nNISAN\n3\nKADIKOY\n", "2026040506", "NISAN", "KADIKOY"},
};

class OddSummaries : public ::testing::TestWithParam<OddSummaryCase> {};

TEST_P(OddSummaries, StartAndSaveUnderTheKeyTheyGive) {
  ScratchDir dir;
  writeFile("BORDMHT.DAT", GetParam().summary);
  form::Form form;
  std::string key;
  period::StartUp(form, key);
  EXPECT_EQ(key, GetParam().key);
  EXPECT_EQ(form.edit("Edit28").text(), GetParam().edit28);
  EXPECT_EQ(form.edit("Edit1").text(), GetParam().edit1);
  EXPECT_TRUE(
      readFile("muhtasar.ini").starts_with("[" + key + "]\r\nEdit1=" + GetParam().edit1 + "\r\n"));
}

INSTANTIATE_TEST_SUITE_P(StartUp, OddSummaries, ::testing::ValuesIn(kOddSummaries),
                         testing_support::CaseName());

TEST(UpdateComputedValues, AfterANewPeriodTheNextSaveGoesToTheNewSection) {
  ScratchDir dir;
  writeFile("BORDMHT.DAT", period_testing::exampleSummary());
  form::Form form;
  std::string key;
  period::StartUp(form, key);
  const std::string oldStore = readFile("muhtasar.ini");

  writeSummary(summaryOfPeriod("2027", "010203"));
  period::UpdateComputedValues(form, key);
  EXPECT_EQ(key, "2027010203");
  EXPECT_EQ(readFile("muhtasar.ini"), oldStore);  // the command does not save

  period::SaveDeclaration(form, key);
  const std::string newStore = readFile("muhtasar.ini");
  ASSERT_TRUE(newStore.starts_with(oldStore));
  EXPECT_TRUE(newStore.substr(oldStore.size()).starts_with("[2027010203]\r\nEdit1=KADIKOY\r\n"));
  // The months of both periods are on: boxes are never switched off.
  EXPECT_EQ(period::StoredValue(key, "CheckBox3"), "-1");
  EXPECT_EQ(period::StoredValue(key, "CheckBox14"), "-1");
  EXPECT_EQ(period::StoredValue("2026101112", "CheckBox3"), "0");
}

}  // namespace
