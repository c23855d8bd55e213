#include "qt_printer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "pdf_pages.h"
#include "print_job.h"
#include "scratch_folder.h"

namespace pagette {
namespace {

using testing::GreyPage;
using testing::pdfInfo;
using testing::PdfInfo;
using testing::ScratchFolder;
namespace fs = std::filesystem;

constexpr int kDotsPerInch = 200;
constexpr int kBlack = 64;   // darker than this is ink
constexpr int kWhite = 240;  // lighter than this is paper

// A setup record whose grid is one twip per row and column, from the corner of
// an A4 sheet: rows and columns are then twips.
const std::string kTwipGrid = "0,1,16838,9,11906,0,8,0,0,0,0,0,,\"Arial\"\n";

std::string printToPdf(const ScratchFolder& folder, const std::string& job) {
  const std::string pdf = (folder.path() / "out.pdf").string();
  auto printer = QtPrinter::openPdfFile(QString::fromStdString(pdf));
  printJobFile(folder.write("job.txt", job), *printer);
  return pdf;
}

TEST(QtPrinter, MapsPaperSizeCodesToSheetsInTwips) {
  struct Case {
    int code;
    int width;
    int height;
  };
  const std::vector<Case> cases = {
      {9, 11906, 16838},  // A4, 210 by 297 mm
      {8, 16838, 23811},  // A3
      {11, 8391, 11906},  // A5
      {1, 12240, 15840},  // Letter, 8.5 by 11 inches
      {5, 12240, 20160},  // Legal, 8.5 by 14 inches
      {7, 10440, 15120},  // Executive, 7.25 by 10.5 inches
  };
  ScratchFolder folder;
  auto printer = QtPrinter::openPdfFile(QString::fromStdString((folder.path() / "x.pdf").string()));
  for (const Case& c : cases) {
    ASSERT_TRUE(printer->setPaperSize(c.code)) << c.code;
    printer->setOrientation(Orientation::Portrait);
    EXPECT_EQ(printer->pageSize().width, c.width) << c.code;
    EXPECT_EQ(printer->pageSize().height, c.height) << c.code;
    printer->setOrientation(Orientation::Landscape);
    EXPECT_EQ(printer->pageSize().width, c.height) << c.code;
    EXPECT_EQ(printer->pageSize().height, c.width) << c.code;
  }
  printer->setOrientation(Orientation::Portrait);
  printer->setPaperSize(9);
  for (int unknown : {0, 2, 99, 256, -1}) {
    EXPECT_FALSE(printer->setPaperSize(unknown)) << unknown;
    EXPECT_EQ(printer->pageSize().width, 11906) << "unknown codes leave the paper as it was";
  }
}

TEST(QtPrinter, MeasuresTextsInTheCurrentFont) {
  ScratchFolder folder;
  auto printer = QtPrinter::openPdfFile(QString::fromStdString((folder.path() / "x.pdf").string()));
  printer->setFontName("Arial");
  printer->setFontSize(10);
  const double ten = printer->textWidth("MMMM");
  EXPECT_GT(ten, 400);  // an M of Arial is about 0.83 em: 4 of them at 10 points, 664 twips
  EXPECT_LT(ten, 900);
  EXPECT_DOUBLE_EQ(printer->textWidth(""), 0);
  printer->setFontSize(20);
  EXPECT_NEAR(printer->textWidth("MMMM"), 2 * ten, 0.05 * ten);
  printer->setFontSize(10.5);
  EXPECT_GT(printer->textWidth("MMMM"), ten);
  printer->setFontSize(10);
  const double regular = printer->textWidth("pagette");
  printer->setBold(true);
  EXPECT_GT(printer->textWidth("pagette"), regular);
  printer->setFontName("Arial Narrow");
  printer->setBold(false);
  EXPECT_LT(printer->textWidth("MMMM"), ten);
  // Turkish letters come from code page 1254: "Ğ" is as wide as "G", not a missing glyph.
  printer->setFontName("Arial");
  EXPECT_NEAR(printer->textWidth("\xD0"), printer->textWidth("G"), 1);
}

// The longest beginning that fits is the one that halving with whole
// measurements finds, kerned pairs, blanks and Turkish letters included.
TEST(QtPrinter, CutsATextToTheSameLengthAsMeasuringItsBeginnings) {
  ScratchFolder folder;
  auto printer = QtPrinter::openPdfFile(QString::fromStdString((folder.path() / "x.pdf").string()));
  const std::vector<std::string> texts = {
      "AVAVAV To Ty Wa Yo LT ff fi",
      "Ü"
      "cret ~12~, GELÝ"
      "R VERGÝ"
      "SÝ KESÝ"
      "NTÝ"
      "SÝ 12",
      "a    b    c    ",
      "iiiiiiiiiiiiiiiiiiiiiiiiiiiiWWWWWWWWWW",
  };
  for (const char* font : {"Arial Narrow", "Arial"}) {
    printer->setFontName(font);
    for (float size : {8.0f, 11.5f}) {
      printer->setFontSize(size);
      for (const std::string& text : texts) {
        const double whole = printer->textWidth(text);
        for (double share = 0.0; share < 1.0; share += 0.01) {
          const double width = whole * share;
          EXPECT_EQ(printer->fittingLength(text, width),
                    printer->Printer::fittingLength(text, width))
              << font << " " << size << " «" << text << "» in " << width;
        }
      }
    }
  }
}

// A layout on another thread cuts and places texts with the widths that the
// printer itself would measure.
TEST(QtPrinter, ItsMeasurerOnAnotherThreadMeasuresAsItDoes) {
  struct Font {
    const char* name;
    float size;
    bool bold;
  };
  const std::vector<Font> fonts = {{"Arial Narrow", 8, false}, {"Arial", 11.5f, true}};
  const std::string text = "AVAVAV To Ty \xDC" "cret ~12~, GEL\xDD" "R VERG\xDD" "S\xDD";
  // The printer and its measurer answer the same calls.
  auto measureWith = [&](auto& measuring) {
    std::vector<double> widths;
    for (const Font& font : fonts) {
      measuring.setFontName(font.name);
      measuring.setFontSize(font.size);
      measuring.setBold(font.bold);
      widths.push_back(measuring.textWidth(text));
      widths.push_back(static_cast<double>(measuring.fittingLength(text, widths.back() / 2)));
    }
    return widths;
  };
  ScratchFolder folder;
  auto printer = QtPrinter::openPdfFile(QString::fromStdString((folder.path() / "x.pdf").string()));
  const std::vector<double> expected = measureWith(*printer);
  std::vector<double> measured;
  std::thread([&, makeMeasurer = printer->measurerMaker()] {
    std::unique_ptr<Measurer> measurer = makeMeasurer();
    measured = measureWith(*measurer);
  }).join();
  EXPECT_EQ(measured, expected);
}

// The bytes of a PDF file without its creation date, the one line that
// differs between two prints of the same document.
std::string pdfWithoutDate(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::size_t date = bytes.find("/CreationDate");
  if (date != std::string::npos) bytes.erase(date, bytes.find('\n', date) - date);
  return bytes;
}

// Texts that a measurer shaped on another thread are drawn from their glyphs:
// the document is the same, byte for byte, as when the painter shapes them.
TEST(QtPrinter, ATextDrawnFromItsMeasuredGlyphsGivesTheSameDocument) {
  struct Text {
    const char* font;
    float size;
    bool bold;
    std::string text;
  };
  const std::vector<Text> texts = {
      {"Arial Narrow", 8, false, "AVAVAV To Ty Wa Yo LT ff fi"},
      {"Arial Narrow", 8, true, "\xDC" "cret, GEL\xDD" "R VERG\xDD" "S\xDD \xD0\xDE\xFD\xF0"},
      {"Arial", 11.5f, false, "  blanks   around  "},
      {"Arial", 11.5f, true, "a\ttab is left to the painter"},
      {"Courier New", 10, false, "0123456789,.-~"},
  };
  ScratchFolder folder;
  auto print = [&](const std::string& name, bool fromGlyphs, int& drawnFromGlyphs) {
    const std::string pdf = (folder.path() / name).string();
    auto printer = QtPrinter::openPdfFile(QString::fromStdString(pdf));
    std::unique_ptr<Measurer> measurer = printer->measurerMaker()();
    measurer->shapeTexts(true);
    float y = 1000;
    for (const Text& text : texts) {
      printer->setFontName(text.font);
      printer->setFontSize(text.size);
      printer->setBold(text.bold);
      measurer->setFontName(text.font);
      measurer->setFontSize(text.size);
      measurer->setBold(text.bold);
      // A box leaves the painter a brush, which drawing a text sets again.
      printer->setForeground({128, 0, 0});
      printer->setFillColour({128, 0, 0});
      printer->setFillStyle(kSolidFill);
      printer->drawRectangle(500, y, 900, y + 200);
      std::vector<std::uint32_t> numbers;
      std::vector<double> starts;
      if (fromGlyphs && measurer->shape(text.text, numbers, starts)) {
        ++drawnFromGlyphs;
        printer->printGlyphs(1000.25f, y, text.text, {numbers, starts});
      } else {
        printer->printText(1000.25f, y, text.text);
      }
      printer->drawLine(500, y + 300, 3000, y + 300);
      y += 700;
      if (y > 3000) printer->newPage();
    }
    printer->endDocument();
    return pdfWithoutDate(pdf);
  };
  int none = 0;
  int shaped = 0;
  const std::string painterShaped = print("painter.pdf", false, none);
  EXPECT_EQ(print("glyphs.pdf", true, shaped), painterShaped);
  EXPECT_EQ(shaped, 4);
}

TEST(QtPrinter, DrawsEveryKindOfRecordWhereItsTwipsSay) {
  ScratchFolder folder;
  const std::string pdf = printToPdf(
      folder, kTwipGrid +
                  "5,1,1440,1440,1440,1440,1,0,0,0,0,0,1,\"\"\n"     // solid box, 1 to 2 inches
                  "5,1,1440,4320,1440,1440,30,1,0,0,0,0,1,\"\"\n"    // hollow box beside it
                  "2,1,5760,1440,4320,0,60,0,0,0,0,0,0,\"\"\n"       // line at 4 inches
                  "3,1,5760,7200,2880,0,60,0,0,0,0,0,0,\"\"\n"       // line down from (5, 4)
                  "4,1,7200,1440,2880,1440,10,1,0,0,0,0,1,\"\"\n"    // framed box with shadow
                  "1,1,10080,1440,8000,0,40,1,0,0,0,0,1,\"MMMM\"\n"  // 48-point bold text
                  "5,2,1440,7200,1440,1440,1,0,0,0,0,0,1,\"\"\n");   // a box on the second sheet
  PdfInfo info = pdfInfo(pdf);
  EXPECT_EQ(info.pages, 2);
  EXPECT_NEAR(info.width, 595.3, 0.5);
  EXPECT_NEAR(info.height, 841.9, 0.5);

  GreyPage first(pdf, 1, kDotsPerInch);
  struct Mark {
    std::string what;
    double x, y;
    bool ink;
  };
  const std::vector<Mark> marks = {
      {"solid box inside", 2160, 2160, true},
      {"left of the solid box", 1380, 2160, false},
      {"below the solid box", 2160, 2950, false},
      {"hollow box outline", 4320, 2160, true},
      {"hollow box inside", 5040, 2160, false},
      {"horizontal line", 3000, 5760, true},
      {"above the horizontal line", 3000, 5650, false},
      {"past the horizontal line's end", 5900, 5760, false},
      {"vertical line", 7200, 7000, true},
      {"beside the vertical line", 7320, 7000, false},
      {"frame top", 2880, 7200, true},
      {"frame inside", 2880, 7920, false},
      {"right shadow", 4340, 8000, true},
      {"right of the right shadow", 4420, 8000, false},
      {"bottom shadow", 2880, 8660, true},
      {"below the bottom shadow", 2880, 8740, false},
      {"the second sheet's box is not on the first", 7920, 2160, false},
  };
  for (const Mark& m : marks) {
    int darkest = first.darkestAround(m.x, m.y);
    if (m.ink)
      EXPECT_LT(darkest, kBlack) << m.what;
    else
      EXPECT_GT(darkest, kWhite) << m.what;
  }
  // The text's top left corner is at its print position: ink just below and
  // right of it, none above it.
  EXPECT_LT(first.darkestAround(1740, 10500, 40), kBlack);
  EXPECT_GT(first.darkestAround(1740, 9960, 10), kWhite);

  GreyPage second(pdf, 2, kDotsPerInch);
  EXPECT_LT(second.darkestAround(7920, 2160), kBlack);
  EXPECT_GT(second.darkestAround(2160, 2160), kWhite);
}

TEST(QtPrinter, ALandscapeSetupTurnsTheFirstSheet) {
  ScratchFolder folder;
  const std::string pdf =
      printToPdf(folder,
                 "0,1,11906,9,16838,1,8,0,0,0,0,0,,\"Arial\"\n"
                 "5,1,1440,12960,1440,1440,1,0,0,0,0,0,1,\"\"\n");  // 9 to 10 inches across
  PdfInfo info = pdfInfo(pdf);
  EXPECT_EQ(info.pages, 1);
  EXPECT_NEAR(info.width, 841.9, 0.5);
  EXPECT_NEAR(info.height, 595.3, 0.5);
  EXPECT_LT(GreyPage(pdf, 1, kDotsPerInch).darkestAround(13680, 2160), kBlack);
}

TEST(QtPrinter, PrintsTheLargestValuesItAccepts) {
  ScratchFolder folder;
  std::string job = kTwipGrid + "1,1,0,0,11906,0,2152,1,0,0,0,0,1,\"" + std::string(5000, 'W') +
                    "\"\n" + "2,1,8000,0,11906,0,32767,0,0,0,0,0,0,\"\"\n" +
                    "4,1,-32768,-32768,65535,65535,0,0,0,0,0,0,1,\"\"\n";
  for (int style = 2; style <= 7; ++style)
    job += "5,1,12000," + std::to_string(style * 1000) + ",800,800,1," + std::to_string(style) +
           ",0,0,0,0,1,\"\"\n";
  const std::string pdf = printToPdf(folder, job);
  EXPECT_EQ(pdfInfo(pdf).pages, 1);
}

TEST(QtPrinter, ASetupRecordAfterAChangeOfPageDecidesTheNewSheet) {
  ScratchFolder folder;
  const std::string pdf = printToPdf(folder,
                                     "1,1,5,10,20,0,0,0,0,0,0,0,1,\"A4 portrait\"\n"
                                     "0,2,66,8,130,1,8,0,720,720,1440,720,,\"Arial\"\n"
                                     "1,2,5,10,20,0,0,0,0,0,0,0,1,\"A3 landscape\"\n"
                                     "1,3,5,10,20,0,0,0,0,0,0,0,1,\"A3 landscape\"\n"
                                     "0,4,66,9,130,0,8,0,720,720,1440,720,,\"Arial\"\n");
  // The last change of page still gives its sheet, empty, and landscape stays.
  const std::vector<std::pair<double, double>> expected = {
      {595, 842}, {1191, 842}, {1191, 842}, {842, 595}};
  const auto sizes = testing::pdfPageSizes(pdf);
  ASSERT_EQ(sizes.size(), expected.size());
  for (std::size_t page = 0; page < sizes.size(); ++page) {
    EXPECT_NEAR(sizes[page].first, expected[page].first, 1) << "page " << page + 1;
    EXPECT_NEAR(sizes[page].second, expected[page].second, 1) << "page " << page + 1;
  }
}

TEST(QtPrinter, AJobWithoutOutputSendsNothing) {
  ScratchFolder folder;
  const std::string pdf = printToPdf(folder, kTwipGrid + "1,1,100,100,0,0,0,0,0,0,0,0,1,\"x\"\n");
  EXPECT_FALSE(fs::exists(pdf));
}

}  // namespace
}  // namespace pagette
