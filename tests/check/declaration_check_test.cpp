// The declaration's rules, each broken once and kept at its edge once, checked
// through the window's form model and through the print file it writes: the
// same finding both ways. And --check on the print files of tests/data/print.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "check/form_values.h"
#include "form/amount_text.h"
#include "form/form.h"
#include "form/totals.h"
#include "muhtasar_print/print_command.h"
#include "muhtasar_print/print_file_check.h"
#include "print/print_file.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::ScratchDir;

using Fill = std::function<void(form::Form&)>;

void setAmount(form::Form& f, const std::string& name, const char* text) {
  f.maskEdit(name).setText(form::FormatAmount(text));
}

// A monthly declaration of a company that holds: one withholding row, one payee.
void correct(form::Form& f) {
  f.edit("Edit1").setText("KADIK\xD6Y");
  f.edit("Edit3").setText("4630127892");
  f.edit("Edit6").setText("G\xDCNE\xDEO\xD0LU LTD.");
  f.edit("Edit28").setText("OCAK 2026");
  f.edit("Edit19").setText("Ay\xFE" "e G\xFCl");
  f.checkBox("CheckBox1").setChecked(true);
  f.checkBox("CheckBox3").setChecked(true);  // January
  f.edit("Edit8").setText("011");
  setAmount(f, "MaskEdit1", "1000.00");
  setAmount(f, "MaskEdit10", "150.00");
  f.edit("Edit29").setText("ALI VELI, ISTANBUL");
  f.edit("Edit30").setText("KADIK\xD6Y 10000000146");
  f.edit("Edit31").setText("021");
  setAmount(f, "MaskEdit25", "500.00");
  setAmount(f, "MaskEdit26", "100.00");
}

struct Case {
  const char* name;
  Fill change;
  // The finding expected: its kind and field; nothing expected when empty.
  const char* kind;
  const char* field;
};

const Case kCases[] = {
    {"Correct", [](form::Form&) {}, "", ""},
    {"NoTaxOffice", [](form::Form& f) { f.edit("Edit1").setText("  "); }, "Hata", "Edit1"},
    {"NoName", [](form::Form& f) { f.edit("Edit6").setText(""); }, "Hata", "Edit6"},
    {"NoPeriod", [](form::Form& f) { f.edit("Edit28").setText(""); }, "Hata", "Edit28"},
    {"NoNumberAtAll", [](form::Form& f) { f.edit("Edit3").setText(""); }, "Hata", "Edit3"},
    {"SoleProprietorWithIdentityNumberOnly",
     [](form::Form& f) {
       f.edit("Edit3").setText("");
       f.edit("Edit4").setText("28764190546");
     },
     "", ""},
    {"TaxNumberOneDigitOff", [](form::Form& f) { f.edit("Edit3").setText("4630127895"); }, "Hata",
     "Edit3"},
    {"PreparerNumberWrong", [](form::Form& f) { f.edit("Edit23").setText("28764190545"); },
     "Hata", "Edit23"},
    {"BothMonthlyAndQuarterly", [](form::Form& f) { f.checkBox("CheckBox2").setChecked(true); },
     "Hata", "CheckBox1"},
    {"MonthlyWithTwoMonths", [](form::Form& f) { f.checkBox("CheckBox5").setChecked(true); },
     "Hata", "CheckBox3"},
    {"QuarterlyOfOneQuarter",
     [](form::Form& f) {
       f.checkBox("CheckBox1").setChecked(false);
       f.checkBox("CheckBox2").setChecked(true);
       for (const char* month : {"CheckBox4", "CheckBox6", "CheckBox8"}) f.checkBox(month).setChecked(true);
       f.checkBox("CheckBox3").setChecked(false);
       f.edit("Edit28").setText("TEMMUZ-EYL\xDCL 2026");
     },
     "", ""},
    {"QuarterlyAcrossQuarters",
     [](form::Form& f) {
       f.checkBox("CheckBox1").setChecked(false);
       f.checkBox("CheckBox2").setChecked(true);
       f.checkBox("CheckBox3").setChecked(false);
       // February, March, April
       for (const char* month : {"CheckBox5", "CheckBox7", "CheckBox9"}) f.checkBox(month).setChecked(true);
     },
     "Hata", "CheckBox3"},
    {"PeriodNamesAnotherMonth", [](form::Form& f) { f.edit("Edit28").setText("\xDE" "UBAT 2026"); },
     "Uyar\xC4\xB1", "Edit28"},
    {"CodeWithoutAmount",
     [](form::Form& f) { f.edit("Edit9").setText("012"); }, "Hata", "MaskEdit2"},
    {"AmountWithoutCode", [](form::Form& f) { setAmount(f, "MaskEdit2", "10.00"); }, "Hata",
     "Edit9"},
    {"CodeNotThreeDigits", [](form::Form& f) { f.edit("Edit8").setText("11"); }, "Hata", "Edit8"},
    {"CodeTwice",
     [](form::Form& f) {
       f.edit("Edit9").setText("011");
       setAmount(f, "MaskEdit2", "10.00");
     },
     "Hata", "Edit9"},
    {"TaxAboveGross", [](form::Form& f) { setAmount(f, "MaskEdit10", "1000.01"); }, "Hata",
     "MaskEdit10"},
    {"TaxEqualToGross", [](form::Form& f) { setAmount(f, "MaskEdit10", "1000.00"); }, "", ""},
    {"PayeeWithoutName", [](form::Form& f) { f.edit("Edit29").setText(""); }, "Hata", "Edit29"},
    {"PayeeNumberOff", [](form::Form& f) { f.edit("Edit30").setText("KADIK\xD6Y 10000000147"); },
     "Hata", "Edit30"},
    {"PayeeWithoutNumber", [](form::Form& f) { f.edit("Edit30").setText("KADIK\xD6Y"); }, "Hata",
     "Edit30"},
    {"PayeeWithTaxNumber", [](form::Form& f) { f.edit("Edit30").setText("KADIK\xD6Y 4630127892"); },
     "", ""},
    {"PayeeWithoutGross", [](form::Form& f) { setAmount(f, "MaskEdit25", ""); }, "Hata",
     "MaskEdit25"},
    {"PayeeWithNoTaxWithheld", [](form::Form& f) { setAmount(f, "MaskEdit26", ""); }, "", ""},
    {"PayeeTaxAboveGross", [](form::Form& f) { setAmount(f, "MaskEdit26", "600.00"); }, "Hata",
     "MaskEdit26"},
    {"EmailWithoutDomain", [](form::Form& f) { f.edit("Edit5_1").setText("muhasebe@"); },
     "Uyar\xC4\xB1", "Edit5_1"},
    {"AreaCodeOfTwoDigits", [](form::Form& f) { f.edit("Edit5_2").setText("21"); }, "Uyar\xC4\xB1",
     "Edit5_2"},
    {"PhoneOfSevenDigits", [](form::Form& f) { f.edit("Edit5_3").setText("5550123"); }, "", ""},
    {"NoSignatory", [](form::Form& f) { f.edit("Edit19").setText(""); }, "Uyar\xC4\xB1", "Edit19"},
    {"DeductionAboveTax", [](form::Form& f) { setAmount(f, "MaskEdit19", "200.00"); },
     "Uyar\xC4\xB1", "StaticText41"},
};

class DeclarationCheck : public testing::TestWithParam<Case> {};

// The first finding's kind and field, through the form and through its print file.
TEST_P(DeclarationCheck, FindsTheSameThroughTheFormAndThePrintFile) {
  form::Form f;
  form::bindChangeHandlers(f);  // the totals follow, as in the window
  correct(f);
  GetParam().change(f);
  const std::vector<check::Finding> fromForm = check::checkForm(f);
  muhtasar_print::PrintFile file{print::printLines(f)};
  const std::vector<std::string> fromFile = muhtasar_print::checkLines(file);
  const std::string kind = GetParam().kind;
  if (kind.empty()) {
    EXPECT_TRUE(fromForm.empty()) << fromForm.front().message;
    EXPECT_TRUE(fromFile.empty()) << fromFile.front();
    return;
  }
  ASSERT_FALSE(fromForm.empty());
  EXPECT_EQ(check::kindText(fromForm.front().kind), kind);
  EXPECT_EQ(fromForm.front().fields.front(), GetParam().field);
  ASSERT_FALSE(fromFile.empty());
  EXPECT_EQ(fromFile.front().rfind(kind + ": ", 0), 0u) << fromFile.front();
  EXPECT_NE(fromFile.front().find(fromForm.front().message), std::string::npos) << fromFile.front();
}

INSTANTIATE_TEST_SUITE_P(Rules, DeclarationCheck, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --check on the print files of the tests, against their golden outputs.
TEST(CheckCommand, WritesTheFindingsOfEachPrintFile) {
  for (const char* name : {"sample_declaration", "empty_declaration", "long_values"}) {
    ScratchDir dir;
    std::ifstream in(std::string(MUHTASAR_TESTDATA_DIR) + "/print/" + name + ".dat", std::ios::binary);
    std::ofstream(dir.path() / "BORDMHT1.DAT", std::ios::binary) << in.rdbuf();
    std::ifstream golden(std::string(MUHTASAR_TESTDATA_DIR) + "/check/" + name + ".txt",
                         std::ios::binary);
    std::stringstream expected;
    expected << golden.rdbuf();
    std::ostringstream out, errors;
    EXPECT_EQ(muhtasar_print::runCheck(out, errors), muhtasar_print::kExitHasErrors) << name;
    EXPECT_EQ(out.str(), expected.str()) << name;
    EXPECT_EQ(errors.str(), "") << name;
  }
}

TEST(CheckCommand, AFileThatCannotBeCheckedSaysWhy) {
  ScratchDir dir;
  std::ostringstream out, errors;
  EXPECT_EQ(muhtasar_print::runCheck(out, errors), muhtasar_print::kExitNotChecked);
  std::ofstream(dir.path() / "BORDMHT1.DAT", std::ios::binary) << "only one line\r\n";
  EXPECT_EQ(muhtasar_print::runCheck(out, errors), muhtasar_print::kExitNotChecked);
  EXPECT_EQ(out.str(), "");
  EXPECT_NE(errors.str().find("BORDMHT1.DAT"), std::string::npos) << errors.str();
}

}  // namespace
