// The store's entry list, taken from the field catalogue.
#include <algorithm>
#include <charconv>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "form/ascii.h"
#include "form/catalogue.h"
#include "period/store.h"

namespace period {
namespace {

// Display fields that hold fixed headings ("TOPLAM", the titles of Table II
// and the payee list's column heads): never stored, never loaded.
const std::set<int> kFixedCaptionNumbers = {3, 29, 30, 31, 47, 48, 49, 50, 51};

struct NumberedName {
  int group;   // order of the groups in a section
  int number;  // field number, or 0 for the suffixed names
  std::string name;
  bool operator<(const NumberedName& other) const {
    if (group != other.group) return group < other.group;
    if (number != other.number) return number < other.number;
    return name < other.name;
  }
};

// The field number of "Prefix<digits>", or 0 when the rest is not only digits.
int fieldNumber(std::string_view name, std::string_view prefix) {
  const std::string_view rest = name.substr(prefix.size());
  if (rest.empty() ||
      !std::all_of(rest.begin(), rest.end(), form::isAsciiDigit)) {
    return 0;
  }
  int number = 0;
  std::from_chars(rest.data(), rest.data() + rest.size(), number);
  return number;
}

std::vector<std::string> buildStoredFieldNames() {
  std::vector<NumberedName> stored;
  for (const form::Component& c : form::catalogue()) {
    switch (c.kind) {
      case form::ComponentKind::TextField: {
        // "Edit1" ... "Edit214", then the suffixed "Edit5_1" ... "Edit5_3".
        const int number = fieldNumber(c.name, "Edit");
        stored.push_back({number != 0 ? 0 : 1, number, c.name});
        break;
      }
      case form::ComponentKind::AmountField:
        stored.push_back({2, fieldNumber(c.name, "MaskEdit"), c.name});
        break;
      case form::ComponentKind::DisplayField: {
        const int number = fieldNumber(c.name, "StaticText");
        if (number != 0 && kFixedCaptionNumbers.count(number) == 0) {
          stored.push_back({3, number, c.name});
        }
        break;
      }
      case form::ComponentKind::CheckBox:
        stored.push_back({4, fieldNumber(c.name, "CheckBox"), c.name});
        break;
      default:
        break;
    }
  }
  std::sort(stored.begin(), stored.end());
  std::vector<std::string> names;
  names.reserve(stored.size());
  for (NumberedName& n : stored) names.push_back(std::move(n.name));
  return names;
}

}  // namespace

const std::vector<std::string>& storedFieldNames() {
  static const std::vector<std::string> names = buildStoredFieldNames();
  return names;
}

}  // namespace period
