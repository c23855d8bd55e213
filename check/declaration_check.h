#pragma once
// The check of a whole declaration before it is printed and signed. Its rules
// read the declaration's values by field name and know nothing of where they
// come from: the window's form model or the print file.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace check {

// "Hata": the declaration is wrong. "Uyarı": it is probably wrong.
enum class Kind { Error, Warning };
const char* kindText(Kind kind);

struct Finding {
  Kind kind = Kind::Error;
  // The fields it is about, the first the one to go to.
  std::vector<std::string> fields;
  std::string message;  // UTF-8: what is wrong and what is expected
};

// The declaration as the rules read it.
class Values {
 public:
  virtual ~Values() = default;
  // A text field's text, code page 1254, as typed.
  virtual std::string text(std::string_view field) const = 0;
  // An amount in cents, 0 for an empty amount field; nothing for one that is
  // not a number. Computed amounts carry their sign.
  virtual std::optional<long long> cents(std::string_view field) const = 0;
  virtual bool checked(std::string_view field) const = 0;
};

// Every finding, "Hata" first, each kind in the form's order.
std::vector<Finding> checkDeclaration(const Values& values);

// The rules that look at one field alone, as the window frames it while the
// user types: an invalid number or code, a tax above its gross amount. The
// message for that field, empty when it is fine or empty.
std::string fieldProblem(const Values& values, std::string_view field);

}  // namespace check
