#include "muhtasar_print/declaration_job.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "form/amount_text.h"
#include "form/form.h"
#include "job_reader.h"
#include "print/print_file.h"
#include "support/scratch_dir.h"
#include "support/turkish_locale.h"

namespace muhtasar_print {
namespace {

const std::string kData = MUHTASAR_TESTDATA_DIR;

// The texts of a job's text records and the pages they print on.
std::multimap<std::string, int> printedTexts(const std::string& job) {
  std::istringstream in(job);
  pagette::JobReader reader(in);
  std::multimap<std::string, int> texts;
  while (std::optional<pagette::JobRecord> record = reader.next()) {
    const double kind = record->field(1);
    if (kind != 0 && kind != 2 && kind != 3 && kind != 4 && kind != 5) {
      texts.emplace(record->text, static_cast<int>(record->field(2)));
    }
  }
  return texts;
}

int lastPage(const std::multimap<std::string, int>& texts) {
  int pages = 0;
  for (const auto& [text, page] : texts) pages = std::max(pages, page);
  return pages;
}

PrintFile fileOf(const form::Form& form) {
  return parsePrintFile(print::printFileContent(form), kPrintFileName);
}

bool isPayeeField(const std::string& name, int number) {
  return (name.starts_with("Edit") && number >= 29) ||
         (name.starts_with("MaskEdit") && number >= 25);
}

std::string twoDigits(int n) {
  std::string digits = std::to_string(n);
  if (n < 10) digits.insert(digits.begin(), '0');
  return digits;
}
std::string threeDigits(int n) {
  std::string digits = twoDigits(n);
  if (n < 100) digits.insert(digits.begin(), '0');
  return digits;
}

// Built by appending: GCC 12 at -O3 takes a literal + string for an overlapping copy.
std::string markerOf(int n) {
  std::string marker(1, 'M');
  marker += threeDigits(n);
  return marker;
}

// Every field of the form holds a value of its own, written by muhtasar's own
// print file writer: each must reach paper exactly once, on its page.
TEST(DeclarationJob, EveryValueOfThePrintFilePrintsOnceOnItsPage) {
  form::Form form;
  std::map<std::string, std::pair<std::string, bool>> expected;  // printed text, on Table III
  int amounts = 0;
  auto amountMarker = [&](int i) {
    // i.000.00i,ii: the integer part i * 1000000 + i, nine digits at most.
    return std::pair{form::AmountCaption(i * 1000000.0 + i + (i % 100) / 100.0),
                     std::to_string(i) + ".000." + threeDigits(i) + "," + twoDigits(i % 100)};
  };
  for (form::Field* field : form.fields()) {
    const std::string& name = field->name();
    const std::size_t digits = name.find_first_of("0123456789");
    if (digits == std::string::npos) continue;
    const int number = std::stoi(name.substr(digits));
    if (name.starts_with("Edit") && name != "Edit18") {
      form.edit(name).setText("T" + name);
      expected[name] = {"T" + name, isPayeeField(name, number)};
    } else if (name.starts_with("MaskEdit")) {
      const auto [caption, printed] = amountMarker(++amounts);
      form.maskEdit(name).setText(caption);
      expected[name] = {printed, isPayeeField(name, number)};
    }
  }
  // Computed amounts and the employee total last: the inputs above recompute them.
  for (int n : {1, 2, 37, 38, 39, 40, 41, 42, 45, 46, 52}) {
    const auto [caption, printed] = amountMarker(++amounts);
    form.staticText(n).setCaption(caption);
    expected["StaticText" + std::to_string(n)] = {printed, false};
  }
  form.staticText(36).setCaption("TStaticText36");
  expected["StaticText36"] = {"TStaticText36", false};
  for (int n = 1; n <= 14; ++n) form.checkBox(n).setChecked(true);

  const std::multimap<std::string, int> texts = printedTexts(declarationJob(fileOf(form)));
  for (const auto& [name, value] : expected) {
    const auto [text, onTableThree] = value;
    SCOPED_TRACE(name + " «" + text + "»");
    // The period and the tax number head every sheet of Table III as well.
    const bool heads = name == "Edit28" || name == "Edit3";
    ASSERT_EQ(texts.count(text), heads ? std::size_t(lastPage(texts)) : 1u);
    const int page = texts.find(text)->second;
    if (onTableThree) {
      EXPECT_GE(page, 2);
    } else {
      EXPECT_EQ(page, 1);
    }
  }
  EXPECT_EQ(texts.count("X"), 14u);

  // Line 114 repeats row 16's code; a file where it differs prints it as well.
  PrintFile file = fileOf(form);
  ASSERT_EQ(file.line(114), "TEdit16");
  file.lines[113] = "L114";
  const std::multimap<std::string, int> withRepeat = printedTexts(declarationJob(file));
  EXPECT_EQ(withRepeat.count("L114"), 1u);
  EXPECT_EQ(withRepeat.count("TEdit16"), 1u);

  for (int n = 1; n <= 14; ++n) form.checkBox(n).setChecked(false);
  EXPECT_EQ(printedTexts(declarationJob(fileOf(form))).count("X"), 0u);
}

// A file of 548 different markers, one a line, as no muhtasar writes it: every
// text line and amount pair prints once, on its page; check lines hold no "X".
TEST(DeclarationJob, EveryLineOfAMarkerFilePrintsOnce) {
  PrintFile file;
  for (int n = 1; n <= kPrintFileLines; ++n) file.lines.push_back(markerOf(n));
  std::map<std::string, std::vector<int>> pagesOfMarker;
  for (const auto& [text, page] : printedTexts(declarationJob(file))) {
    std::size_t from = 0;
    while ((from = text.find('M', from)) != std::string::npos && from + 4 <= text.size()) {
      pagesOfMarker[text.substr(from, 4)].push_back(page);
      from += 4;
    }
  }
  const int pages = pagesOfMarker[markerOf(548)].at(0);
  for (int n = 1; n <= kPrintFileLines; ++n) {
    const std::string marker = markerOf(n);
    SCOPED_TRACE(marker);
    if (n >= 4 && n <= 17) {
      EXPECT_EQ(pagesOfMarker.count(marker), 0u);
      continue;
    }
    if (n == 3 || n == 18 || n == 20 || n == 21) {  // the period and the taxpayer head every sheet
      std::vector<int> onPages = pagesOfMarker[marker];
      std::sort(onPages.begin(), onPages.end());
      std::vector<int> everyPage(std::size_t(pages), 0);
      std::iota(everyPage.begin(), everyPage.end(), 1);
      EXPECT_EQ(onPages, everyPage);
      continue;
    }
    ASSERT_EQ(pagesOfMarker[marker].size(), 1u);
    EXPECT_EQ(pagesOfMarker[marker][0] >= 2, n >= 115);
  }
}

// Table III prints only the rows that hold anything, with the heads again on
// every sheet; a full list takes two sheets after the first.
TEST(DeclarationJob, PayeeRowsThatHoldSomethingWithHeadsOnEverySheet) {
  const struct {
    std::vector<int> filledRows;
    int lastPage;
  } cases[] = {{{}, 2}, {{62}, 2}, {{1, 30, 62}, 2}, {{}, 0}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    form::Form form;
    std::vector<int> rows = cases[i].filledRows;
    int lastPage = cases[i].lastPage;
    if (i == std::size(cases) - 1) {
      for (int r = 1; r <= 62; ++r) rows.push_back(r);
      lastPage = 3;
    }
    for (int r : rows)
      form.maskEdit(2 * r + 24).setText("___,___,_" + twoDigits(r % 9 + 1) + ".00");
    const std::multimap<std::string, int> texts = printedTexts(declarationJob(fileOf(form)));
    SCOPED_TRACE(std::to_string(rows.size()) + " rows");
    int pages = 0;
    for (const auto& [text, page] : texts) pages = std::max(pages, page);
    EXPECT_EQ(pages, lastPage);
    int printedRows = 0;
    int heads = 0;
    for (const auto& [text, page] : texts) {
      printedRows += page >= 2 && text.ends_with(",00") ? 1 : 0;
      heads += text.starts_with("TABLO III") ? 1 : 0;
    }
    EXPECT_EQ(heads, lastPage - 1);
    EXPECT_EQ(printedRows, static_cast<int>(rows.size()));
  }
}

TEST(DeclarationJob, SampleDeclarationMatchesItsGoldenJob) {
  const PrintFile file = readPrintFile(kData + "/print/sample_declaration.dat");
  const std::string golden = testing_support::readFile(kData + "/muhtasar_print/sample_declaration.job");
  EXPECT_EQ(declarationJob(file), golden);
  {
    // The preview writes its job after Qt has taken a Turkish desktop's locale.
    const testing_support::TurkishLocale turkish;
    ASSERT_TRUE(turkish.writesDecimalComma()) << "no Turkish locale (scripts/install-deps makes it)";
    EXPECT_EQ(declarationJob(file), golden);
  }
  EXPECT_EQ(pdfFileName(file),
            "Muhtasar EKİM-ARALIK 2026 GÜNEŞOĞLU HALI VE KİLİM TİCARET LTD. ŞTİ.pdf");
}

}  // namespace
}  // namespace muhtasar_print

namespace muhtasar_print {
namespace {

// Results below zero print with their sign, computed zeros as «0,00», and a
// total that does not add up prints as the file has it, named in a report.
TEST(DeclarationJob, ResultsKeepTheirSignsAndZerosAndWrongTotalsAreNamed) {
  const struct {
    const char* what;
    std::vector<std::pair<int, double>> amounts;  // MaskEdit number, value
    std::string printed;
    std::size_t times, reports;
    const char* reported;
  } cases[] = {
      {"row 18 above 17b", {{10, 100}, {19, 250}}, "-150,00", 3, 3, "eksi"},
      {"offsets above the tax", {{10, 100}, {20, 30}, {21, 90}}, "-20,00", 1, 1, "Ödenecek (2-3)"},
      {"nothing filled in", {}, "0,00", 11, 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    form::Form form;
    for (const auto& [number, value] : c.amounts) {
      form.maskEdit(number).setText(form::AmountCaption(value));
    }
    const DeclarationPrint print = declarationPrint(fileOf(form));
    EXPECT_EQ(printedTexts(print.job).count(c.printed), c.times);
    ASSERT_EQ(print.reports.size(), c.reports);
    for (const std::string& report : print.reports) {
      EXPECT_NE(report.find(c.reported), std::string::npos) << report;
    }
  }
  form::Form form;
  form.maskEdit(1).setText(form::AmountCaption(100));
  PrintFile file = fileOf(form);
  file.lines[69].assign("    99");  // row 17a, edited by hand
  const DeclarationPrint print = declarationPrint(file);
  EXPECT_EQ(printedTexts(print.job).count("99,00"), 1u);
  ASSERT_EQ(print.reports.size(), 2u);  // row 17a, and Table II's row 1 that repeats it
  EXPECT_NE(print.reports[0].find("17 numaralı satır, a"), std::string::npos);
  EXPECT_NE(print.reports[1].find("Matrah (17a)"), std::string::npos);
  EXPECT_NE(print.reports[0].find("100,00 olmalı, dosyada 99,00"), std::string::npos);
}

}  // namespace
}  // namespace muhtasar_print
