#include "period/period_test_support.h"

#include <algorithm>
#include <filesystem>

#include "form/cp1254.h"
#include "support/scratch_dir.h"

namespace period_testing {

std::string crlfLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string cp(const char* utf8) {
  return form::utf8ToCp1254(utf8);
}

std::vector<std::pair<std::string, std::string>> formState(const form::Form& form) {
  std::vector<std::pair<std::string, std::string>> state;
  for (const form::Field* field : form.fields()) {
    const std::string& name = field->name();
    switch (field->kind()) {
      case form::FieldKind::Text:
        state.emplace_back(name, form.edit(name).text());
        break;
      case form::FieldKind::Amount:
        state.emplace_back(name, form.maskEdit(name).editText());
        break;
      case form::FieldKind::Display:
        state.emplace_back(name, form.staticText(name).caption());
        break;
      case form::FieldKind::Check:
        state.emplace_back(name, form.checkBox(name).checked() ? "on" : "off");
        break;
    }
  }
  return state;
}

std::vector<std::string> summaryLines() {
  return {"2026",       "040506",      "NISAN-HAZIRAN 2026",
          "3",          "KADIKOY",     "ISTANBUL",
          "4630127895", "12345678901", "216",
          "5550123",    "a@b.tr",      "GUNES LTD",
          "ALI",        "3810492765",  "2876419053",
          "c@d.tr",     "AYSE OZ",     "4",
          "125430.50",  "18814.58",    "7",
          "8400.00",    "1260.00",     "3250.75",
          "952.10"};
}

std::vector<std::string> summaryOfPeriod(const std::string& year, const std::string& months) {
  std::vector<std::string> lines = summaryLines();
  lines[0] = year;
  lines[1] = months;
  return lines;
}

void writeSummary(const std::vector<std::string>& lines) {
  testing_support::writeFile("BORDMHT.DAT", crlfLines(lines));
}

std::string exampleSummary() {
  return testing_support::readFile(std::string(MUHTASAR_EXAMPLES_DIR) + "/BORDMHT.DAT");
}

std::vector<std::string> filesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace period_testing
