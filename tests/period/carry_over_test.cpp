#include "period/carry_over.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "form/form.h"
#include "period/io_error.h"
#include "period/period_test_support.h"
#include "period/store.h"
#include "print/print_file.h"
#include "support/scratch_dir.h"

namespace period {
namespace {

using testing_support::ScratchDir;
using testing_support::writeFile;
using Entries = std::vector<std::pair<std::string, std::string>>;
using Values = std::map<std::string, std::string>;

const std::string kQuarterKey = "2026040506";  // previous quarter: "2026010203"
const std::string kPreviousQuarter = "2026010203";

struct Section {
  std::string key;
  Entries entries;
};

// A store as the program writes it: CR LF lines, one section per key, values
// with blanks at their ends quoted so that they read back whole.
void writeStore(const std::vector<Section>& sections) {
  std::string bytes;
  for (const Section& s : sections) {
    bytes += "[" + s.key + "]\r\n";
    for (const auto& [name, value] : s.entries) {
      bytes += name + "=" + writtenValue(value) + "\r\n";
    }
  }
  writeFile("muhtasar.ini", bytes);
}

class RecordingNotice : public CarryOverNotice {
 public:
  void previousDeclarationMissing() override { ++calls; }
  int calls = 0;
};

// Runs the command and gives how often it told the user that no previous
// declaration exists.
int carryOver(form::Form& form, const std::string& key = kQuarterKey) {
  RecordingNotice notice;
  CarryOverPrevious(form, key, notice);
  return notice.calls;
}

// Every field's value by name, as the store would hold it.
Values fieldValues(const form::Form& form) {
  const auto state = period_testing::formState(form);
  return Values(state.begin(), state.end());
}

// The fields whose values differ, with their new values.
Values changes(const Values& before, const Values& after) {
  Values changed;
  for (const auto& [name, value] : after) {
    if (before.at(name) != value) changed[name] = value;
  }
  return changed;
}

TEST(CarryOver, NoPreviousDeclarationLeavesTheFormAndTellsTheUser) {
  ScratchDir dir;
  // Another period, and the previous key's section without an Edit1 entry.
  writeStore({{"2025100000", {{"Edit1", "x"}}}, {kPreviousQuarter, {{"Edit2", "x"}}}});
  form::Form form;
  form.edit(1).setText("KADIK\xD6Y");
  form.maskEdit(1).setText("___,___,__5.00");
  const Values before = fieldValues(form);
  EXPECT_EQ(carryOver(form), 1);
  EXPECT_EQ(fieldValues(form), before);
  // The save came first.
  EXPECT_EQ(StoredValue(kQuarterKey, "Edit1"), "KADIK\xD6Y");
}

TEST(CarryOver, TheCheckBoxMonthlyChoosesTheSection) {
  struct Case {
    bool monthly;
    std::string expected;
  };
  for (const Case& c : {Case{false, "quarter"}, Case{true, "month"}}) {
    ScratchDir dir;
    writeStore({{"2026010203", {{"Edit1", "quarter"}}}, {"2026030405", {{"Edit1", "month"}}}});
    form::Form form;
    form.checkBox(1).setChecked(c.monthly);
    EXPECT_EQ(carryOver(form), 0);
    EXPECT_EQ(form.edit(1).text(), c.expected);
  }
}

TEST(CarryOver, CopiesWhatBelongsToTheTaxpayerAndNothingOfThePeriod) {
  ScratchDir dir;
  writeStore({{kPreviousQuarter,
               {
                   {"Edit1", "KADIK\xD6Y"},
                   {"Edit5", "9"},  // employee counts: not carried
                   {"Edit17", "9"},
                   {"Edit18", ".0100"},     // the rate: carried, runs the totals
                   {"Edit19", "  imza  "},  // blanks kept
                   {"Edit28", "OLD"},       // period field: not carried
                   {"Edit8", "011"},        // payroll rows: not carried
                   {"MaskEdit1", "___,__9,999.00"},
                   {"MaskEdit10", "___,__1,111.00"},
                   {"Edit10", "021"},
                   {"MaskEdit3", "___,___,100.00"},
                   {"MaskEdit12", "___,___,_20.00"},
                   {"Edit5_1", "a@b.c"},
                   {"Edit5_3", "5550123"},
                   {"MaskEdit19", "___,___,_50.00"},  // rows 18 to 25: not carried
                   {"MaskEdit21", "___,__1,000.00"},
                   {"MaskEdit23", "___,___,__3.00"},
                   {"Edit29", "payee"},
                   {"Edit214", "041"},
                   {"MaskEdit25", "___,__5,000.00"},
                   {"MaskEdit148", "___,___,__1.5_"},
                   {"StaticText1", "___,999,999.99"},  // computed amounts: not carried
                   {"StaticText4", "8"},
                   {"StaticText28", "x"},
                   {"StaticText32", "1a"},
                   {"StaticText35", "4a"},
                   {"StaticText36", "99"},
                   {"StaticText43", "24"},
                   {"StaticText44", "25"},
                   {"StaticText45", "___,___,__9.00"},
                   {"StaticText52", "___,___,__9.00"},
                   {"CheckBox1", "-1"},
                   {"CheckBox3", "-1"},
               }}});
  form::Form form;
  form.edit(5).setText("3");
  form.edit(28).setText("NOW");
  form.checkBox(2).setChecked(true);
  const Values before = fieldValues(form);
  EXPECT_EQ(carryOver(form), 0);

  const std::string zero = "___,___,__0.00";
  const Values expected = {
      {"Edit1", "KADIK\xD6Y"},
      {"Edit18", ".0100"},
      {"Edit19", "  imza  "},
      {"Edit8", "021"},  // the first free row
      {"MaskEdit1", "___,___,100.00"},
      {"MaskEdit10", "___,___,_20.00"},
      {"Edit5_1", "a@b.c"},
      {"Edit5_3", "5550123"},
      {"Edit29", "payee"},
      {"Edit214", "041"},
      {"MaskEdit25", "___,__5,000.00"},
      {"MaskEdit148", "___,___,__1.5_"},
      {"StaticText4", "8"},
      {"StaticText28", "x"},
      {"StaticText32", "1a"},
      {"StaticText35", "4a"},
      {"StaticText43", "24"},
      {"StaticText44", "25"},
      // The carried amounts ran the totals.
      {"StaticText1", "___,___,100.00"},
      {"StaticText37", "___,___,100.00"},
      {"StaticText2", "___,___,_20.00"},
      {"StaticText41", "___,___,_20.00"},
      {"StaticText38", "___,___,_20.00"},
      {"StaticText40", "___,___,_20.00"},
      {"StaticText42", zero},
      {"StaticText39", zero},
      {"StaticText45", zero},
      {"StaticText46", zero},
  };
  EXPECT_EQ(changes(before, fieldValues(form)), expected);
}

// The withholding table: rows 8 to 16 as code, gross amount, tax amount.
struct Row {
  std::string code;
  std::string gross;
  std::string tax;
};
using Table = std::map<int, Row>;

void fillTable(form::Form& form, const Table& table) {
  for (const auto& [row, r] : table) {
    form.edit(row).setText(r.code);
    if (!r.gross.empty()) form.maskEdit(row - 7).setEditText(r.gross);
    if (!r.tax.empty()) form.maskEdit(row + 2).setEditText(r.tax);
  }
}

Entries tableEntries(const Table& table) {
  Entries entries = {{"Edit1", ""}};
  for (const auto& [row, r] : table) {
    entries.push_back({"Edit" + std::to_string(row), r.code});
    entries.push_back({"MaskEdit" + std::to_string(row - 7), r.gross});
    entries.push_back({"MaskEdit" + std::to_string(row + 2), r.tax});
  }
  return entries;
}

Table tableOf(const form::Form& form) {
  const std::string empty = "___,___,___.__";
  Table table;
  for (int row = 8; row <= 16; ++row) {
    Row r{form.edit(row).text(), form.maskEdit(row - 7).editText(),
          form.maskEdit(row + 2).editText()};
    if (!r.code.empty() || r.gross != empty || r.tax != empty) table[row] = r;
  }
  return table;
}

bool operator==(const Row& a, const Row& b) {
  return a.code == b.code && a.gross == b.gross && a.tax == b.tax;
}
std::ostream& operator<<(std::ostream& out, const Row& r) {
  return out << "{" << r.code << " " << r.gross << " " << r.tax << "}";
}

TEST(CarryOver, RowsOfTheWithholdingTable) {
  const std::string e = "___,___,___.__";
  const std::string a1 = "___,__1,000.00", t1 = "___,___,150.00";
  const std::string a2 = "___,__2,000.00", t2 = "___,___,300.00";
  const std::string a3 = "___,__3,000.00", t3 = "___,___,450.00";
  struct Case {
    const char* what;
    Table current;
    Table previous;
    Table expected;
  };
  // Rows with codes but no amounts: all but row 14, and rows 8 to 14.
  const Table allButRowFourteen = {{8, {"a", e, e}},  {9, {"b", e, e}},  {10, {"c", e, e}},
                                   {11, {"d", e, e}}, {12, {"e", e, e}}, {13, {"f", e, e}},
                                   {15, {"g", e, e}}, {16, {"h", e, e}}};
  const Table firstSevenRows = {{8, {"a", e, e}},  {9, {"b", e, e}},  {10, {"c", e, e}},
                                {11, {"d", e, e}}, {12, {"e", e, e}}, {13, {"f", e, e}},
                                {14, {"g", e, e}}};
  Table firstSevenAndTwoCarried = firstSevenRows;
  firstSevenAndTwoCarried[15] = {"021", a1, t1};
  firstSevenAndTwoCarried[16] = {"022", a2, t2};
  const Case cases[] = {
      {"payroll rows stay, the other rows follow them",
       {{8, {"011", a1, t1}}, {9, {"012", a2, t2}}},
       {{8, {"011", a3, t3}}, {9, {"012", a3, t3}}, {10, {"021", a1, t1}}, {11, {"022", a2, t2}}},
       {{8, {"011", a1, t1}}, {9, {"012", a2, t2}}, {10, {"021", a1, t1}}, {11, {"022", a2, t2}}}},
      {"the next free row is counted, not searched: a gap stays, a filled row is kept",
       {{8, {"011", a1, t1}}, {9, {"012", a2, t2}}, {11, {"041", a3, t3}}},
       {{12, {"021", a1, ""}}, {13, {"022", a2, t2}}},
       {{8, {"011", a1, t1}},
        {9, {"012", a2, t2}},
        {11, {"041", a3, t3}},
        {12, {"021", a1, e}},
        {13, {"022", a2, t2}}}},
      {"filled rows below a gap are passed over one by one",
       {{8, {"011", e, e}}, {10, {"031", e, e}}, {11, {"032", e, e}}, {13, {"033", e, e}}},
       {{8, {"021", a1, t1}}, {9, {"022", a2, t2}}, {10, {"023", a3, t3}}},
       {{8, {"011", e, e}},
        {10, {"031", e, e}},
        {11, {"032", e, e}},
        {12, {"021", a1, t1}},
        {13, {"033", e, e}},
        {14, {"022", a2, t2}},
        {15, {"023", a3, t3}}}},
      {"rows after the last free one are dropped",
       allButRowFourteen,
       {{8, {"021", a1, t1}}},
       allButRowFourteen},
      {"a full table drops the further rows",
       firstSevenRows,
       {{8, {"021", a1, t1}}, {9, {"022", a2, t2}}, {10, {"023", a3, t3}}},
       firstSevenAndTwoCarried},
      {"only 011 and 012 exactly are payroll rows",
       {},
       {{8, {"011 ", a1, t1}}, {9, {"11", a2, t2}}, {10, {"012", a3, t3}}, {11, {" 012", a3, t3}}},
       {{8, {"011 ", a1, t1}}, {9, {"11", a2, t2}}, {10, {" 012", a3, t3}}}},
      {"empty stored amounts leave the target row's amounts",
       {{9, {"", a3, t3}}},
       {{8, {"021", "", t1}}, {9, {"022", a2, ""}}},
       {{8, {"021", e, t1}}, {9, {"022", a2, t3}}}},
      {"a row without a code is not carried",
       {},
       {{8, {"", a1, t1}}, {12, {"031", e, e}}},
       {{8, {"031", e, e}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    writeStore({{kPreviousQuarter, tableEntries(c.previous)}});
    form::Form form;
    fillTable(form, c.current);
    carryOver(form);
    EXPECT_EQ(tableOf(form), c.expected);
  }
}

TEST(CarryOver, EmptyStoredValuesNeverClearAField) {
  ScratchDir dir;
  writeStore({{kPreviousQuarter,
               {{"Edit1", ""},
                {"Edit2", ""},
                {"Edit18", ""},
                {"Edit5_2", ""},
                {"Edit29", ""},
                {"MaskEdit25", ""},
                {"StaticText4", ""}}}});
  form::Form form;
  form.edit(2).setText("keep");
  form.edit("Edit5_2").setText("216");
  form.edit(29).setText("payee");
  form.maskEdit(25).setText("___,___,__1.00");
  form.staticText(4).setCaption("8");
  const Values before = fieldValues(form);
  EXPECT_EQ(carryOver(form), 0);
  EXPECT_EQ(fieldValues(form), before);
}

// A save stores an empty amount field as the bare pattern, never as an empty
// text: that pattern is an empty previous amount too and must not wipe an
// amount of this period, while any amount with a digit is carried.
TEST(CarryOver, EmptyStoredAmountsNeverClearAnAmount) {
  const std::string bare = "___,___,___.__";
  struct Case {
    const char* what;
    Entries previous;
    int target;  // MaskEdit number in the current form
    std::string current;
    std::string expected;
  };
  const Case cases[] = {
      {"payee amount, first row", {{"MaskEdit25", bare}}, 25, "___,___,__1.00", "___,___,__1.00"},
      {"payee amount, last row", {{"MaskEdit148", bare}}, 148, "___,__4,000.00", "___,__4,000.00"},
      {"payee amount with a digit is carried",
       {{"MaskEdit26", "___,___,__2.00"}},
       26,
       "___,___,__1.00",
       "___,___,__2.00"},
      {"carried row's gross amount",
       {{"Edit8", "021"}, {"MaskEdit1", bare}, {"MaskEdit10", "___,___,_20.00"}},
       1,
       "___,___,__7.00",
       "___,___,__7.00"},
      {"carried row's tax amount",
       {{"Edit8", "021"}, {"MaskEdit1", "___,___,_30.00"}, {"MaskEdit10", bare}},
       10,
       "___,___,__7.00",
       "___,___,__7.00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    Entries entries = {{"Edit1", "VD"}};
    entries.insert(entries.end(), c.previous.begin(), c.previous.end());
    writeStore({{kPreviousQuarter, entries}});
    form::Form form;
    form.maskEdit(c.target).setEditText(c.current);
    EXPECT_EQ(carryOver(form), 0);
    EXPECT_EQ(form.maskEdit(c.target).editText(), c.expected);
  }
}

// Pieces that do not move name the current period itself (monthly January,
// the first quarter): that is no predecessor, and carrying the declaration
// onto itself would append its own rows again and double the totals. The
// user is told, and the store holds the save of the command alone.
TEST(CarryOver, PreviousKeyEqualToTheCurrentOneIsNoPredecessor) {
  struct Case {
    const char* what;
    std::string key;
    bool monthly;
  };
  const Case cases[] = {
      {"monthly January", "2026010101", true},
      {"first quarter", "2026010203", false},
      {"quarter with every piece at most 3", "2026030102", false},
  };
  const std::string a1 = "___,__1,000.00", t1 = "___,___,150.00";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    // An older save of this period and another period, both with rows to carry.
    const Entries older = {{"Edit1", "VD"}, {"Edit10", "031"}, {"MaskEdit3", a1}};
    const std::vector<Section> stored = {{"2025121212", older}, {c.key, older}};
    form::Form form;
    form.checkBox(1).setChecked(c.monthly);
    fillTable(form, {{8, {"011", a1, t1}}, {9, {"021", a1, t1}}});
    form.edit(1).setText("KADIK\xD6Y");
    form.edit(29).setText("payee");
    form.maskEdit(26).setText("___,___,__9.00");

    writeStore(stored);
    SaveDeclaration(form, c.key);
    const std::string savedAlone = testing_support::readFile("muhtasar.ini");

    writeStore(stored);
    const Values before = fieldValues(form);
    EXPECT_EQ(carryOver(form, c.key), 1);
    EXPECT_EQ(fieldValues(form), before);
    EXPECT_EQ(testing_support::readFile("muhtasar.ini"), savedAlone);
  }
}

TEST(CarryOver, FailedSaveEndsTheCommandBeforeAnythingIsRead) {
  ScratchDir dir;
  std::filesystem::create_directory("muhtasar.ini");
  form::Form form;
  const Values before = fieldValues(form);
  RecordingNotice notice;
  EXPECT_THROW(CarryOverPrevious(form, kQuarterKey, notice), Error);
  EXPECT_EQ(notice.calls, 0);
  EXPECT_EQ(fieldValues(form), before);
}

TEST(CarryOver, CarriedValuesReachThePrintFile) {
  ScratchDir dir;
  writeStore({{kPreviousQuarter,
               {{"Edit1", "VD"},
                {"Edit10", "021"},
                {"MaskEdit3", "___,__1,234.56"},
                {"MaskEdit12", "___,___,185.18"},
                {"Edit212", "last payee"},
                {"MaskEdit148", "___,___,_12.5_"}}}});
  form::Form form;
  fillTable(form, {{8, {"011", "___,__1,000.00", "___,___,150.00"}}});
  carryOver(form);
  print::WritePrintFile(form);
  const std::string bytes = testing_support::readFile(print::kPrintFile);
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  ASSERT_EQ(lines.size(), 548u);
  const std::map<int, std::string> expected = {
      {1, "VD"},  {25, "011"},         {26, "  1000"},  {28, "   150"}, {30, "021"}, {31, "  1234"},
      {32, "56"}, {33, "   185"},      {34, "18"},      {70, "  2234"}, {71, "56"},  {72, "   335"},
      {73, "18"}, {542, "last payee"}, {547, "    12"}, {548, "50"},
  };
  for (const auto& [line, text] : expected) EXPECT_EQ(lines[line - 1], text) << "line " << line;
}

}  // namespace
}  // namespace period
