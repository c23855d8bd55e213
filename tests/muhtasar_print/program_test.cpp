// muhtasar-print run as a program on print files, good and bad.
#include <gtest/gtest.h>

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
  EXPECT_NEAR(info.width, 595, 1);
  EXPECT_NEAR(info.height, 842, 1);
  // The heading's framed box on page 2 starts at the top margin, 1 cm in.
  const pagette::testing::GreyPage page(fs::absolute("out.pdf").string(), 2, 72);
  EXPECT_LT(page.darkestAround(567 + 4 * 17.97, 567, 2), 128);
  EXPECT_EQ(page.darkestAround(8000, 14000, 20), 255);
}

// The same job and the same pages on a Turkish desktop as in the C locale.
TEST(Program, SampleDeclarationAsJobAndAsTwoPagePdfInEveryLocale) {
  for (const char* locale : {"C.UTF-8", "tr_TR.UTF-8"}) {
    SCOPED_TRACE(locale);
    checkSampleDeclaration(locale);
  }
}

TEST(Program, UnknownOptionsAreAUsageError) {
  ScratchDir dir;
  EXPECT_EQ(run("--paper x"), 2);
  EXPECT_EQ(run("--pdf"), 2);
}

}  // namespace
