#include "check/form_values.h"

#include <cmath>

#include "check/field_captions.h"
#include "check/field_rules.h"
#include "form/amount_text.h"
#include "form/form.h"

namespace check {
namespace {

// The declaration as the window holds it: a computed amount carries its sign
// in its caption.
class FormValues : public Values {
 public:
  explicit FormValues(const form::Form& form) : form_(form) {}

  std::string text(std::string_view field) const override {
    return form_.edit(std::string(field)).text();
  }

  std::optional<long long> cents(std::string_view field) const override {
    const std::string name(field);
    if (field.substr(0, 8) == "MaskEdit") return toCents(form_.maskEdit(name).text());
    // The captions show magnitudes: row 19 (and Table II's row 2) is below
    // zero where row 18 exceeds row 17b, and Table II's row 4 follows it.
    const long long magnitude = toCents(form_.staticText(name).caption());
    const long long row19 = shown("StaticText2") - toCents(form_.maskEdit("MaskEdit19").text());
    if (name == "StaticText41" || name == "StaticText38") return row19 < 0 ? -magnitude : magnitude;
    if (name == "StaticText40") return row19 - shown("StaticText39") < 0 ? -magnitude : magnitude;
    return magnitude;
  }

  bool checked(std::string_view field) const override {
    return form_.checkBox(std::string(field)).checked();
  }

 private:
  long long shown(const char* staticText) const {
    return toCents(form_.staticText(staticText).caption());
  }

  static long long toCents(const std::string& text) {
    return std::llround(form::TextToAmount(text) * 100);
  }

  const form::Form& form_;
};

}  // namespace

std::vector<Finding> checkForm(const form::Form& form) {
  return checkDeclaration(FormValues(form));
}

std::string formFieldProblem(const form::Form& form, std::string_view field) {
  return fieldProblem(FormValues(form), field);
}

std::vector<CheckLine> checkLinesOf(const std::vector<Finding>& findings) {
  std::vector<CheckLine> lines;
  for (const Finding& finding : findings) {
    std::string text = kindText(finding.kind);
    text += ": ";
    for (std::size_t i = 0; i < finding.fields.size(); ++i) {
      if (i > 0) text += "; ";
      text += fieldCaption(finding.fields[i]);
    }
    text += ": ";
    text += finding.message;
    lines.push_back({std::move(text), finding.fields.front()});
  }
  return lines;
}

}  // namespace check
