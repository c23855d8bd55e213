#pragma once

#include <string>
#include <utility>
#include <vector>

#include "form/form.h"

namespace period_testing {

// Lines joined with CR LF after each, as the payroll package writes them.
std::string crlfLines(const std::vector<std::string>& lines);

// A code page 1254 text from a UTF-8 literal.
std::string cp(const char* utf8);

// Every field of the form with its value as the store would see it, in
// catalogue order: for comparing whole forms.
std::vector<std::pair<std::string, std::string>> formState(const form::Form& form);

// The example payroll summary of the examples folder.
std::string exampleSummary();

}  // namespace period_testing
