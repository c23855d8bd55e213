#include "print/print_file.h"

#include <cerrno>
#include <cstdio>
#include <string_view>

#include "form/amount_text.h"
#include "form/catalogue.h"
#include "form/form.h"
#include "period/file_replace.h"
#include "period/io_error.h"

namespace print {
namespace {

// What one entry of the print file takes from its field. The print program
// knows every value by its line number alone, so the list below is the whole
// file format.
enum class Source {
  Text,            // a text field's text: one line
  Caption,         // a display field's caption as shown: one line
  Check,           // a check box: "X" or one blank
  AmountField,     // an amount field's value: integer line, decimals line
  ComputedAmount,  // a display field's amount caption: integer line, decimals line
};

struct Entry {
  Source source;
  std::string field;
};

constexpr int kFirstCodeRow = 8;
constexpr int kLastCodeRow = 16;
constexpr int kCheckBoxes = 14;

std::vector<Entry> buildEntries() {
  using form::checkBoxName;
  using form::editName;
  using form::maskEditName;
  using form::staticTextName;
  std::vector<Entry> entries;
  auto text = [&](std::string name) { entries.push_back({Source::Text, std::move(name)}); };
  auto amount = [&](int number) { entries.push_back({Source::AmountField, maskEditName(number)}); };
  auto computed = [&](int number) {
    entries.push_back({Source::ComputedAmount, staticTextName(number)});
  };

  // Tax office, province and district, the period field.
  text(editName(1));
  text(editName(2));
  text(editName(28));
  // The period kind and the month boxes, in number order (not the calendar's).
  for (int n = 1; n <= kCheckBoxes; ++n) entries.push_back({Source::Check, checkBoxName(n)});
  // The taxpayer block: rows 3, 5 (e-mail), 6, 7, 4, then the telephone of row 5.
  text(editName(3));
  text("Edit5_1");
  text(editName(6));
  text(editName(7));
  text(editName(4));
  text("Edit5_2");
  text("Edit5_3");
  // The withholding table: code, gross amount, tax withheld per row.
  for (int row = kFirstCodeRow; row <= kLastCodeRow; ++row) {
    text(editName(row));
    amount(row - 7);
    amount(row + 2);
  }
  // Rows 17 to 25 of Table I.
  computed(1);
  computed(2);
  amount(19);
  computed(41);
  amount(20);
  amount(21);
  computed(42);
  amount(22);
  computed(45);
  amount(23);
  // The employee counts and their total, which is a count, not an amount.
  text(editName(5));
  text(editName(17));
  entries.push_back({Source::Caption, staticTextName(36)});
  // Table II.
  for (int n = 37; n <= 40; ++n) computed(n);
  computed(46);
  computed(52);
  // The taxpayer's signatory panel and the preparer's panel.
  for (int n = 19; n <= 27; ++n) text(editName(n));
  // The print program reads the code of row 16 once more here.
  text(editName(kLastCodeRow));
  // The payee list, every row written whether filled or not.
  for (int r = 1; r <= form::kPayeeRows; ++r) {
    text(editName(3 * r + 26));
    text(editName(3 * r + 27));
    text(editName(3 * r + 28));
    amount(2 * r + 23);
    amount(2 * r + 24);
  }
  return entries;
}

const std::vector<Entry>& entries() {
  static const std::vector<Entry> list = buildEntries();
  return list;
}

// A line break inside a field would shift every later value to a line where
// the print program expects another one; it is printed as a blank so that
// the file keeps its line count.
std::string textLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

// Integer part and the two decimals of an amount, without sign or separators.
void addAmountPair(std::vector<std::string>& lines, std::string_view shown) {
  const std::string fixed = form::FixedText(form::TextToAmount(shown), 9, 2);
  const size_t point = fixed.find('.');
  lines.push_back(fixed.substr(0, point));
  lines.push_back(fixed.substr(point + 1));
}

}  // namespace

std::vector<std::string> printLines(const form::Form& form) {
  std::vector<std::string> lines;
  lines.reserve(kPrintFileLines);
  for (const Entry& entry : entries()) {
    switch (entry.source) {
      case Source::Text:
        lines.push_back(textLine(form.edit(entry.field).text()));
        break;
      case Source::Caption:
        lines.push_back(textLine(form.staticText(entry.field).caption()));
        break;
      case Source::Check:
        lines.emplace_back(form.checkBox(entry.field).checked() ? "X" : " ");
        break;
      case Source::AmountField:
        addAmountPair(lines, form.maskEdit(entry.field).text());
        break;
      case Source::ComputedAmount:
        addAmountPair(lines, form.staticText(entry.field).caption());
        break;
    }
  }
  return lines;
}

std::string printFileContent(const form::Form& form) {
  std::string content;
  content.reserve(4096);
  for (const std::string& line : printLines(form)) {
    content += line;
    content += "\r\n";
  }
  return content;
}

void WritePrintFile(const form::Form& form) {
  const std::string content = printFileContent(form);
  std::FILE* file = period::openRegularFileForWriting(kPrintFile);
  if (file == nullptr) period::throwIoError(errno);
  if (std::fwrite(content.data(), 1, content.size(), file) != content.size() ||
      std::fflush(file) != 0) {
    const int error = errno;
    std::fclose(file);
    period::throwIoError(error);
  }
  if (std::fclose(file) != 0) period::throwIoError(errno);
}

}  // namespace print
