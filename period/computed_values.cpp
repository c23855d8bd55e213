#include "period/computed_values.h"

#include <string_view>

#include "form/amount_text.h"
#include "form/catalogue.h"
#include "form/form.h"
#include "period/payroll_summary.h"

namespace period {
namespace {

// Switches on the boxes of the months that the key's three month fields name.
// Boxes are never switched off here: a month marked by hand stays marked. A key
// shorter than ten characters names no month where its characters run out.
void markMonths(form::Form& form, std::string_view periodKey) {
  for (size_t position : {4u, 6u, 8u}) {
    if (periodKey.size() < position + 2) continue;
    const std::string_view field = periodKey.substr(position, 2);
    for (int month = 1; month <= 12; ++month) {
      const char number[3] = {static_cast<char>('0' + month / 10),
                              static_cast<char>('0' + month % 10), '\0'};
      if (field == number) form.checkBox(form::monthBoxNumber(month)).setChecked(true);
    }
  }
}

// An amount of a withholding row: a zero amount leaves the row's code empty and
// shows the line as it was read; the code is set before the amount so that the
// totals see the row complete.
void applyRowAmount(form::Form& form, const std::string& line, const char* codeField,
                    const char* code, int amountField) {
  const double value = form::TextToAmount(line);
  const bool present = value != 0;
  if (codeField != nullptr) form.edit(codeField).setText(present ? code : "");
  const std::string text = present ? form::FixedText(value, 9, 2) : line;
  form.maskEdit(amountField).setEditText(form::FormatAmount(text));
}

// Offsets and stamp duty always show a number, zero included.
void applyFixedAmount(form::Form& form, const std::string& line, int amountField) {
  const std::string text = form::FixedText(form::TextToAmount(line), 9, 2);
  form.maskEdit(amountField).setEditText(form::FormatAmount(text));
}

}  // namespace

void UpdateComputedValues(form::Form& form, std::string& periodKey) {
  PayrollSummaryReader summary(kPayrollSummaryFile);

  periodKey = summary.readLine();
  periodKey += summary.readLine();
  markMonths(form, periodKey);

  form.edit("Edit28").setText(summary.readLine());

  if (summary.readLine() == "3") {
    form.checkBox(1).setChecked(false);
    form.checkBox(2).setChecked(true);
  } else {
    form.checkBox(2).setChecked(false);
    form.checkBox(1).setChecked(true);
  }

  // Lines 5 to 18, each applied before the next is read.
  for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5_2", "Edit5_3", "Edit5_1"}) {
    form.edit(name).setText(summary.readLine());
  }
  const std::string taxpayerName = summary.readLine();
  form.edit("Edit6").setText(taxpayerName);
  form.edit("Edit19").setText(taxpayerName);
  for (const char* name : {"Edit7", "Edit22", "Edit23", "Edit24", "Edit25", "Edit5"}) {
    form.edit(name).setText(summary.readLine());
  }

  applyRowAmount(form, summary.readLine(), "Edit8", "011", 1);
  applyRowAmount(form, summary.readLine(), nullptr, nullptr, 10);
  form.edit("Edit17").setText(summary.readLine());
  applyRowAmount(form, summary.readLine(), "Edit9", "012", 2);
  applyRowAmount(form, summary.readLine(), nullptr, nullptr, 11);
  applyFixedAmount(form, summary.readLine(), 21);
  applyFixedAmount(form, summary.readLine(), 22);
}

}  // namespace period
