#include "period/payroll_summary.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "period/io_error.h"
#include "support/case_name.h"
#include "support/error_message.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::ScratchDir;
using testing_support::writeFile;

std::vector<std::string> readLines(const std::string& bytes, size_t count) {
  writeFile("BORDMHT.DAT", bytes);
  period::PayrollSummaryReader reader("BORDMHT.DAT");
  std::vector<std::string> lines;
  for (size_t i = 0; i < count; ++i) lines.push_back(reader.readLine());
  return lines;
}

struct LineCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> lines;
};

const std::string kBufferFill(64 * 1024 - 1, 'x');

const LineCase kLineCases[] = {
    {"line feeds", "a\nb\n", {"a", "b", "", ""}},
    {"carriage return and line feed", "a\r\nb\r\n", {"a", "b", ""}},
    {"lone carriage returns are dropped", "a\rb\r\nc\rd", {"ab", "cd", ""}},
    {"carriage-return-only line ends make one line", "2026\r101112\r3\r", {"20261011123", ""}},
    {"two carriage returns before a line feed", "a\r\r\nb", {"a", "b"}},
    {"no line end after the last line", "a\nb", {"a", "b", "", ""}},
    {"empty file", "", {"", "", ""}},
    {"blank lines", "\n\r\n\n", {"", "", "", ""}},
    {"character 26 ends the file",
     std::string("a\nb\x1a"
                 "c\nd\n"),
     {"a", "b", "", ""}},
    {"character 26 at the start of a line", std::string("a\n\x1a\nb\n"), {"a", "", ""}},
    {"carriage return before character 26",
     std::string("a\r\x1a"
                 "b\n"),
     {"a", ""}},
    {"binary bytes pass through",
     std::string("\0\xff\xfe\x80\n", 5),
     {std::string("\0\xff\xfe\x80", 4), ""}},
    {"line end across the buffer's edge", kBufferFill + "\r\nnext\n", {kBufferFill, "next", ""}},
    {"lone carriage return at the buffer's edge", kBufferFill + "\rz\ny", {kBufferFill + "z", "y"}},
};

class LineRules : public ::testing::TestWithParam<LineCase> {
 protected:
  ScratchDir dir;
};

TEST_P(LineRules, ReadsLinesAsThePayrollPackageMeansThem) {
  const LineCase& c = GetParam();
  EXPECT_EQ(readLines(c.bytes, c.lines.size()), c.lines);
}

INSTANTIATE_TEST_SUITE_P(PayrollSummary, LineRules, ::testing::ValuesIn(kLineCases),
                         testing_support::CaseName());

TEST(PayrollSummary, ReadsALineOfFiftyMegabytes) {
  ScratchDir dir;
  const std::string longLine(50u << 20, 'A');
  const auto lines = readLines(longLine + "\r\nafter\r\n", 3);
  EXPECT_EQ(lines[0].size(), longLine.size());
  EXPECT_EQ(lines[0], longLine);
  EXPECT_EQ(lines[1], "after");
  EXPECT_EQ(lines[2], "");
}

TEST(PayrollSummary, MissingFileIsFileNotFound) {
  ScratchDir dir;
  EXPECT_EQ(
      testing_support::errorMessage([&] { period::PayrollSummaryReader reader("BORDMHT.DAT"); }),
      "File not found");
}

TEST(PayrollSummary, FolderInPlaceOfTheFileIsAccessDenied) {
  ScratchDir dir;
  std::filesystem::create_directory("BORDMHT.DAT");
  EXPECT_EQ(testing_support::errorMessage([&] {
              period::PayrollSummaryReader reader("BORDMHT.DAT");
              reader.readLine();
            }),
            "File access denied");
}

}  // namespace
