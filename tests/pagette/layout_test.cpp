#include "layout.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "job_error.h"
#include "job_reader.h"
#include "record_error_cases.h"
#include "recording_printer.h"
#include "support/turkish_locale.h"

namespace pagette {
namespace {

using testing::RecordingPrinter;
using Lines = std::vector<std::string>;

// On the recording printer's A4 sheet the default grid has rows of 300 and
// columns of 100 twips from the margins at 720: row r lies at 720 + 300 r,
// column c at 720 + 100 c. An 8-point character is 80 twips wide.
struct LaidOut {
  RecordingPrinter printer;
  std::size_t startOperations = 0;

  explicit LaidOut(const std::string& job) {
    Layout layout(printer);
    startOperations = printer.operations.size();
    std::istringstream in(job);
    JobReader reader(in);
    while (auto record = reader.next()) layout.print(*record);
  }
  Lines output() const { return printer.output(); }
  Lines operationsAfterStart() const {
    return Lines(printer.operations.begin() + static_cast<long>(startOperations),
                 printer.operations.end());
  }
};

struct OutputCase {
  std::string name;
  std::string job;
  Lines output;
};

void expectOutputs(const std::vector<OutputCase>& cases) {
  for (const OutputCase& c : cases) EXPECT_EQ(LaidOut(c.job).output(), c.output) << c.name;
}

TEST(Layout, StartsWithA4PortraitAndArialNarrow) {
  RecordingPrinter printer;
  Layout layout(printer);
  EXPECT_EQ(printer.operations, (Lines{"paper 9", "portrait", "font Arial Narrow"}));
}

TEST(Layout, PrintsTextsInTheirFields) {
  expectOutputs({
      {"left", "1,0,5,10,20,0,0,0,0,0,0,0,1,\"ABC\"\n", {"text 1720 2220 ABC"}},
      {"right end at the field's right edge",
       "1,0,5,10,20,1,0,0,0,0,0,0,1,\"ABC\"\n",
       {"text 3480 2220 ABC"}},
      {"centred", "1,0,5,10,20,2,0,0,0,0,0,0,1,\"ABC\"\n", {"text 2600 2220 ABC"}},
      {"any other alignment is left",
       "1,0,5,10,20,3,0,0,0,0,0,0,1,\"ABC\"\n",
       {"text 1720 2220 ABC"}},
      {"cut from the right until it fits",
       "1,0,5,10,2,0,0,0,0,0,0,0,1,\"ABCDE\"\n",
       {"text 1720 2220 AB"}},
      {"exactly as wide as the field",
       "1,0,5,10,2.4,0,0,0,0,0,0,0,1,\"ABC\"\n",
       {"text 1720 2220 ABC"}},
      {"cut, then right-aligned", "1,0,5,10,2,1,0,0,0,0,0,0,1,\"ABCDE\"\n", {"text 1760 2220 AB"}},
      {"cut, then centred", "1,0,5,10,2,2,0,0,0,0,0,0,1,\"ABCDE\"\n", {"text 1740 2220 AB"}},
      {"field width 0 prints nothing", "1,0,5,10,0,0,0,0,0,0,0,0,1,\"ABC\"\n", {}},
      {"narrower than one character", "1,0,5,10,0.5,1,0,0,0,0,0,0,1,\"ABC\"\n", {}},
      {"empty text", "1,0,5,10,20,0,0,0,0,0,0,0,1,\"\"\n", {}},
      {"row scale 0 prints at the top margin",
       "1,0,5,10,20,0,0,0,0,0,0,0,0,\"ABC\"\n",
       {"text 1720 720 ABC"}},
      {"row scale 0.5", "1,0,5,10,20,0,0,0,0,0,0,0,0.5,\"ABC\"\n", {"text 1720 1470 ABC"}},
      {"fractional row and column",
       "1,0,2.5,0.5,20,0,0,0,0,0,0,0,1,\"ABC\"\n",
       {"text 770 1470 ABC"}},
      {"larger font", "1,0,5,10,20,1,4,0,0,0,0,0,1,\"ABC\"\n", {"text 3360 2220 ABC"}},
      {"tilde and quoted comma",
       "1,0,5,10,20,0,0,0,0,0,0,0,1,\"a, ~b~\"\n",
       {"text 1720 2220 a, \"b\""}},
      {"every kind but 0, 2, 3, 4, 5 is a text",
       "7,0,5,10,20,0,0,0,0,0,0,0,1,\"A\"\n"
       "-1,0,5,10,20,0,0,0,0,0,0,0,1,\"B\"\n"
       "2.5,0,5,10,20,0,0,0,0,0,0,0,1,\"C\"\n",
       {"text 1720 2220 A", "text 1720 2220 B", "text 1720 2220 C"}},
  });
}

TEST(Layout, SetsFontSizeColourAndBoldBeforeMeasuringAText) {
  EXPECT_EQ(LaidOut("1,0,5,10,20,0,2.5,1,0,0,0,0,1,\"A\"\n").operationsAfterStart(),
            (Lines{"size 10.5", "colour 0 0 0", "bold", "text 1720 2220 A"}));
  EXPECT_EQ(LaidOut("1,0,5,10,20,0,-2,0,0,0,0,0,1,\"A\"\n").operationsAfterStart(),
            (Lines{"size 6", "colour 0 0 0", "regular", "text 1720 2220 A"}));
}

TEST(Layout, DrawsHorizontalLinesAtTheirPlaceInTheRow) {
  expectOutputs({
      {"top of the row", "2,0,5,10,30,0,1,0,0,0,0,0,0,\"\"\n", {"line 1720 2220 4720 2220"}},
      {"bottom of the row", "2,0,5,10,30,1,1,0,0,0,0,0,0,\"\"\n", {"line 1720 2520 4720 2520"}},
      {"middle of the row", "2,0,5,10,30,2,1,0,0,0,0,0,0,\"\"\n", {"line 1720 2370 4720 2370"}},
      {"only the end is rounded to whole twips",
       "2,0,0.001,10,30,0,1,0,0,0,0,0,0,\"\"\n",
       {"line 1720 720.3 4720 720"}},
      {"an unknown place keeps the previous record's row",
       "2,0,5,10,30,1,1,0,0,0,0,0,0,\"\"\n2,0,9,20,10,7,1,0,0,0,0,0,0,\"\"\n",
       {"line 1720 2520 4720 2520", "line 2720 2520 3720 2520"}},
      {"an unknown place before any line is 0",
       "2,0,5,10,30,3,1,0,0,0,0,0,0,\"\"\n",
       {"line 1720 0 4720 0"}},
      {"drawn leftwards", "2,0,5,10,-5,0,1,0,0,0,0,0,0,\"\"\n", {"line 1720 2220 1220 2220"}},
  });
}

TEST(Layout, DrawsVerticalLinesAtTheirPlaceInTheColumnAndRows) {
  expectOutputs({
      {"left of the column, top of the rows",
       "3,0,5,10,4,0,1,0,0,0,0,0,0,\"\"\n",
       {"line 1720 2220 1720 3420"}},
      {"right of the column", "3,0,5,10,4,1,1,0,0,0,0,0,0,\"\"\n", {"line 1820 2220 1820 3420"}},
      {"middle of the column", "3,0,5,10,4,2,1,0,0,0,0,0,0,\"\"\n", {"line 1770 2220 1770 3420"}},
      {"bottom of row 5 to bottom of row 8",
       "3,0,5,10,4,0,1,1,0,0,0,0,0,\"\"\n",
       {"line 1720 2520 1720 3420"}},
      {"middle of row 5 to middle of row 8",
       "3,0,5,10,4,0,1,2,0,0,0,0,0,\"\"\n",
       {"line 1720 2370 1720 3420"}},
      {"only the lower end is rounded",
       "3,0,0.001,10,0.001,0,1,0,0,0,0,0,0,\"\"\n",
       {"line 1720 720.3 1720 721"}},
      {"unknown places keep the previous record's column and row",
       "3,0,5,10,4,1,1,1,0,0,0,0,0,\"\"\n3,0,20,30,2,9,1,-1,0,0,0,0,0,\"\"\n",
       {"line 1820 2520 1820 3420", "line 1820 2520 1820 3120"}},
      {"a box's corner is kept too",
       "5,0,5,10,20,4,1,1,0,0,0,0,1,\"\"\n3,0,20,30,2,5,1,5,0,0,0,0,0,\"\"\n",
       {"rectangle 1720 2220 3720 3420", "line 1720 2220 1720 2820"}},
  });
}

TEST(Layout, DrawsFramedBoxesFourLinesInOrderAndTheShadow) {
  expectOutputs({
      {"without shadow",
       "4,0,5,10,20,4,1,0,0,0,0,0,1,\"\"\n",
       {"line 1720 2220 3720 2220", "line 3720 2220 3720 3420", "line 3720 3420 1720 3420",
        "line 1720 3420 1720 2220"}},
      {"with shadow right and below, 40 twips wide",
       "4,0,5,10,20,4,1,1,0,0,0,0,1,\"\"\n",
       {"line 1720 2220 3720 2220", "line 3720 2220 3720 3420", "line 3720 3420 1720 3420",
        "line 1720 3420 1720 2220", "filled 3720 2260 3760 3420", "filled 1760 3420 3760 3460"}},
      {"row scale 0 flattens it onto the top margin",
       "4,0,5,10,20,4,1,0,0,0,0,0,0,\"\"\n",
       {"line 1720 720 3720 720", "line 3720 720 3720 720", "line 3720 720 1720 720",
        "line 1720 720 1720 720"}},
      {"half rows",
       "4,0,5,10,20,4,1,0,0,0,0,0,0.5,\"\"\n",
       {"line 1720 1470 3720 1470", "line 3720 1470 3720 2070", "line 3720 2070 1720 2070",
        "line 1720 2070 1720 1470"}},
      {"the lower edge is rounded to whole twips",
       "4,0,0.001,10,20,0.001,1,0,0,0,0,0,1,\"\"\n",
       {"line 1720 720.3 3720 720.3", "line 3720 720.3 3720 721", "line 3720 721 1720 721",
        "line 1720 721 1720 720.3"}},
  });
  EXPECT_EQ(LaidOut("4,0,5,10,20,4,3,1,0,0,0,0,1,\"\"\n").operationsAfterStart()[1],
            "line width 3");
}

TEST(Layout, DrawsBoxesWithTheirFillStyle) {
  struct Case {
    std::string job;
    Lines operations;
  };
  const std::vector<Case> cases = {
      {"5,0,5,10,20,4,2,0,0,0,0,0,1,\"\"\n",
       {"colour 0 0 0", "fill colour 0 0 0", "fill style 0", "line width 2",
        "rectangle 1720 2220 3720 3420"}},
      {"5,0,5,10,20,4,2,1,0,0,0,0,1,\"\"\n",
       {"colour 0 0 0", "fill colour 0 0 0", "fill style 1", "line width 2",
        "rectangle 1720 2220 3720 3420"}},
      {"5,0,5,10,20,4,0,1.4,0,0,0,0,1,\"\"\n",
       {"colour 0 0 0", "fill colour 0 0 0", "fill style 1", "line width 0",
        "rectangle 1720 2220 3720 3420"}},
      {"0,0,66,9,130,0,8,1,720,720,1440,720,,\"Arial\"\n"
       "5,0,5,10,20,4,1,0,0,10,20,30,1,\"\"\n",
       {"paper 9", "font Arial", "charset 162", "colour 10 20 30", "fill colour 10 20 30",
        "fill style 0", "line width 1", "rectangle 1720 2220 3720 3420"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LaidOut(c.job).operationsAfterStart(), c.operations) << c.job;
}

TEST(Layout, ColoursOnlyInColourMode) {
  struct Case {
    std::string colourMode;
    std::string red, green, blue;
    std::string colour;
  };
  const std::vector<Case> cases = {
      {"0", "255", "0", "128", "colour 0 0 0"},           {"-1", "255", "0", "128", "colour 0 0 0"},
      {"1", "255", "0", "128", "colour 255 0 128"},       {"0.5", "1", "2", "3", "colour 1 2 3"},
      {"1", "300", "-5", "127.5", "colour 255 0 128"},  // out of range clamped, halves to even
      {"1", "128.5", "0.4", "254.6", "colour 128 0 255"},
  };
  for (const Case& c : cases) {
    LaidOut run("0,0,66,9,130,0,8," + c.colourMode +
                ",720,720,1440,720,,\"A\"\n2,0,5,10,30,0,1,0,0," + c.red + "," + c.green + "," +
                c.blue + ",0,\"\"\n" + "1,0,5,10,30,0,0,0,0," + c.red + "," + c.green + "," +
                c.blue + ",1,\"T\"\n");
    Lines colours;
    for (const std::string& op : run.operationsAfterStart())
      if (op.rfind("colour ", 0) == 0) colours.push_back(op);
    EXPECT_EQ(colours, (Lines{c.colour, c.colour})) << "colour mode " << c.colourMode;
  }
}

TEST(Layout, SetupRecordsRecomputeTheGrid) {
  expectOutputs({
      {"landscape: 50 rows of 245.6 and 200 columns of 102.6",
       "0,0,50,9,200,1,10,0,720,720,1440,720,,\"Courier\"\n2,0,10,10,10,0,1,0,0,0,0,0,0,\"\"\n",
       {"line 1746 3176 2772 3176"}},
      {"a later portrait setup keeps landscape: 40 rows of 307, 120 columns of 171",
       "0,0,50,9,200,1,10,0,720,720,1440,720,,\"Courier\"\n"
       "0,0,40,9,120,0,8,0,720,720,1440,720,,\"Arial\"\n2,0,10,10,10,0,1,0,0,0,0,0,0,\"\"\n",
       {"line 2430 3790 4140 3790"}},
      {"margins: 40 rows of 499 below 1000, 112 columns of 120 right of 500",
       "0,0,40,9,112,0,8,0,1000,500,1000,500,,\"A\"\n2,0,1,1,1,0,1,0,0,0,0,0,0,\"\"\n",
       {"line 620 1499 740 1499"}},
      {"another paper: 58 rows of 480, 116 columns of 160",
       "0,0,58,8,116,0,8,0,720,720,1440,720,,\"A\"\n2,0,1,1,1,0,1,0,0,0,0,0,0,\"\"\n",
       {"line 880 1200 1040 1200"}},
      {"a setup record prints nothing", "0,0,66,9,130,1,10,0,720,720,1440,720,,\"A\"\n", {}},
  });
  EXPECT_EQ(LaidOut("0,0,50,9,200,1,10,0,720,720,1440,720,,\"Courier New\"\n"
                    "0,0,40,9,120,0,8,0,720,720,1440,720,,\"Ar\xFD"
                    "al\"\n")
                .operationsAfterStart(),
            (Lines{"paper 9", "landscape", "font Courier New", "charset 162", "paper 9",
                   "font Ar\xFD"
                   "al",
                   "charset 162"}));
}

TEST(Layout, TextSizesAddToTheBaseFontSize) {
  LaidOut run("0,0,66,9,130,0,10,0,720,720,1440,720,,\"A\"\n1,0,5,10,20,0,2,0,0,0,0,0,1,\"A\"\n");
  EXPECT_EQ(run.operationsAfterStart()[3], "size 12");
}

TEST(Layout, StartsANewSheetOnEveryChangeOfPageButTheFirst) {
  auto text = [](const std::string& page, const std::string& letter) {
    return "1," + page + ",5,10,20,0,0,0,0,0,0,0,1,\"" + letter + "\"\n";
  };
  const std::string t = "text 1720 2220 ";
  expectOutputs({
      {"pages 1 1 2 2 1 make three sheets",
       text("1", "a") + text("1", "b") + text("2", "c") + text("2", "d") + text("1", "e"),
       {t + "a", t + "b", "new page", t + "c", t + "d", "new page", t + "e"}},
      {"page 0 at the start is the first sheet",
       text("0", "a") + text("1", "b"),
       {t + "a", t + "b"}},
      {"a later change to page 0 and away from it",
       text("1", "a") + text("0", "b") + text("2", "c"),
       {t + "a", "new page", t + "b", "new page", t + "c"}},
      {"a jump over page numbers is one sheet",
       text("2", "a") + text("5", "b"),
       {t + "a", "new page", t + "b"}},
      {"a setup record changes the page too",
       text("1", "a") + "0,2,66,9,130,0,8,0,720,720,1440,720,,\"A\"\n" + text("2", "b"),
       {t + "a", "new page", t + "b"}},
      {"fractional page numbers are pages",
       text("1", "a") + text("1.5", "b"),
       {t + "a", "new page", t + "b"}},
  });
}

TEST(Layout, RejectsRecordsThatCannotBeLaidOut) {
  const std::string setup = "0,0,66,9,130,0,8,0,720,720,1440,720,,\"A\"\n";
  const std::vector<testing::RecordErrorCase> cases = {
      {"0 rows", "0,0,0,9,130,0,8,0,720,720,1440,720,,\"A\"\n", 1, 3, "a page cannot have 0 rows"},
      {"0 columns", "0,0,66,9,,0,8,0,720,720,1440,720,,\"A\"\n", 1, 5,
       "a page cannot have 0 columns"},
      {"unknown paper", setup + "0,0,66,77,130,0,8,0,720,720,1440,720,,\"A\"\n", 2, 4,
       "the printer has no paper size 77"},
      {"paper far out of range", "0,0,66,1e300,130,0,8,0,720,720,1440,720,,\"A\"\n", 1, 4,
       "the printer has no paper size 1e+300"},
      {"negative field width", "1,0,5,10,-1,0,0,0,0,0,0,0,1,\"A\"\n", 1, 5,
       "the field width -100 twips is negative"},
      {"negative field width with an empty text", "1,0,5,10,-1,0,0,0,0,0,0,0,1,\"\"\n", 1, 5,
       "the field width -100 twips is negative"},
      {"font size 0", "1,0,5,10,10,0,-8,0,0,0,0,0,1,\"A\"\n", 1, 7,
       "the font size 0 is not above 0 and up to 2160"},
      {"line width below 0", "2,0,5,10,10,0,-1,0,0,0,0,0,0,\"\"\n", 1, 7,
       "the line width -1 is not 0 to 32767"},
      {"fill style 8", "5,0,5,10,20,4,1,8,0,0,0,0,1,\"\"\n", 1, 8,
       "the fill style 8 is not 0 to 7"},
      {"text below the page", "1,0,200,10,10,0,0,0,0,0,0,0,1,\"A\"\n", 1, 3,
       "the coordinate 60720 lies outside the printable range of -32768 to 32767 twips"},
      {"line right of the page", "2,0,5,400,10,0,1,0,0,0,0,0,0,\"\"\n", 1, 4,
       "the coordinate 40720 lies outside the printable range of -32768 to 32767 twips"},
      {"line end right of the page", "2,0,5,10,400,0,1,0,0,0,0,0,0,\"\"\n", 1, 5,
       "the coordinate 41720 lies outside the printable range of -32768 to 32767 twips"},
      {"32767.5 rounds to 32768",
       "0,0,66,9,130,0,8,0,720,32767.5,1440,0,,\"A\"\n"
       "2,0,0,0,0,0,1,0,0,0,0,0,0,\"\"\n",
       2, 4, "the coordinate 32767.5 lies outside the printable range of -32768 to 32767 twips"},
      {"32767.4999 reaches the printer as 32767.5, which rounds to 32768",
       "0,0,66,9,130,0,8,0,720,32767.4999,1440,0,,\"A\"\n"
       "2,0,0,0,0,0,1,0,0,0,0,0,0,\"\"\n",
       2, 4, "the coordinate 32767.4999 lies outside the printable range of -32768 to 32767 twips"},
      {"a text at 32767.4999",
       "0,0,66,9,130,0,8,0,720,32767.4999,1440,0,,\"A\"\n"
       "1,0,0,0,-10,0,0,0,0,0,0,0,1,\"A\"\n",
       2, 4, "the coordinate 32767.4999 lies outside the printable range of -32768 to 32767 twips"},
      {"left of the page", "2,0,5,-400,10,0,1,0,0,0,0,0,0,\"\"\n", 1, 4,
       "the coordinate -39280 lies outside the printable range of -32768 to 32767 twips"},
      {"the shadow leaves the page", "4,0,0,0,320.2,1,1,1,0,0,0,0,1,\"\"\n", 1, 5,
       "the coordinate 32780 lies outside the printable range of -32768 to 32767 twips"},
      {"a box's lower edge", "5,0,0,0,1,200,1,0,0,0,0,0,1,\"\"\n", 1, 6,
       "the coordinate 60720 lies outside the printable range of -32768 to 32767 twips"},
      {"rows so small the grid is endless",
       "0,0,1e-310,9,130,0,8,0,720,720,1440,720,,\"A\"\n2,0,1,1,1,0,1,0,0,0,0,0,0,\"\"\n", 2, 3,
       "the coordinate inf lies outside the printable range of -32768 to 32767 twips"},
      {"row 0 of an endless grid",
       "0,0,1e-310,9,130,0,8,0,720,720,1440,720,,\"A\"\n4,0,0,1,1,1,1,0,0,0,0,0,1,\"\"\n", 2, 3,
       "the coordinate nan lies outside the printable range of -32768 to 32767 twips"},
  };
  testing::expectRecordErrors(cases, [](const std::string& job) { LaidOut run(job); });
  // The messages name the numbers without the decimal comma of a Turkish desktop.
  const testing_support::TurkishLocale turkish;
  ASSERT_TRUE(turkish.writesDecimalComma()) << "no Turkish locale (scripts/install-deps makes it)";
  testing::expectRecordErrors(cases, [](const std::string& job) { LaidOut run(job); });
}

TEST(Layout, AcceptsCoordinatesAtTheEdgesOfTheRange) {
  expectOutputs({
      {"32767 and -32768",
       "0,0,66,9,130,0,8,0,-32768,32767,1440,0,,\"A\"\n"
       "2,0,0,0,0,0,1,0,0,0,0,0,0,\"\"\n",
       {"line 32767 -32768 32767 -32768"}},
      {"32766.5 rounds down to the even 32766",
       "0,0,66,9,130,0,8,0,720,32766.5,1440,0,,\"A\"\n"
       "2,0,0,0,0,0,1,0,0,0,0,0,0,\"\"\n",
       {"line 32766.5 720 32766.5 720"}},
      {"the shadow just fits",
       "4,0,0,0,320,1,1,1,0,0,0,0,1,\"\"\n",
       {"line 720 720 32720 720", "line 32720 720 32720 1020", "line 32720 1020 720 1020",
        "line 720 1020 720 720", "filled 32720 760 32760 1020", "filled 760 1020 32760 1060"}},
  });
}

}  // namespace
}  // namespace pagette

namespace pagette {
namespace {

// Whatever a job file holds, reading and laying it out either works or ends
// in an error that names a line and field: never a crash, never another error.
TEST(Layout, AnyJobEitherPrintsOrFailsWithARecordError) {
  const std::string alphabet =
      "0123456789,,,,\"~ .-+eE\r\n\n\x1a\xD0\xFD"
      "abc";
  const std::vector<std::string> pieces = {"1e308", "-1e308", "1e-310", "32767", "-32768",
                                           "0",     "5",      "2",      "1",     "\"\""};
  unsigned state = 12345;
  auto next = [&state](unsigned bound) {
    state = state * 1103515245u + 12345u;
    return (state >> 8) % bound;
  };
  int printed = 0;
  int failed = 0;
  for (int file = 0; file < 3000; ++file) {
    std::string job;
    const unsigned length = next(400);
    for (unsigned i = 0; i < length; ++i) {
      if (next(4) == 0)
        job += pieces[next(static_cast<unsigned>(pieces.size()))];
      else
        job += alphabet[next(static_cast<unsigned>(alphabet.size()))];
    }
    try {
      LaidOut run(job);
      ++printed;
    } catch (const RecordError& e) {
      EXPECT_GT(e.line(), 0);
      EXPECT_GE(e.field(), 1);
      EXPECT_LE(e.field(), 14);
      ++failed;
    }
  }
  // Both outcomes occur, so the generator reaches the layout and its checks.
  EXPECT_GT(printed, 0);
  EXPECT_GT(failed, 0);
}

}  // namespace
}  // namespace pagette
