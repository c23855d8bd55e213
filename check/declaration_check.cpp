// The rules of the whole declaration, in the form's order: the taxpayer and
// the preparer, the period, the withholding rows (8-16), the payee list
// (Table III), the contact details, the results. Texts are code page 1254.
#include "check/declaration_check.h"

#include <algorithm>
#include <array>
#include <map>

#include "check/field_rules.h"
#include "form/catalogue.h"

namespace check {
namespace {

constexpr const char* kMonthly = "CheckBox1";
constexpr const char* kQuarterly = "CheckBox2";
// Row 19 and Table II's rows 2 and 4: what is payable, which a larger
// deduction makes negative.
constexpr std::array<int, 3> kPayableRows = {41, 38, 40};

// Month m (1..12) is CheckBox(3 + 2k + j), k = (m - 1) mod 6, j = (m - 1) div 6.
std::string monthBox(int month) {
  return form::checkBoxName(3 + 2 * ((month - 1) % 6) + (month - 1) / 6);
}

class Checker {
 public:
  explicit Checker(const Values& values) : v_(values) {}

  std::vector<Finding> run() {
    taxpayer();
    period();
    withholdingRows();
    payeeRows();
    contact();
    results();
    // "Hata" first, then each kind in the order the form's fields are gone through.
    std::map<std::string, std::size_t, std::less<>> place;
    for (const std::string& name : form::focusOrder()) place.emplace(name, place.size());
    for (const form::Component& c : form::catalogue()) place.emplace(c.name, place.size());
    std::stable_sort(findings_.begin(), findings_.end(), [&](const Finding& a, const Finding& b) {
      return std::make_pair(a.kind, place.at(a.fields.front())) <
             std::make_pair(b.kind, place.at(b.fields.front()));
    });
    return std::move(findings_);
  }

 private:
  bool blank(std::string_view field) const { return isBlank(v_.text(field)); }

  void add(Kind kind, std::vector<std::string> fields, std::string message) {
    findings_.push_back({kind, std::move(fields), std::move(message)});
  }

  void required(const char* field, const char* what) {
    if (blank(field)) add(Kind::Error, {field}, std::string(what) + " boş; doldurulmalı.");
  }

  void problem(const std::string& field) {
    std::string message = fieldProblem(v_, field);
    if (!message.empty()) add(Kind::Error, {field}, std::move(message));
  }

  void taxpayer() {
    required("Edit1", "Vergi dairesi");
    if (blank("Edit3") && blank("Edit4")) {
      add(Kind::Error, {"Edit3", "Edit4"},
          "Vergi kimlik numarası da T.C. kimlik numarası da boş; en az biri verilmeli.");
    }
    for (const char* field : {"Edit3", "Edit4"}) problem(field);
    required("Edit6", "Soyadı / ünvanı");
    for (const char* field : {"Edit22", "Edit23"}) problem(field);
  }

  void period() {
    required("Edit28", "Dönem");
    const bool monthly = v_.checked(kMonthly);
    const bool quarterly = v_.checked(kQuarterly);
    if (monthly == quarterly) {
      add(Kind::Error, {kMonthly, kQuarterly},
          "\"AYLIK\" ve \"ÜÇ AYLIK\" kutularından tam olarak biri işaretlenmeli.");
    }
    std::vector<int> ticked;
    std::vector<std::string> boxes;
    for (int month = 1; month <= 12; ++month) {
      if (v_.checked(monthBox(month))) ticked.push_back(month);
      boxes.push_back(monthBox(month));
    }
    if (monthly && !quarterly && ticked.size() != 1) {
      add(Kind::Error, boxes, "Aylık beyannamede tam olarak bir ay işaretlenmeli.");
    }
    if (quarterly && !monthly) {
      const bool oneQuarter = ticked.size() == 3 && ticked[0] % 3 == 1 &&
                              ticked[1] == ticked[0] + 1 && ticked[2] == ticked[0] + 2;
      if (!oneQuarter) {
        add(Kind::Error, boxes,
            "Üç aylık beyannamede bir takvim çeyreğinin üç ayı işaretlenmeli "
            "(Ocak-Mart, Nisan-Haziran, Temmuz-Eylül, Ekim-Aralık).");
      }
    }
    for (int month : monthsNamedIn(v_.text("Edit28"))) {
      if (!v_.checked(monthBox(month))) {
        add(Kind::Warning, {"Edit28", monthBox(month)},
            "Dönemde adı geçen " + monthName(month) + " ayının kutusu işaretli değil.");
      }
    }
  }

  void withholdingRows() {
    std::map<std::string, std::string> firstWithCode;
    for (int row = 8; row <= 16; ++row) {
      const std::string code = form::editName(row);
      const std::string gross = form::maskEditName(row - 7);
      const std::string tax = form::maskEditName(row + 2);
      const bool hasAmount = v_.cents(gross).value_or(0) != 0 || v_.cents(tax).value_or(0) != 0;
      if (!blank(code) && !hasAmount) {
        add(Kind::Error, {gross, code}, "Ödeme türü kodu var, tutarı yok.");
      }
      if (blank(code) && hasAmount) {
        add(Kind::Error, {code, gross}, "Tutar var, ödeme türü kodu yok.");
      }
      problem(code);
      problem(tax);
      if (blank(code)) continue;
      const std::string trimmedCode = trimmed(v_.text(code));
      const auto [first, isNew] = firstWithCode.emplace(trimmedCode, code);
      if (!isNew) {
        std::string message = "\"";
        message += toUtf8(trimmedCode);
        message += "\" kodu birden fazla satırda; her kod bir satırda olmalı.";
        add(Kind::Error, {code, first->second}, std::move(message));
      }
    }
  }

  void payeeRows() {
    for (int r = 1; r <= form::kPayeeRows; ++r) {
      const std::string name = form::editName(3 * r + 26);
      const std::string number = form::editName(3 * r + 27);
      const std::string code = form::editName(3 * r + 28);
      const std::string gross = form::maskEditName(2 * r + 23);
      const std::string tax = form::maskEditName(2 * r + 24);
      const bool empty = blank(name) && blank(number) && blank(code) &&
                         v_.cents(gross).value_or(0) == 0 && v_.cents(tax).value_or(0) == 0;
      if (empty) continue;
      if (blank(name)) add(Kind::Error, {name}, "Adı soyadı (ünvanı) ve adresi boş.");
      if (blank(number)) {
        add(Kind::Error, {number}, "Vergi dairesi ve vergi kimlik numarası boş.");
      }
      problem(number);
      if (blank(code)) add(Kind::Error, {code}, "Ödeme türü kodu boş.");
      problem(code);
      if (v_.cents(gross).value_or(0) == 0) add(Kind::Error, {gross}, "Gayrisafi tutar boş.");
      problem(tax);
    }
  }

  void contact() {
    for (const char* field : {"Edit5_1", "Edit24", "Edit5_2", "Edit5_3"}) {
      std::string message = contactProblem(field, v_.text(field));
      if (!message.empty()) add(Kind::Warning, {field}, std::move(message));
    }
    if (blank("Edit19")) {
      add(Kind::Warning, {"Edit19"}, "Mükellefin imza yetkilisi boş.");
    }
  }

  void results() {
    for (int number : kPayableRows) {
      const std::string field = form::staticTextName(number);
      if (v_.cents(field).value_or(0) < 0) {
        add(Kind::Warning, {field}, "Tutar sıfırın altında; indirimler ödenecek vergiyi aşıyor.");
      }
    }
  }

  const Values& v_;
  std::vector<Finding> findings_;
};

}  // namespace

const char* kindText(Kind kind) {
  return kind == Kind::Error ? "Hata" : "Uyarı";
}

std::vector<Finding> checkDeclaration(const Values& values) {
  return Checker(values).run();
}

}  // namespace check
