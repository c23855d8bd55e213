#include "muhtasar_print/text_fit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form/cp1254.h"
#include "muhtasar_print/text_widths.h"

namespace muhtasar_print {
namespace {

// Widths in twips at 8 pt: "1234500009" takes 890, "Ümraniye VD" 951; at 6 pt
// 667 and 713. A room keeps 1.5 % of its width free.
TEST(TextFit, SizeThenSmallerThenLinesThenTheMarkedCut) {
  const std::string taxNumber = "\xDCmraniye VD 1234500009";
  const struct {
    const char* what;
    std::string text;
    double width, height;
    int mostLines;
    double points;
    std::vector<std::string> lines;
    bool cut;
  } cases[] = {
      {"fits at its size", "1234500009", 1000, 280, 1, 8, {"1234500009"}, false},
      {"one line, smaller", "1234500009", 800, 280, 1, 7, {"1234500009"}, false},
      {"at blanks, at the size that allows", taxNumber, 1000, 600, 3, 8,
       {"\xDCmraniye VD", "1234500009"}, false},
      {"two lines in a box of 20 rows, at 6 pt", taxNumber, 750, 280, 99, 6,
       {"\xDCmraniye VD", "1234500009"}, false},
      {"no blank to break at: cut and marked", "123450000912345", 700, 280, 99, 6,
       {"12345000\x85"}, true},
      {"the rest cut on the last line", taxNumber + " " + taxNumber, 750, 280, 2, 6,
       {"\xDCmraniye VD", "123450000\x85"}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TextRoom room;
    room.width = c.width;
    room.height = c.height;
    room.points = 8;
    room.mostLines = c.mostLines;
    const FittedText fitted = fitText(c.text, room);
    EXPECT_EQ(fitted.lines, c.lines);
    EXPECT_EQ(fitted.points, c.points);
    EXPECT_EQ(fitted.cut, c.cut);
    for (const std::string& line : fitted.lines) {
      EXPECT_LE(textWidth(line, fitted.points, false), c.width);
    }
  }
}

// The screen's breaks come first for a caption that wraps in its box, even
// where the paper, wider for its font, would take more words on a line.
TEST(TextFit, CaptionsBreakWhereTheScreenBreaksThem) {
  TextRoom room;
  room.width = 1950;
  room.height = 760;
  room.points = 7.7;
  room.bold = true;
  room.mostLines = 99;
  room.wrapsFirst = true;
  room.screenWidth = 107;
  room.screenPixels = 11;
  using form::utf8ToCp1254;
  const std::string caption = utf8ToCp1254("Maliye Bakanlığı GELİRLER           Genel Müdürlüğü");
  EXPECT_EQ(fitText(caption, room).lines,
            (std::vector<std::string>{utf8ToCp1254("Maliye Bakanlığı"), utf8ToCp1254("GELİRLER"),
                                      utf8ToCp1254("Genel Müdürlüğü")}));
  room.wrapsFirst = false;
  EXPECT_EQ(fitText(caption, room).lines.at(1), utf8ToCp1254("GELİRLER           Genel"));
}

}  // namespace
}  // namespace muhtasar_print
