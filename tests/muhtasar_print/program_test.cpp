// muhtasar-print run as a program on print files, good and bad.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

#include "pagette/pdf_pages.h"
#include "support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::ScratchDir;
using testing_support::writeFile;

const std::string kData = MUHTASAR_TESTDATA_DIR;

// Runs muhtasar-print in the current directory, in the caller's locale or the
// one named; the exit status, standard error kept in "err".
int run(const std::string& arguments, const std::string& locale = "") {
  const std::string environment = locale.empty() ? "" : "LANG=" + locale + " LC_ALL=" + locale + " ";
  const int status = std::system((environment + MUHTASAR_PRINT_PROGRAM + " " + arguments +
                                  " 2>err >/dev/null </dev/null")
                                     .c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string lines(int count) {
  std::string bytes;
  for (int i = 1; i <= count; ++i) bytes += "x\r\n";
  return bytes;
}

// The sample print file with one line replaced.
std::string withLine(int number, const std::string& text) {
  std::string bytes = readFile(kData + "/print/sample_declaration.dat");
  std::size_t start = 0;
  for (int n = 1; n < number; ++n) start = bytes.find('\n', start) + 1;
  return bytes.replace(start, bytes.find('\r', start) - start, text);
}

TEST(Program, BadPrintFilesAreRefusedAndNothingIsWritten) {
  std::string withNul = lines(548);
  withNul[30] = '\0';
  std::string longLine = std::string(100000, 'A') + "\r\n" + lines(547);
  const struct {
    const char* name;
    std::string bytes;  // "" for no print file at all
    std::string message;
  } cases[] = {
      {"missing", "", "\"BORDMHT1.DAT\" bulunamadı."},
      {"547 lines", lines(547), "\"BORDMHT1.DAT\" 547 satır; 548 satır olmalı."},
      {"549 lines", lines(549), "\"BORDMHT1.DAT\" 549 satır; 548 satır olmalı."},
      {"not text", withNul, "\"BORDMHT1.DAT\" metin dosyası değil: 11. satırda 0x00 baytı var."},
      {"long line", longLine, "\"BORDMHT1.DAT\" okunamadı: 1. satır 100000 karakter"},
      {"letters for an amount", withLine(26, "abc"), "gibi değil: 26. satır «abc» bir tutar değil"},
  };
  for (const auto& c : cases) {
    for (const char* mode : {"--job out.job", "--pdf out.pdf"}) {
      SCOPED_TRACE(std::string(c.name) + " " + mode);
      ScratchDir dir;
      if (!c.bytes.empty()) writeFile("BORDMHT1.DAT", c.bytes);
      EXPECT_EQ(run(mode), 1);
      EXPECT_NE(readFile("err").find(c.message), std::string::npos) << readFile("err");
      EXPECT_FALSE(fs::exists("out.job"));
      EXPECT_FALSE(fs::exists("out.pdf"));
    }
  }
}

void checkSampleDeclaration(const std::string& locale) {
  ScratchDir dir;
  fs::copy_file(kData + "/print/sample_declaration.dat", "BORDMHT1.DAT");
  ASSERT_EQ(run("--job out.job", locale), 0) << readFile("err");
  EXPECT_EQ(readFile("out.job"), readFile(kData + "/muhtasar_print/sample_declaration.job"));
  ASSERT_EQ(run("--pdf out.pdf", locale), 0) << readFile("err");
  const pagette::testing::PdfInfo info = pagette::testing::pdfInfo("out.pdf");
  EXPECT_EQ(info.pages, 2);
  EXPECT_NEAR(info.width, 595.276, 0.001);
  EXPECT_NEAR(info.height, 841.890, 0.001);
  EXPECT_EQ(info.title, "Muhtasar EKİM-ARALIK 2026 GÜNEŞOĞLU HALI VE KİLİM TİCARET LTD. ŞTİ");
  // Table III's heading on page 2 starts 1 cm in, below the taxpayer's line.
  const pagette::testing::GreyPage page(fs::absolute("out.pdf").string(), 2, 72);
  EXPECT_LT(page.darkestAround(567 + 4 * 17.97, 567 + 24 * 14.02, 2), 128);
  EXPECT_EQ(page.darkestAround(8000, 14000, 20), 255);
}

// The same job and the same pages on a Turkish desktop as in the C locale.
TEST(Program, SampleDeclarationAsJobAndAsTwoPagePdfInEveryLocale) {
  for (const char* locale : {"C.UTF-8", "tr_TR.UTF-8"}) {
    SCOPED_TRACE(locale);
    checkSampleDeclaration(locale);
  }
}

// The print file that the windows' keyboard tests leave: the Windows
// installation's test checks muhtasar-print.exe against this job.
TEST(Program, KeyboardTestsPrintFileGivesItsGoldenJob) {
  ScratchDir dir;
  fs::copy_file(kData + "/keys/BORDMHT1.DAT", "BORDMHT1.DAT");
  ASSERT_EQ(run("--job out.job"), 0) << readFile("err");
  EXPECT_EQ(readFile("out.job"), readFile(kData + "/keys/BORDMHT1.job"));
}

std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

// Everyday long values, 62 payees and results below zero: the job and the
// reports as recorded, and on paper every value whole (broken at blanks at
// most), the one that fits nowhere marked, every sheet numbered and named.
TEST(Program, LongValuesPrintWholeOnNumberedSheetsThatNameTheTaxpayer) {
  ScratchDir dir;
  fs::copy_file(kData + "/print/long_values.dat", "BORDMHT1.DAT");
  ASSERT_EQ(run("--job out.job"), 0);
  EXPECT_EQ(readFile("out.job"), readFile(kData + "/muhtasar_print/long_values.job"));
  EXPECT_EQ(readFile("err"), readFile(kData + "/muhtasar_print/long_values.reports"));
  ASSERT_EQ(run("--pdf out.pdf"), 0);
  std::string text;
  for (int page = 1; page <= 3; ++page) {
    std::string onPage = pagette::testing::pdfText("out.pdf", page);
    EXPECT_NE(onPage.find("Sayfa " + std::to_string(page) + "/3"), std::string::npos);
    std::replace(onPage.begin(), onPage.end(), '\n', ' ');
    for (const char* identity : {"TEMMUZ-AĞUSTOS-EYLÜL 2026", "4630127895", "DIŞ TİCARET"}) {
      EXPECT_NE(onPage.find(identity), std::string::npos) << page << identity;
    }
    text += onPage;
  }
  EXPECT_EQ(occurrences(text, "Ümraniye VD 1234500009"), 62u);
  EXPECT_EQ(occurrences(text, "Kadıköy İSTANBUL"), 42u);
  for (const char* whole : {"muhasebe.departmani@gunesoglu-hali-kilim.com.tr",
                            "BÜYÜK MÜKELLEFLER VERGİ DAİRESİ BAŞKANLIĞI",
                            "GÜNEŞOĞLU HALI VE KİLİM TEKSTİL SANAYİ VE DIŞ TİCARET LTD. ŞTİ.",
                            "-4.925,42", "-8.176,17", "0,00", "(21 x oran)", "(Alan Kodu)"}) {
    EXPECT_NE(text.find(whole), std::string::npos) << whole;
  }
  EXPECT_EQ(occurrences(text, "…"), 1u);
  EXPECT_EQ(pagette::testing::pdfInfo("out.pdf").pages, 3);

  // Each month's mark stands nearest to its own caption: July to September.
  const std::vector<pagette::testing::PdfWord> words = pagette::testing::pdfWords("out.pdf", 1);
  std::vector<std::string> marked;
  for (const auto& mark : words) {
    if (mark.text != "X") continue;
    const pagette::testing::PdfWord* nearest = nullptr;
    auto distance = [&](const pagette::testing::PdfWord& w) {
      return std::min(std::abs(mark.left - w.right), std::abs(w.left - mark.right));
    };
    for (const auto& word : words) {
      if (&word == &mark || word.text.size() > 4 || std::abs(word.top - mark.top) > 3) continue;
      if (!nearest || distance(word) < distance(*nearest)) nearest = &word;
    }
    if (nearest) marked.push_back(nearest->text);
  }
  EXPECT_EQ(marked, (std::vector<std::string>{"ÜÇ", "TEM", "AĞU", "EYL"}));
}

TEST(Program, UnknownOptionsAreAUsageError) {
  ScratchDir dir;
  EXPECT_EQ(run("--paper x"), 2);
  EXPECT_EQ(run("--pdf"), 2);
}

}  // namespace
