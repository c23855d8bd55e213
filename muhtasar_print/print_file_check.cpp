#include "muhtasar_print/print_file_check.h"

#include <algorithm>

#include "check/declaration_check.h"
#include "muhtasar_print/declaration_sums.h"
#include "muhtasar_print/field_titles.h"
#include "muhtasar_print/print_file_lines.h"

namespace muhtasar_print {
namespace {

// The declaration as the print file holds it. Amounts come without their
// signs; a computed amount that its operands show negative gets its sign back.
class PrintFileValues : public check::Values {
 public:
  PrintFileValues(const PrintFile& file, const SumCheck& sums) : file_(file), sums_(sums) {}

  std::string text(std::string_view field) const override {
    const FileLine where = lineOfField(std::string(field));
    return where.number ? file_.line(where.number) : std::string();
  }

  std::optional<long long> cents(std::string_view field) const override {
    const FileLine where = lineOfField(std::string(field));
    if (where.kind != LineKind::AmountPair) return std::nullopt;
    long long value = 0;
    int digits = 0;
    for (const std::string* part : {&file_.line(where.number), &file_.line(where.number + 1)}) {
      for (char c : *part) {
        if (c == ' ') continue;
        if (c < '0' || c > '9' || ++digits > 15) return std::nullopt;
        value = value * 10 + (c - '0');
      }
    }
    return sums_.negative.count(where.number) ? -value : value;
  }

  bool checked(std::string_view field) const override { return text(field) == "X"; }

 private:
  const PrintFile& file_;
  const SumCheck& sums_;
};

std::string titlesOf(const std::vector<std::string>& fields) {
  std::string titles;
  for (const std::string& field : fields) {
    if (!titles.empty()) titles += "; ";
    titles += fieldTitle(field);
  }
  return titles;
}

}  // namespace

std::vector<std::string> checkLines(const PrintFile& file) {
  const SumCheck sums = checkSums(file);
  std::vector<std::string> errors;
  std::vector<std::string> warnings;
  for (const check::Finding& finding : check::checkDeclaration(PrintFileValues(file, sums))) {
    auto& lines = finding.kind == check::Kind::Error ? errors : warnings;
    lines.push_back(std::string(check::kindText(finding.kind)) + ": " + titlesOf(finding.fields) +
                    ": " + finding.message);
  }
  // The totals that do not add up are errors too, after the fields' own.
  for (const std::string& mismatch : sums.mismatches) errors.push_back("Hata: " + mismatch);
  errors.insert(errors.end(), warnings.begin(), warnings.end());
  return errors;
}

std::vector<std::string> previewReports(const PrintFile& file, const DeclarationPrint& print) {
  std::vector<std::string> reports = checkLines(file);
  const std::vector<std::string> mismatches = checkSums(file).mismatches;
  for (const std::string& report : print.reports) {
    if (std::find(mismatches.begin(), mismatches.end(), report) == mismatches.end())
      reports.push_back(report);
  }
  return reports;
}

}  // namespace muhtasar_print
