#include "muhtasar_print/print_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "muhtasar_print/print_file_lines.h"

namespace muhtasar_print {
namespace {

// 548 lines as muhtasar writes them: each text line its own value, amounts
// right-aligned, decimals of two digits, check lines blank, line 114 a copy.
std::vector<std::string> validLines() {
  std::vector<std::string> lines;
  for (int n = 1; n <= kPrintFileLines; ++n) {
    switch (lineShape(n)) {
      case LineShape::Text:
        lines.emplace_back(std::to_string(n)).insert(0, 1, 'v');
        break;
      case LineShape::Check:
        lines.push_back(" ");
        break;
      case LineShape::AmountInteger:
        lines.emplace_back(std::to_string(1000 + n)).insert(0, 2, ' ');
        break;
      case LineShape::AmountDecimals:
        lines.push_back("05");
        break;
    }
  }
  lines[kRepeatedRow16CodeLine - 1] = lines[kRow16CodeLine - 1];
  return lines;
}

std::string joined(const std::vector<std::string>& lines, const std::string& end) {
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += line;
    bytes += end;
  }
  return bytes;
}

TEST(PrintFile, CrLfAndLfGiveTheSameLines) {
  const std::vector<std::string> lines = validLines();
  const PrintFile crlf = parsePrintFile(joined(lines, "\r\n"), "BORDMHT1.DAT");
  const PrintFile lf = parsePrintFile(joined(lines, "\n"), "BORDMHT1.DAT");
  EXPECT_EQ(crlf.lines, lines);
  EXPECT_EQ(lf.lines, lines);
  // The last line end may be missing; blanks and empty lines are values.
  std::vector<std::string> open = lines;
  open[0].assign(1, ' ');
  open[1].clear();
  std::string bytes = joined(open, "\r\n");
  bytes.resize(bytes.size() - 2);
  EXPECT_EQ(parsePrintFile(bytes, "BORDMHT1.DAT").lines, open);
}

// What no muhtasar writes is refused at its line, with the line's number.
TEST(PrintFile, RefusesLinesMuhtasarCouldNotHaveWritten) {
  const struct {
    int line;
    const char* value;
    bool refused;
  } cases[] = {
      {26, "abc", true},         {26, "123456789012", true}, {26, "12 3", true},
      {26, "-5", true},          {26, "999999999", false},   {26, "     0", false},
      {27, "5", true},           {27, "5 ", true},           {27, "ab", true},
      {27, "99", false},         {4, "Y", true},             {4, "", true},
      {4, "XX", true},           {17, "X", false},           {114, "012", true},
      {548, "123", true},           {544, "abc", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    SCOPED_TRACE(c.value);
    std::vector<std::string> lines = validLines();
    lines[std::size_t(c.line - 1)] = c.value;
    try {
      parsePrintFile(joined(lines, "\r\n"), "BORDMHT1.DAT");
      EXPECT_FALSE(c.refused);
    } catch (const PrintFileError& refusal) {
      EXPECT_TRUE(c.refused);
      std::string where = std::to_string(c.line);
      where += ". satır";
      EXPECT_NE(std::string(refusal.what()).find(where), std::string::npos) << refusal.what();
    }
  }
}

}  // namespace
}  // namespace muhtasar_print
