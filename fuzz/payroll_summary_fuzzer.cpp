// Fuzzes the payroll summary reader through UpdateComputedValues: any bytes in
// "BORDMHT.DAT" fill the form without an error, the lines land where their
// numbers say, and every amount shows its value to the cent.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form/amount_text.h"
#include "form/catalogue.h"
#include "form/form.h"
#include "period/computed_values.h"
#include "memory_files.h"

namespace {

constexpr int kLinesRead = 25;

// The lines of the file as the payroll package's line rules give them, from a
// plain walk over the bytes: LF or CR LF ends a line, a lone CR is dropped,
// byte 26 ends the file; lines past the end are empty.
std::vector<std::string> expectedLines(std::string_view bytes) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == 26) break;
    if (c == '\n') {
      lines.emplace_back();
    } else if (c == '\r') {
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
        lines.emplace_back();
        ++i;
      }
    } else {
      lines.back() += c;
    }
  }
  lines.resize(std::max<size_t>(lines.size(), kLinesRead));
  return lines;
}

void expectText(const form::Form& form, const char* name, const std::string& line) {
  if (form.edit(name).text() != line) fuzz::fail(std::string(name) + " does not hold its line");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::MemoryFiles files;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  fuzz::writeFile("BORDMHT.DAT", bytes);

  form::Form form;
  std::string periodKey = "earlier key";
  period::UpdateComputedValues(form, periodKey);

  const std::vector<std::string> line = expectedLines(bytes);
  if (periodKey != line[0] + line[1]) fuzz::fail("the period key is not lines 1 and 2");
  expectText(form, "Edit28", line[2]);
  const bool quarterly = line[3] == "3";
  if (form.checkBox(1).checked() == quarterly || form.checkBox(2).checked() != quarterly)
    fuzz::fail("the period kind boxes do not follow line 4");
  const char* textLines[] = {"Edit1", "Edit2", "Edit3",  "Edit4",  "Edit5_2", "Edit5_3", "Edit5_1",
                             "Edit6", "Edit7", "Edit22", "Edit23", "Edit24",  "Edit25",  "Edit5"};
  for (int i = 0; i < 14; ++i) expectText(form, textLines[i], line[static_cast<size_t>(4 + i)]);
  expectText(form, "Edit19", line[11]);
  expectText(form, "Edit17", line[20]);

  // A month field names its month whatever the rest of the key holds.
  for (size_t position = 4; position + 2 <= periodKey.size() && position <= 8; position += 2) {
    const std::string field = periodKey.substr(position, 2);
    for (int month = 1; month <= 12; ++month) {
      const std::string number = {static_cast<char>('0' + month / 10),
                                  static_cast<char>('0' + month % 10)};
      if (field == number && !form.checkBox(form::monthBoxNumber(month)).checked())
        fuzz::fail("month " + number + " of the key is not marked");
    }
  }

  // An amount field shows its line's amount to the cent: no digit is lost,
  // also where the amount has more integer digits than the pattern.
  const std::pair<int, int> amounts[] = {{1, 18}, {10, 19}, {2, 21}, {11, 22}, {21, 23}, {22, 24}};
  for (const auto& [field, lineIndex] : amounts) {
    const double value = form::TextToAmount(line[static_cast<size_t>(lineIndex)]);
    if (value == 0) continue;  // shown as read
    const std::string& shown = form.maskEdit(field).editText();
    if (form::TextToAmount(shown) != form::TextToAmount(form::FixedText(value, 9, 2)))
      fuzz::fail("MaskEdit" + std::to_string(field) + " shows «" + shown + "» for line " +
                 std::to_string(lineIndex + 1));
  }
  return 0;
}
