#include "period/carry_over.h"

#include <string>

#include "form/amount_field.h"
#include "form/catalogue.h"
#include "form/form.h"
#include "period/ini_file.h"
#include "period/store.h"

namespace period {
namespace {

constexpr int kFirstCodeRow = 8;
constexpr int kLastCodeRow = 16;
constexpr int kNoFreeRow = kLastCodeRow + 1;

// A month piece of the key as a whole number: leading blanks skipped, the
// digits up to the first other character; no digits, or no such characters
// in the key, read as 0.
int monthPiece(std::string_view key, size_t start) {
  if (start >= key.size()) return 0;
  std::string_view piece = key.substr(start, 2);
  size_t i = 0;
  while (i < piece.size() && piece[i] == ' ') ++i;
  int value = 0;
  for (; i < piece.size() && piece[i] >= '0' && piece[i] <= '9'; ++i) {
    value = value * 10 + (piece[i] - '0');
  }
  return value;
}

// Built by appending: GCC 12 at -O3 warns (-Wrestrict) about its own inlined
// prepend in "0" + std::to_string(value).
std::string twoDigits(int value) {
  std::string digits = value < 10 ? "0" : "";
  digits += std::to_string(value);
  return digits;
}

// The codes that the payroll summary fills in every period: never carried.
bool isPayrollCode(std::string_view code) {
  return code == "011" || code == "012";
}

bool isCarriedEdit(int number) {
  return number != 5 && number != 17 && number != 28;
}

// The line-number boxes: the display fields that hold neither a fixed caption
// nor a computed amount or the employee total.
bool isLineNumberBox(int number) {
  return (number >= 4 && number <= 28) || (number >= 32 && number <= 35) || number == 43 ||
         number == 44;
}

// With a gap above it, the counted row can hold a code of this period: it is
// passed over rather than overwritten, so no row the user filled is lost.
int nextRowWithoutCode(const form::Form& form, int row) {
  while (row <= kLastCodeRow && !form.edit(row).text().empty()) ++row;
  return row;
}

class Copier {
 public:
  Copier(form::Form& form, const StoreSnapshot& store, std::string section)
      : form_(form), store_(store), section_(std::move(section)) {}

  std::string stored(const std::string& name) const { return store_.storedValue(section_, name); }

  // A value that the previous declaration left empty never clears a field.
  void text(const std::string& name) {
    if (std::string v = stored(name); !v.empty()) form_.edit(name).setText(std::move(v));
  }
  // A save stores an empty amount field as the bare pattern: that is an empty
  // previous amount as well, and leaves the amount of this period.
  void amountInto(const std::string& from, int toNumber) {
    if (std::string v = stored(from); !v.empty() && v != form::AmountField::kEmptyEditText)
      form_.maskEdit(toNumber).setEditText(std::move(v));
  }
  void caption(int number) {
    const std::string name = form::staticTextName(number);
    if (std::string v = stored(name); !v.empty()) form_.staticText(name).setCaption(std::move(v));
  }

 private:
  form::Form& form_;
  const StoreSnapshot& store_;
  std::string section_;
};

}  // namespace

std::string previousPeriodKey(std::string_view periodKey, bool monthly) {
  std::string key(periodKey.substr(0, 4));
  for (size_t start : {4u, 6u, 8u}) {
    int month = monthPiece(periodKey, start);
    if (monthly) {
      if (month > 1) month -= 1;
    } else if (month > 3) {
      month -= 3;
    }
    key += twoDigits(month);
  }
  return key;
}

void CarryOverPrevious(form::Form& form, const std::string& periodKey, CarryOverNotice& notice) {
  SaveDeclarationAskingFirst(form, periodKey);
  const std::string previousKey = previousPeriodKey(periodKey, form.checkBox(1).checked());
  // January of a monthly declaration and the first quarter have no earlier
  // months in the key: the key names this very declaration, which is no
  // predecessor. Carrying it onto itself would append its own rows again and
  // double the totals.
  const bool keyNamesThisPeriod = sameName(previousKey, periodKey);
  const StoreSnapshot store = StoreSnapshot::read(previousKey);
  if (keyNamesThisPeriod || !store.declarationExists(previousKey)) {
    notice.previousDeclarationMissing();
    return;
  }

  // Carried rows go below as many rows as hold a code now, wherever they stand.
  int codes = 0;
  for (int row = kFirstCodeRow; row <= kLastCodeRow; ++row) {
    if (!form.edit(row).text().empty()) ++codes;
  }
  int freeRow = nextRowWithoutCode(form, kFirstCodeRow + codes);

  Copier copy(form, store, previousKey);
  for (int b = 1; b <= 214; ++b) {
    if (!isCarriedEdit(b)) continue;
    const std::string value = copy.stored(form::editName(b));
    if (value.empty()) continue;
    if (b < kFirstCodeRow || b > kLastCodeRow) {
      form.edit(b).setText(value);
    } else if (!isPayrollCode(value) && freeRow != kNoFreeRow) {
      // Once the table is full, the further rows are dropped without a message.
      form.edit(freeRow).setText(value);
      copy.amountInto(form::maskEditName(b - 7), freeRow - 7);
      copy.amountInto(form::maskEditName(b + 2), freeRow + 2);
      freeRow = nextRowWithoutCode(form, freeRow + 1);
    }
  }
  for (const char* name : {"Edit5_1", "Edit5_2", "Edit5_3"}) copy.text(name);
  // The payee amounts; rows 18 to 25 of Table I belong to each period alone.
  for (int n = 25; n <= 148; ++n) copy.amountInto(form::maskEditName(n), n);
  for (int n = 1; n <= 52; ++n) {
    if (isLineNumberBox(n)) copy.caption(n);
  }
}

}  // namespace period
