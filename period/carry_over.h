#pragma once

#include <string>
#include <string_view>

namespace form {
class Form;
}

namespace period {

// How the carry-over tells the user that the previous period has no
// declaration: the window shows its message box, tests record the call.
class CarryOverNotice {
 public:
  virtual ~CarryOverNotice() = default;
  virtual void previousDeclarationMissing() = 0;
};

// The key of the previous period: characters 1-4 kept, the three month pieces
// moved back by one month (monthly) or by three (otherwise).
std::string previousPeriodKey(std::string_view periodKey, bool monthly);

// Saves, then carries the previous period's declaration into the form.
void CarryOverPrevious(form::Form& form, const std::string& periodKey, CarryOverNotice& notice);

}  // namespace period
