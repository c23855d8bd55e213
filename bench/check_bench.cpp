#include <benchmark/benchmark.h>

#include "check/form_values.h"
#include "form/form.h"
#include "form/totals.h"

namespace {

// One keystroke in a tax amount as the window sees it: the totals that follow
// and the frame of the field against its gross amount.
void BM_TypeDigitIntoTaxAmountWithItsFrame(benchmark::State& state) {
  form::Form form;
  form::bindChangeHandlers(form);
  form::AmountField& field = form.maskEdit(10);
  std::string frame;
  field.subscribe([&] { frame = check::formFieldProblem(form, "MaskEdit10"); });
  char digit = '1';
  for (auto _ : state) {
    field.focusIn();
    field.typeChar(digit);
    digit = digit == '9' ? '1' : static_cast<char>(digit + 1);
    benchmark::DoNotOptimize(frame);
  }
}
BENCHMARK(BM_TypeDigitIntoTaxAmountWithItsFrame);

// "Kontrol Et" over a whole declaration: every rule, every field.
void BM_CheckWholeDeclaration(benchmark::State& state) {
  form::Form form;
  for (auto _ : state) benchmark::DoNotOptimize(check::checkForm(form));
}
BENCHMARK(BM_CheckWholeDeclaration);

}  // namespace
