#include "period/computed_values.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form/catalogue.h"
#include "form/form.h"
#include "period/io_error.h"
#include "period/period_test_support.h"
#include "support/error_message.h"
#include "support/scratch_dir.h"

namespace {

using period_testing::cp;
using period_testing::formState;
using period_testing::summaryLines;
using period_testing::summaryOfPeriod;
using testing_support::ScratchDir;
using testing_support::writeFile;

class ComputedValues : public ::testing::Test {
 protected:
  void run(const std::vector<std::string>& lines) {
    period_testing::writeSummary(lines);
    period::UpdateComputedValues(form, key);
  }
  std::vector<int> checkedMonthBoxes() const {
    std::vector<int> on;
    for (int n = 3; n <= 14; ++n) {
      if (form.checkBox(n).checked()) on.push_back(n);
    }
    return on;
  }

  ScratchDir dir;
  form::Form form;
  std::string key;
};

TEST_F(ComputedValues, FillsTheFormFromTheExampleSummary) {
  writeFile("BORDMHT.DAT", period_testing::exampleSummary());
  period::UpdateComputedValues(form, key);

  EXPECT_EQ(key, "2026101112");
  EXPECT_EQ(checkedMonthBoxes(), (std::vector<int>{10, 12, 14}));
  EXPECT_EQ(form.edit("Edit28").text(), cp("EKİM-ARALIK 2026"));
  EXPECT_FALSE(form.checkBox(1).checked());
  EXPECT_TRUE(form.checkBox(2).checked());
  EXPECT_EQ(form.edit("Edit1").text(), cp("KADIKÖY"));
  EXPECT_EQ(form.edit("Edit2").text(), cp("İSTANBUL - KADIKÖY"));
  EXPECT_EQ(form.edit("Edit3").text(), "4630127895");
  EXPECT_EQ(form.edit("Edit4").text(), "");
  EXPECT_EQ(form.edit("Edit5_2").text(), "216");
  EXPECT_EQ(form.edit("Edit5_3").text(), "5550123");
  EXPECT_EQ(form.edit("Edit5_1").text(), "muhasebe@gunesoglu-hali.com.tr");
  EXPECT_EQ(form.edit("Edit6").text(), cp("GÜNEŞOĞLU HALI VE KİLİM TİCARET LTD. ŞTİ."));
  EXPECT_EQ(form.edit("Edit19").text(), form.edit("Edit6").text());
  EXPECT_EQ(form.edit("Edit7").text(), "");
  EXPECT_EQ(form.edit("Edit22").text(), "3810492765");
  EXPECT_EQ(form.edit("Edit23").text(), "28764190532");
  EXPECT_EQ(form.edit("Edit24").text(), "ayse.ozdemir@smmm-ornek.com.tr");
  EXPECT_EQ(form.edit("Edit25").text(), cp("Ayşe Özdemir"));
  EXPECT_EQ(form.edit("Edit5").text(), "4");
  EXPECT_EQ(form.edit("Edit8").text(), "011");
  EXPECT_EQ(form.maskEdit(1).editText(), "___,125,430.50");
  EXPECT_EQ(form.maskEdit(10).editText(), "___,_18,814.58");
  EXPECT_EQ(form.edit("Edit17").text(), "7");
  EXPECT_EQ(form.edit("Edit9").text(), "012");
  EXPECT_EQ(form.maskEdit(2).editText(), "___,__8,400.00");
  EXPECT_EQ(form.maskEdit(11).editText(), "___,__1,260.00");
  EXPECT_EQ(form.maskEdit(21).editText(), "___,__3,250.75");
  EXPECT_EQ(form.maskEdit(22).editText(), "___,___,952.10");
  // The live totals followed every fill.
  EXPECT_EQ(form.staticText(1).caption(), "___,133,830.50");
  EXPECT_EQ(form.staticText(2).caption(), "___,_20,074.58");
  EXPECT_EQ(form.staticText(36).caption(), "11");
}

struct MonthCase {
  const char* line1;
  const char* line2;
  std::vector<int> boxes;
};

class MonthBoxes : public ComputedValues, public ::testing::WithParamInterface<MonthCase> {};

TEST_P(MonthBoxes, AreSwitchedOnForTheMonthsTheKeyNames) {
  run(summaryOfPeriod(GetParam().line1, GetParam().line2));
  EXPECT_EQ(key, std::string(GetParam().line1) + GetParam().line2);
  EXPECT_EQ(checkedMonthBoxes(), GetParam().boxes);
}

INSTANTIATE_TEST_SUITE_P(
    Key, MonthBoxes,
    ::testing::Values(MonthCase{"2026", "040506", {9, 11, 13}}, MonthCase{"2026", "030000", {7}},
                      MonthCase{"2026", "010712", {3, 4, 14}}, MonthCase{"2026", "131400", {}},
                      MonthCase{"2026", " 1 2 3", {}},
                      // Short keys: positions the key lacks name no month.
                      MonthCase{"2026", "0", {}}, MonthCase{"2026", "011", {3}},
                      MonthCase{"2026", "", {}}, MonthCase{"", "", {}},
                      // A short line 1 shifts the month positions, as the key is read.
                      MonthCase{"202", "6040506", {9, 11, 13}}));

TEST_F(ComputedValues, NeverSwitchesAMonthBoxOff) {
  form.checkBox(3).setChecked(true);
  run(summaryLines());
  EXPECT_EQ(checkedMonthBoxes(), (std::vector<int>{3, 9, 11, 13}));
}

struct PeriodKindCase {
  const char* line4;
  bool monthly;
};

class PeriodKind : public ComputedValues, public ::testing::WithParamInterface<PeriodKindCase> {};

TEST_P(PeriodKind, OnlyAnExactThreeMeansThreeMonths) {
  form.checkBox(1).setChecked(!GetParam().monthly);
  form.checkBox(2).setChecked(GetParam().monthly);
  auto lines = summaryLines();
  lines[3] = GetParam().line4;
  run(lines);
  EXPECT_EQ(form.checkBox(1).checked(), GetParam().monthly);
  EXPECT_EQ(form.checkBox(2).checked(), !GetParam().monthly);
}

INSTANTIATE_TEST_SUITE_P(Line4, PeriodKind,
                         ::testing::Values(PeriodKindCase{"3", false}, PeriodKindCase{"", true},
                                           PeriodKindCase{"03", true}, PeriodKindCase{" 3", true},
                                           PeriodKindCase{"3 ", true}, PeriodKindCase{"1", true}));

struct AmountCase {
  const char* line;
  const char* rowAmount;    // lines 19, 20, 22, 23
  const char* fixedAmount;  // lines 24, 25
  bool coded;
};

class AmountLines : public ComputedValues, public ::testing::WithParamInterface<AmountCase> {};

TEST_P(AmountLines, FillTheAmountFieldsAndTheCodes) {
  auto lines = summaryLines();
  for (int line : {19, 20, 22, 23, 24, 25}) lines[line - 1] = GetParam().line;
  run(lines);
  for (int field : {1, 10, 2, 11}) {
    EXPECT_EQ(form.maskEdit(field).editText(), GetParam().rowAmount) << "MaskEdit" << field;
  }
  for (int field : {21, 22}) {
    EXPECT_EQ(form.maskEdit(field).editText(), GetParam().fixedAmount) << "MaskEdit" << field;
  }
  EXPECT_EQ(form.edit("Edit8").text(), GetParam().coded ? "011" : "");
  EXPECT_EQ(form.edit("Edit9").text(), GetParam().coded ? "012" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, AmountLines,
    ::testing::Values(AmountCase{"1234.5", "___,__1,234.50", "___,__1,234.50", true},
                      AmountCase{"0.00", "___,___,__0.00", "___,___,__0.00", false},
                      AmountCase{"", "___,___,___.__", "___,___,__0.00", false},
                      AmountCase{"1,234.56", "___,__1,234.56", "___,__1,234.56", true},
                      AmountCase{" 0", "___,___,___._0", "___,___,__0.00", false},
                      AmountCase{"abc", "___,___,___.__", "___,___,__0.00", false},
                      AmountCase{"999999999.99", "999,999,999.99", "999,999,999.99", true}));

TEST_F(ComputedValues, SetsEachCodeBeforeItsAmount) {
  std::vector<std::string> seen;
  form.maskEdit(1).subscribe([&] { seen.push_back(form.edit("Edit8").text()); });
  form.maskEdit(2).subscribe([&] { seen.push_back(form.edit("Edit9").text()); });
  run(summaryLines());
  EXPECT_EQ(seen, (std::vector<std::string>{"011", "012"}));
}

TEST_F(ComputedValues, FillsEdit6BeforeEdit19) {
  std::string signerWhenNameSet = "not called";
  form.edit("Edit6").subscribe([&] { signerWhenNameSet = form.edit("Edit19").text(); });
  run(summaryLines());
  EXPECT_EQ(signerWhenNameSet, "");
  EXPECT_EQ(form.edit("Edit19").text(), "GUNES LTD");
}

TEST_F(ComputedValues, OverwritesWhatTheUserTypedInEveryLineField) {
  form.edit("Edit1").setText("typed");
  form.edit("Edit8").setText("999");
  form.maskEdit(21).setText("___,___,__5.00");
  form.edit("Edit20").setText("untouched");
  run(summaryLines());
  EXPECT_EQ(form.edit("Edit1").text(), "KADIKOY");
  EXPECT_EQ(form.edit("Edit8").text(), "011");
  EXPECT_EQ(form.maskEdit(21).editText(), "___,__3,250.75");
  EXPECT_EQ(form.edit("Edit20").text(), "untouched");
}

TEST_F(ComputedValues, AShortFileEmptiesTheFieldsOfItsMissingLines) {
  form.edit("Edit6").setText("old name");
  form.edit("Edit8").setText("011");
  run({"2026", "040506", "NISAN"});
  EXPECT_EQ(key, "2026040506");
  EXPECT_EQ(form.edit("Edit28").text(), "NISAN");
  EXPECT_TRUE(form.checkBox(1).checked());
  EXPECT_EQ(form.edit("Edit6").text(), "");
  EXPECT_EQ(form.edit("Edit19").text(), "");
  EXPECT_EQ(form.edit("Edit8").text(), "");
  EXPECT_EQ(form.maskEdit(1).editText(), "___,___,___.__");
  EXPECT_EQ(form.maskEdit(21).editText(), "___,___,__0.00");
}

TEST_F(ComputedValues, CharacterTwentySixEndsTheSummary) {
  auto lines = summaryLines();
  lines[4] = std::string("KADI\x1aKOY");
  run(lines);
  EXPECT_EQ(form.edit("Edit1").text(), "KADI");
  EXPECT_EQ(form.edit("Edit2").text(), "");
  EXPECT_EQ(form.edit("Edit17").text(), "");
  EXPECT_EQ(form.maskEdit(22).editText(), "___,___,__0.00");
}

TEST_F(ComputedValues, MissingSummaryChangesNothing) {
  key = "2025010203";
  const auto before = formState(form);
  EXPECT_EQ(testing_support::errorMessage([&] { period::UpdateComputedValues(form, key); }),
            "File not found");
  EXPECT_EQ(key, "2025010203");
  EXPECT_EQ(formState(form), before);
}

}  // namespace
