#pragma once
// The declaration's check fed by the window's form model.

#include <string>
#include <vector>

#include "check/declaration_check.h"

namespace form {
class Form;
}

namespace check {

// One line of the window's list "Beyanname Kontrolü": «Hata: <row and
// caption>: <message>», UTF-8, and the field to go to.
struct CheckLine {
  std::string text;
  std::string field;
};

std::vector<Finding> checkForm(const form::Form& form);

// The problem of one field as the window frames it while the user types.
std::string formFieldProblem(const form::Form& form, std::string_view field);
std::vector<CheckLine> checkLinesOf(const std::vector<Finding>& findings);

// Said in the list when the check finds nothing.
inline constexpr const char* kNoFindings = "Beyannamede hata bulunmadı.";
inline constexpr const char* kCheckWindowTitle = "Beyanname Kontrolü";

}  // namespace check
