#pragma once

#include <string>
#include <string_view>

namespace form {

class Form;

// The live totals of Tables I and II: each routine recomputes all its outputs
// from the fields of the form.
void UpdateGrossTotal(Form& form);
void UpdateTaxTotals(Form& form);
void UpdateDeductionTotals(Form& form);
void UpdateEmployeeCount(Form& form);

// Change handlers of the event binding table, by their names in the form.
void MaskEdit1Change(Form& form);
void MaskEdit10Change(Form& form);
void MaskEdit20Change(Form& form);
void MaskEdit23Change(Form& form);
void Edit5Change(Form& form);

// Binds every change handler that the catalogue names to its fields.
void bindChangeHandlers(Form& form);

}  // namespace form
