#include "form/totals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form/form.h"

namespace form {
namespace {

constexpr const char* kEmpty = "___,___,___.__";

struct Caption {
  std::string field;
  std::string caption;
};

void expectCaptions(const Form& form, const std::vector<Caption>& expected) {
  for (const auto& [field, caption] : expected) {
    EXPECT_EQ(form.staticText(field).caption(), caption) << field;
  }
}

TEST(Totals, NothingIsComputedBeforeATriggerChanges) {
  Form form;
  for (int n : {1, 2, 37, 38, 39, 40, 41, 42, 45, 46, 52}) {
    EXPECT_EQ(form.staticText(n).caption(), kEmpty) << n;
  }
  EXPECT_EQ(form.staticText(36).caption(), "");
}

TEST(Totals, TypingOneDigitIntoRowEightShowsTheGrossTotal) {
  Form form;
  AmountField& gross = form.maskEdit(1);
  gross.focusIn();
  gross.typeChar('1');
  EXPECT_EQ(gross.editText(), "1__,___,___.__");
  expectCaptions(form, {{"StaticText1", "___,___,__1.00"}, {"StaticText37", "___,___,__1.00"}});
}

TEST(Totals, ClearedAmountCountsAsZero) {
  Form form;
  form.maskEdit(3).setText("___,__5,000.00");
  form.maskEdit(3).setText("");
  expectCaptions(form, {{"StaticText1", "___,___,__0.00"}, {"StaticText37", "___,___,__0.00"}});
}

TEST(Totals, NineLargestAmountsStillReadBackRight) {
  Form form;
  for (int n = 1; n <= 9; ++n) form.maskEdit(n).setText("999,999,999.99");
  expectCaptions(form, {{"StaticText1", "8,999,999,999.91"}});
  Form exact;
  exact.maskEdit(1).setText("999,999,999.99");
  expectCaptions(exact, {{"StaticText1", "999,999,999.99"}});
}

TEST(Totals, TaxTotalsCarryTheSignedDifferenceIntoRowFour) {
  Form form;
  form.maskEdit(10).setText("___,___,100.00");
  form.maskEdit(11).setText("___,___,_50.00");
  form.maskEdit(19).setText("___,___,_30.00");
  form.maskEdit(20).setText("___,___,_20.00");
  expectCaptions(form, {{"StaticText2", "___,___,150.00"},
                        {"StaticText41", "___,___,120.00"},
                        {"StaticText38", "___,___,120.00"},
                        {"StaticText42", "___,___,_20.00"},
                        {"StaticText39", "___,___,_20.00"},
                        {"StaticText40", "___,___,100.00"}});
}

// Row 18 above 17b makes row 19 negative. A change of rows 10-19 computes
// Table II row 4 from the signed value; a change of rows 20-24 reads row 19
// back from its caption, which shows only the magnitude.
TEST(Totals, RowFourDependsOnWhichRoutineRanLast) {
  Form form;
  form.maskEdit(20).setText("___,___,_10.00");
  form.maskEdit(10).setText("___,___,100.00");
  form.maskEdit(19).setText("___,___,300.00");
  // -200 - 10 = -210, shown as its magnitude.
  expectCaptions(form, {{"StaticText41", "___,___,200.00"},
                        {"StaticText38", "___,___,200.00"},
                        {"StaticText40", "___,___,210.00"}});
  form.maskEdit(20).setText("___,___,_20.00");
  // 200 (the shown magnitude) - 20 = 180.
  expectCaptions(form, {{"StaticText40", "___,___,180.00"}});
  form.maskEdit(10).setText("___,___,101.00");
  // -199 - 20 = -219.
  expectCaptions(form, {{"StaticText40", "___,___,219.00"}});
}

TEST(Totals, DeductionLargerThanTaxShowsTheMagnitude) {
  Form form;
  form.maskEdit(10).setText("___,___,_40.00");
  form.maskEdit(21).setText("___,___,100.00");
  expectCaptions(form, {{"StaticText40", "___,___,_60.00"}});
}

TEST(Totals, StampDutyFromTheRate) {
  struct Case {
    std::string rate, row21, row23, row24, row5;
  };
  const Case cases[] = {
      {".0075", "___,__1,000.00", "___,___,__2.50", "___,___,__7.50", "___,___,_10.00"},
      {"", "___,__1,000.00", "___,___,__2.50", "___,___,__0.00", "___,___,__2.50"},
      {".5", "___,___,__0.01", "", "___,___,__0.01", "___,___,__0.01"},
      {"1000", "999,999,999.99", "", "999,999,999,990.00", "999,999,999,990.00"},
  };
  for (const auto& c : cases) {
    Form form;
    form.maskEdit(21).setText(c.row21);
    form.maskEdit(22).setText(c.row23);
    form.edit("Edit18").setText(c.rate);
    expectCaptions(form, {{"StaticText45", c.row24}, {"StaticText46", c.row5}});
  }
}

TEST(Totals, EmployeeCount) {
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"3", "", "3"}, {"", "", "0"}, {"4", "8", "12"}, {"1.6", "", "2"}};
  for (const auto& [minimumWage, other, total] : cases) {
    Form form;
    form.edit("Edit17").setText("x");
    form.edit("Edit5").setText(minimumWage);
    form.edit("Edit17").setText(other);
    EXPECT_EQ(form.staticText(36).caption(), total);
  }
}

TEST(Totals, RowTwentyFiveIsCopiedAsTyped) {
  Form form;
  AmountField& row25 = form.maskEdit(23);
  row25.focusIn();
  row25.typeChar('5');
  EXPECT_EQ(form.staticText(52).caption(), "5__,___,___.__");
  row25.setEditText("raw text");
  EXPECT_EQ(form.staticText(52).caption(), "raw text");
}

TEST(Totals, PayeeAmountsAreNotTotalled) {
  Form form;
  std::vector<std::string> before;
  for (Field* f : form.fields()) {
    if (f->kind() == FieldKind::Display) before.push_back(static_cast<DisplayField*>(f)->caption());
  }
  form.maskEdit(25).setText("___,___,123.00");
  form.maskEdit(148).setText("___,___,123.00");
  size_t i = 0;
  for (Field* f : form.fields()) {
    if (f->kind() == FieldKind::Display) {
      EXPECT_EQ(static_cast<DisplayField*>(f)->caption(), before[i++]) << f->name();
    }
  }
}

TEST(Totals, SettingTheSameTextRunsNoHandler) {
  Form form;
  form.maskEdit(1).setText("___,___,__1.00");
  form.staticText(1).setCaption("stale");
  form.maskEdit(1).setText("___,___,__1.00");
  EXPECT_EQ(form.staticText(1).caption(), "stale");
}

}  // namespace
}  // namespace form
