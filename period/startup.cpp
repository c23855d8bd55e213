#include "period/startup.h"

#include "form/form.h"
#include "period/computed_values.h"
#include "period/payroll_summary.h"
#include "period/store.h"

namespace period {
namespace {

// Row 8 of the withholding table must not stay empty on a printed form: when
// its code is empty, rows 9 to 16 move up by one row, top down, every field
// taken as shown and copied raw. Row 16 is left empty.
void closeGapInRowEight(form::Form& form) {
  if (!form.edit(8).text().empty()) return;
  for (int n = 1; n <= 8; ++n) {
    form.maskEdit(n).setEditText(form.maskEdit(n + 1).editText());
    form.maskEdit(n + 9).setEditText(form.maskEdit(n + 10).editText());
    form.edit(n + 7).setText(form.edit(n + 8).text());
  }
  form.edit(16).setText("");
  form.maskEdit(9).setText("");
  form.maskEdit(18).setText("");
}

}  // namespace

void StartUp(form::Form& form, std::string& periodKey) {
  {
    PayrollSummaryReader summary(kPayrollSummaryFile);
    periodKey = summary.readLine();
    periodKey += summary.readLine();
  }
  // One reading of the store serves the existence test and the load.
  const StoreSnapshot store = StoreSnapshot::read(periodKey);
  if (store.declarationExists(periodKey)) {
    LoadDeclaration(form, periodKey, store);
  } else {
    UpdateComputedValues(form, periodKey);
  }
  closeGapInRowEight(form);
  SaveDeclaration(form, periodKey);
}

}  // namespace period
