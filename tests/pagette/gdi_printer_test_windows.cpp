// The GDI printer drawing into a memory bitmap of 144 dots per inch, where a
// dot is 10 twips: marks stand where their twips say, texts measure as they draw.
#include "gdi_printer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

namespace pagette {
namespace {

constexpr int kDotsPerInch = 144;
constexpr PageSize kA4{11906, 16838};

class Bitmap {
 public:
  Bitmap() : width_(kA4.width / 10 + 1), height_(kA4.height / 10 + 1) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint32_t*>(bits);
    SelectObject(dc_, bitmap_);
    std::memset(bits_, 0xFF, std::size_t(width_) * std::size_t(height_) * 4);
  }
  ~Bitmap() {
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  HDC dc() const { return dc_; }

  // The smallest box around every dot darker than mid-grey; right and bottom inclusive.
  RECT marks() const {
    RECT box{width_, height_, -1, -1};
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if ((bits_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] & 0xFF) >= 128) continue;
        box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
               std::max<LONG>(box.right, x), std::max<LONG>(box.bottom, y)};
      }
    }
    return box;
  }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

void expectNear(const RECT& got, const RECT& expected, int dots) {
  EXPECT_NEAR(got.left, expected.left, dots);
  EXPECT_NEAR(got.top, expected.top, dots);
  EXPECT_NEAR(got.right, expected.right, dots);
  EXPECT_NEAR(got.bottom, expected.bottom, dots);
}

TEST(GdiPrinter, MarksStandWhereTheirTwipsSay) {
  const struct {
    const char* what;
    std::function<void(Printer&)> draw;
    RECT dots;
  } cases[] = {
      {"line", [](Printer& p) { p.drawLine(1440, 2880, 4320, 2880); }, {144, 288, 432, 288}},
      {"vertical line", [](Printer& p) { p.drawLine(1000, 500, 1000, 3000); }, {100, 50, 100, 300}},
      {"thick line", [](Printer& p) { p.setLineWidth(5); p.drawLine(1440, 2880, 4320, 2880); },
       {142, 286, 434, 290}},
      {"hollow box", [](Printer& p) { p.setFillStyle(kNoFill); p.drawRectangle(1440, 1440, 2880, 2160); },
       {144, 144, 288, 216}},
      {"hatched box", [](Printer& p) { p.setFillStyle(6); p.drawRectangle(1440, 1440, 2880, 2160); },
       {144, 144, 288, 216}},
      {"filled", [](Printer& p) { p.fillRectangle(7200, 10000, 8640, 11440); }, {720, 1000, 863, 1143}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Bitmap bitmap;
    std::unique_ptr<GdiPrinter> printer =
        GdiPrinter::drawOn(bitmap.dc(), kDotsPerInch, kDotsPerInch, kA4);
    EXPECT_EQ(printer->pageSize().width, kA4.width);
    c.draw(*printer);
    expectNear(bitmap.marks(), c.dots, 1);
  }
}

// A text stands with its top left corner at its place and is as wide as
// measured; Arial Narrow is really narrow (Wine maps it to Liberation Sans Narrow).
TEST(GdiPrinter, TextsDrawAsWideAsTheyMeasure) {
  const std::string text = "Pagette \xD0\xDC\xDE\xDD\xD6\xC7 MMMM";  // ĞÜŞİÖÇ
  double arial = 0;
  for (const char* face : {"Arial", "Arial Narrow"}) {
    SCOPED_TRACE(face);
    Bitmap bitmap;
    std::unique_ptr<GdiPrinter> printer =
        GdiPrinter::drawOn(bitmap.dc(), kDotsPerInch, kDotsPerInch, kA4);
    printer->setFontName(face);
    printer->setFontCharset(kTurkishCharset);
    printer->setFontSize(20);
    printer->setBold(true);
    const double width = printer->textWidth(text);
    printer->printText(1440, 2880, text);
    const RECT marks = bitmap.marks();
    EXPECT_NEAR(marks.left, 144, 3);
    EXPECT_GE(marks.top, 288);
    EXPECT_LT(marks.top, 288 + 10);
    EXPECT_NEAR(marks.right - 144, width / 10, 4);
    EXPECT_EQ(printer->fittingLength(text, width - 1), text.size() - 1);
    EXPECT_EQ(printer->fittingLength(text, width), text.size());
    if (arial == 0) {
      arial = width;
    } else {
      EXPECT_LT(width, 0.88 * arial);
    }
  }
}

// A preview draws one sheet at a time: only that sheet's marks, and the
// sheets are counted whichever is drawn.
TEST(GdiPrinter, DrawsOnlyTheSheetItIsAskedFor) {
  const auto job = [](Printer& p) {
    p.drawLine(1440, 2880, 4320, 2880);
    p.newPage();
    p.fillRectangle(7200, 10000, 8640, 11440);
    p.newPage();
    p.drawLine(1000, 500, 1000, 3000);
  };
  const struct {
    int sheet;
    RECT dots;  // right below left where nothing stands
  } cases[] = {{0, {144, 288, 432, 288}}, {1, {720, 1000, 863, 1143}}, {2, {100, 50, 100, 300}},
               {3, {kA4.width / 10 + 1, kA4.height / 10 + 1, -1, -1}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sheet);
    Bitmap bitmap;
    std::unique_ptr<GdiPrinter> printer =
        GdiPrinter::drawOn(bitmap.dc(), kDotsPerInch, kDotsPerInch, kA4, c.sheet);
    job(*printer);
    EXPECT_EQ(printer->sheetCount(), 3);
    expectNear(bitmap.marks(), c.dots, 1);
  }
}

}  // namespace
}  // namespace pagette
