#pragma once

#include <string>

namespace form {
class Form;
}

namespace period {

// The payroll summary file that the payroll package leaves in the current directory.
inline constexpr const char* kPayrollSummaryFile = "BORDMHT.DAT";

// Fills the form from "BORDMHT.DAT" and moves periodKey to the file's period.
// Saves nothing.
void UpdateComputedValues(form::Form& form, std::string& periodKey);

}  // namespace period
