#include "form/totals.h"

#include <algorithm>
#include <functional>
#include <map>

#include "form/amount_text.h"
#include "form/catalogue.h"
#include "form/form.h"

namespace form {
namespace {

double amountOf(const Form& form, int maskEdit) {
  return TextToAmount(form.maskEdit(maskEdit).editText());
}

void show(Form& form, int staticText, double value) {
  form.staticText(staticText).setCaption(AmountCaption(value));
}

}  // namespace

void UpdateGrossTotal(Form& form) {
  double sum = 0;
  for (int n = 1; n <= 9; ++n) sum += amountOf(form, n);
  show(form, 1, sum);
  show(form, 37, sum);
}

// Row 19 and Table II row 4 carry the signed difference forward; the captions
// only ever show magnitudes, and UpdateDeductionTotals reads row 19 back from
// its caption.
void UpdateTaxTotals(Form& form) {
  double sum = 0;
  for (int n = 10; n <= 18; ++n) sum += amountOf(form, n);
  show(form, 2, sum);
  sum -= amountOf(form, 19);
  show(form, 41, sum);
  show(form, 38, sum);
  sum -= TextToAmount(form.staticText(39).caption());
  show(form, 40, sum);
}

void UpdateDeductionTotals(Form& form) {
  const double a = amountOf(form, 20);
  double b = amountOf(form, 21);
  const double d = b + a;
  show(form, 42, d);
  show(form, 39, d);
  show(form, 40, TextToAmount(form.staticText(38).caption()) - d);
  const double rate = TextToAmount(form.edit("Edit18").text());
  b = amountOf(form, 21);
  const double p = b * rate;
  show(form, 45, p);
  const double e = amountOf(form, 22);
  show(form, 46, p + e);
}

void UpdateEmployeeCount(Form& form) {
  const double n = TextToAmount(form.edit("Edit17").text()) + TextToAmount(form.edit("Edit5").text());
  std::string total = FixedText(n, 9, 0);
  total.erase(std::remove(total.begin(), total.end(), ' '), total.end());
  form.staticText(36).setCaption(total);
}

void MaskEdit1Change(Form& form) { UpdateGrossTotal(form); }
void MaskEdit10Change(Form& form) { UpdateTaxTotals(form); }
void MaskEdit20Change(Form& form) { UpdateDeductionTotals(form); }
void Edit5Change(Form& form) { UpdateEmployeeCount(form); }

// Row 6 of Table II shows row 25 exactly as typed, blanks included.
void MaskEdit23Change(Form& form) {
  form.staticText(52).setCaption(form.maskEdit(23).editText());
}

void bindChangeHandlers(Form& form) {
  static const std::map<std::string, void (*)(Form&), std::less<>> handlers = {
      {"MaskEdit1Change", MaskEdit1Change},   {"MaskEdit10Change", MaskEdit10Change},
      {"MaskEdit20Change", MaskEdit20Change}, {"MaskEdit23Change", MaskEdit23Change},
      {"Edit5Change", Edit5Change}};
  for (const Component& c : catalogue()) {
    if (c.changeHandler.empty()) continue;
    auto handler = handlers.at(c.changeHandler);
    form.field(c.name).subscribe([&form, handler] { handler(form); });
  }
}

}  // namespace form
