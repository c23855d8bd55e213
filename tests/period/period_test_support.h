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

// The lines of a complete payroll summary for April to June 2026; tests
// change single lines of it.
std::vector<std::string> summaryLines();

// The same summary for another period: year and months as its first lines.
std::vector<std::string> summaryOfPeriod(const std::string& year, const std::string& months);

// Writes the payroll summary the commands read, one CR LF line for each line.
void writeSummary(const std::vector<std::string>& lines);

// The example payroll summary of the examples folder.
std::string exampleSummary();

// A store of two sections, and the entries a save writes into the first:
// for the saves that must leave it as it was or lose nothing of it.
inline const std::string kTwoSectionStore =
    "[2026070809]\r\nEdit1=kept\r\n\r\n[Other]\r\nEdit1=other\r\n";
inline const std::vector<std::pair<std::string, std::string>> kEntriesOfTheFirst = {
    {"Edit1", "new"}};

// The names in a folder, sorted: to see that a failed save left nothing behind.
std::vector<std::string> filesIn(const std::string& folder);

}  // namespace period_testing
