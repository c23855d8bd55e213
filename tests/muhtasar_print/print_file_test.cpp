#include "muhtasar_print/print_file.h"

#include <gtest/gtest.h>

#include <string>

namespace muhtasar_print {
namespace {

std::string lines(int count, const std::string& end) {
  std::string bytes;
  for (int i = 1; i <= count; ++i) {
    bytes += 'v';
    bytes += std::to_string(i);
    bytes += end;
  }
  return bytes;
}

TEST(PrintFile, CrLfAndLfGiveTheSameLines) {
  const PrintFile crlf = parsePrintFile(lines(548, "\r\n"), "BORDMHT1.DAT");
  const PrintFile lf = parsePrintFile(lines(548, "\n"), "BORDMHT1.DAT");
  EXPECT_EQ(crlf.lines, lf.lines);
  EXPECT_EQ(crlf.line(1), "v1");
  EXPECT_EQ(crlf.line(548), "v548");
  // The last line end may be missing; blanks and empty lines are values.
  std::string bytes = std::string(" \r\n\r\n") + lines(546, "\r\n");
  bytes.resize(bytes.size() - 2);
  const PrintFile open = parsePrintFile(bytes, "BORDMHT1.DAT");
  EXPECT_EQ(open.line(1), " ");
  EXPECT_EQ(open.line(2), "");
  EXPECT_EQ(open.line(548), "v546");
}

}  // namespace
}  // namespace muhtasar_print
