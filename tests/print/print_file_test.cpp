#include "print/print_file.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "form/catalogue.h"
#include "form/form.h"
#include "period/io_error.h"
#include "support/error_message.h"
#include "support/scratch_dir.h"

namespace print {
namespace {

using testing_support::readFile;
using testing_support::ScratchDir;
using testing_support::writeFile;

const std::string kGoldenDir = std::string(MUHTASAR_TESTDATA_DIR) + "/print/";

// The print file split at its CR LF line ends; a stray byte after the last
// line end shows up as an extra line.
std::vector<std::string> splitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(start) + "<no line end>");
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string printed(const form::Form& form) {
  WritePrintFile(form);
  return readFile(kPrintFile);
}

TEST(PrintFile, EmptyDeclarationIsTheBareLayout) {
  ScratchDir dir;
  form::Form form;
  const std::string bytes = printed(form);
  EXPECT_EQ(bytes.size(), 2374u);
  EXPECT_EQ(splitLines(bytes).size(), 548u);
  EXPECT_EQ(bytes, readFile(kGoldenDir + "empty_declaration.dat"));
}

// One change to an empty declaration and every line (1-based) that must then
// differ from the empty declaration's print file; all other lines must stay.
struct LineCase {
  const char* what;
  std::function<void(form::Form&)> fill;
  std::map<int, std::string> lines;
};

TEST(PrintFile, LinesOfEachField) {
  const LineCase cases[] = {
      {"row 16 code is printed twice",
       [](form::Form& f) { f.edit(16).setText("015"); },
       {{65, "015"}, {114, "015"}}},
      {"monthly box", [](form::Form& f) { f.checkBox(1).setChecked(true); }, {{4, "X"}}},
      {"three-month box", [](form::Form& f) { f.checkBox(2).setChecked(true); }, {{5, "X"}}},
      {"January",
       [](form::Form& f) { f.checkBox(form::monthBoxNumber(1)).setChecked(true); },
       {{6, "X"}}},
      {"July",
       [](form::Form& f) { f.checkBox(form::monthBoxNumber(7)).setChecked(true); },
       {{7, "X"}}},
      {"December",
       [](form::Form& f) { f.checkBox(form::monthBoxNumber(12)).setChecked(true); },
       {{17, "X"}}},
      {"taxpayer block in print order",
       [](form::Form& f) {
         f.edit(1).setText("a");
         f.edit(2).setText("b");
         f.edit(28).setText("c");
         f.edit(3).setText("d");
         f.edit("Edit5_1").setText("e");
         f.edit(6).setText("f");
         f.edit(7).setText("g");
         f.edit(4).setText("h");
         f.edit("Edit5_2").setText("i");
         f.edit("Edit5_3").setText("j");
       },
       {{1, "a"},
        {2, "b"},
        {3, "c"},
        {18, "d"},
        {19, "e"},
        {20, "f"},
        {21, "g"},
        {22, "h"},
        {23, "i"},
        {24, "j"}}},
      {"signatory panels",
       [](form::Form& f) {
         for (int n = 19; n <= 27; ++n) {
           std::string text = "s";
           text += std::to_string(n);
           f.edit(n).setText(text);
         }
       },
       {{105, "s19"},
        {106, "s20"},
        {107, "s21"},
        {108, "s22"},
        {109, "s23"},
        {110, "s24"},
        {111, "s25"},
        {112, "s26"},
        {113, "s27"}}},
      {"blanks at both ends of a text are kept",
       [](form::Form& f) { f.edit(1).setText("  KADIK\xD6Y  "); },
       {{1, "  KADIK\xD6Y  "}}},
      {"row 8 code, gross amount and tax, with their totals",
       [](form::Form& f) {
         f.edit(8).setText("011");
         f.maskEdit(1).setText("__1,234,567.89");
         f.maskEdit(10).setText("___,___,_12.30");
       },
       {{25, "011"},
        {26, "1234567"},
        {27, "89"},
        {28, "    12"},
        {29, "30"},
        {70, "1234567"},
        {71, "89"},
        {72, "    12"},
        {73, "30"},
        {76, "    12"},
        {77, "30"},
        {93, "1234567"},
        {94, "89"},
        {95, "    12"},
        {96, "30"},
        {99, "    12"},
        {100, "30"}}},
      {"row 15 is lines 60 to 64",
       [](form::Form& f) {
         f.edit(15).setText("041");
         f.maskEdit(8).setText("___,___,__1.00");
         f.maskEdit(17).setText("___,___,__2.00");
       },
       {{60, "041"},
        {61, "     1"},
        {62, "00"},
        {63, "     2"},
        {64, "00"},
        {70, "     1"},
        {72, "     2"},
        {76, "     2"},
        {93, "     1"},
        {95, "     2"},
        {99, "     2"}}},
      {"row 25 and its copy in Table II",
       [](form::Form& f) { f.maskEdit(23).setText("___,__1,234.56"); },
       {{88, "  1234"}, {89, "56"}, {103, "  1234"}, {104, "56"}}},
      {"a negative difference is printed as its magnitude",
       [](form::Form& f) { f.maskEdit(19).setText("___,___,100.00"); },
       {{74, "   100"}, {76, "   100"}, {95, "   100"}, {99, "   100"}}},
      {"offsets and stamp duty",
       [](form::Form& f) {
         f.maskEdit(20).setText("___,___,__1.00");
         f.maskEdit(21).setText("___,__1,000.00");
         f.maskEdit(22).setText("___,___,__2.50");
       },
       {{78, "     1"},
        {80, "  1000"},
        {82, "  1001"},
        {84, "     2"},
        {85, "50"},
        {86, "     7"},
        {87, "50"},
        {97, "  1001"},
        {99, "  1001"},
        {101, "    10"}}},
      {"employee counts and their total as a text line",
       [](form::Form& f) {
         f.edit(5).setText("5");
         f.edit(17).setText("7");
       },
       {{90, "5"}, {91, "7"}, {92, "12"}}},
      {"the rate field itself is not printed", [](form::Form& f) { f.edit(18).setText(".5"); }, {}},
      {"first payee row",
       [](form::Form& f) {
         f.edit(29).setText("name");
         f.edit(30).setText("office");
         f.edit(31).setText("021");
         f.maskEdit(25).setText("___,__5,000.00");
         f.maskEdit(26).setText("___,___,750.00");
       },
       {{115, "name"}, {116, "office"}, {117, "021"}, {118, "  5000"}, {120, "   750"}}},
      {"last payee row",
       [](form::Form& f) {
         f.edit(212).setText("n");
         f.edit(213).setText("o");
         f.edit(214).setText("c");
         f.maskEdit(147).setText("___,___,__1.01");
         f.maskEdit(148).setText("___,___,__2.02");
       },
       {{542, "n"},
        {543, "o"},
        {544, "c"},
        {545, "     1"},
        {546, "01"},
        {547, "     2"},
        {548, "02"}}},
      {"a line break inside a field does not shift the later lines",
       [](form::Form& f) { f.edit(20).setText("a\r\nb"); },
       {{106, "a  b"}}},
  };

  ScratchDir dir;
  const std::vector<std::string> empty = splitLines(printed(form::Form()));
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.what);
    form::Form form;
    c.fill(form);
    const std::vector<std::string> lines = splitLines(printed(form));
    ASSERT_EQ(lines.size(), 548u);
    for (int n = 1; n <= 548; ++n) {
      const auto expected = c.lines.find(n);
      EXPECT_EQ(lines[n - 1], expected == c.lines.end() ? empty[n - 1] : expected->second)
          << "line " << n;
    }
  }
}

TEST(PrintFile, RateChangesOnlyTheStampDutyFromTheTaxReduction) {
  ScratchDir dir;
  form::Form form;
  form.maskEdit(21).setText("___,__1,000.00");
  form.maskEdit(22).setText("___,___,__2.50");
  const std::vector<std::string> before = splitLines(printed(form));
  form.edit(18).setText(".015");
  const std::vector<std::string> after = splitLines(printed(form));
  ASSERT_EQ(after.size(), before.size());
  std::map<int, std::pair<std::string, std::string>> changed;
  for (size_t i = 0; i < after.size(); ++i) {
    if (after[i] != before[i]) changed[static_cast<int>(i) + 1] = {before[i], after[i]};
  }
  const std::map<int, std::pair<std::string, std::string>> expected = {
      {86, {"     7", "    15"}},
      {87, {"50", "00"}},
      {101, {"    10", "    17"}},
      {102, {"00", "50"}},
  };
  EXPECT_EQ(changed, expected);
}

// Amount pairs as the amount field shows them, on payee row 1's gross amount.
TEST(PrintFile, AmountPairs) {
  struct Case {
    std::string editText;
    std::string integer;
    std::string decimals;
  };
  const Case cases[] = {
      {"___,___,___.__", "     0", "00"},  {"___,___,__5.__", "     5", "00"},
      {"___,__1,234.56", "  1234", "56"},  {"___,123,456.70", "123456", "70"},
      {"__1,234,567.89", "1234567", "89"}, {"999,999,999.99", "999999999", "99"},
      {"___,___,___.5_", "     0", "50"},  {"1_2,___,___.5_", "    12", "50"},
      {"-__,___,__5.00", "     5", "00"},
  };
  ScratchDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.editText);
    form::Form form;
    form.maskEdit(25).setEditText(c.editText);
    const std::vector<std::string> lines = splitLines(printed(form));
    EXPECT_EQ(lines[117], c.integer);
    EXPECT_EQ(lines[118], c.decimals);
  }
}

TEST(PrintFile, TwoPrintsInARowAreIdentical) {
  ScratchDir dir;
  form::Form form;
  form.edit(6).setText("G\xDCNE\xDE");
  form.maskEdit(1).setText("___,__1,234.56");
  const std::string first = printed(form);
  EXPECT_EQ(printed(form), first);
}

TEST(PrintFile, ReplacesALongerEarlierFile) {
  ScratchDir dir;
  writeFile(kPrintFile, std::string(10000, 'x'));
  form::Form form;
  EXPECT_EQ(printed(form), printFileContent(form));
  EXPECT_EQ(readFile(kPrintFile).size(), 2374u);
}

TEST(PrintFile, FolderInPlaceOfTheFileIsAccessDenied) {
  ScratchDir dir;
  std::filesystem::create_directory(kPrintFile);
  form::Form form;
  EXPECT_EQ(testing_support::errorMessage([&] { WritePrintFile(form); }), "File access denied");
}

// A full disk, as a file-size limit in a child process: the write fails and
// the message carries the system's error code.
TEST(PrintFile, FailedWriteReportsTheErrorCode) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no file-size limit to put on a child process";
#else
  ScratchDir dir;
  int pipeFds[2];
  ASSERT_EQ(pipe(pipeFds), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(pipeFds[0]);
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{1000, 1000};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::string message = "no error";
    try {
      WritePrintFile(form::Form());
    } catch (const period::Error& error) {
      message = error.what();
    }
    (void)!write(pipeFds[1], message.data(), message.size());
    _exit(0);
  }
  close(pipeFds[1]);
  std::string message;
  char buffer[256];
  for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) message.append(buffer, n);
  close(pipeFds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(message, "I/O error " + std::to_string(EFBIG));
  EXPECT_EQ(readFile(kPrintFile).size(), 1000u);
#endif
}

}  // namespace
}  // namespace print
