#include <benchmark/benchmark.h>

#include "form/catalogue.h"
#include "form/form.h"

namespace {

// One keystroke in a tax amount with every total it triggers (rows 17b, 19 and
// Table II rows 2 and 4).
void BM_TypeDigitIntoTaxAmount(benchmark::State& state) {
  form::Form form;
  form::AmountField& field = form.maskEdit(10);
  char digit = '1';
  for (auto _ : state) {
    field.focusIn();
    field.typeChar(digit);
    digit = digit == '9' ? '1' : static_cast<char>(digit + 1);
  }
}
BENCHMARK(BM_TypeDigitIntoTaxAmount);

// What a load or a carry-over does to the amounts: all 147 set one after the other.
void BM_SetAllAmountFields(benchmark::State& state) {
  form::Form form;
  bool odd = false;
  for (auto _ : state) {
    const char* text = odd ? "___,__1,234.56" : "___,___,__7.00";
    for (int n = 1; n <= 148; ++n) {
      if (form::isAmountFieldNumber(n)) form.maskEdit(n).setEditText(text);
    }
    odd = !odd;
  }
}
BENCHMARK(BM_SetAllAmountFields);

void BM_BuildForm(benchmark::State& state) {
  for (auto _ : state) {
    form::Form form;
    benchmark::DoNotOptimize(&form);
  }
}
BENCHMARK(BM_BuildForm);

}  // namespace
