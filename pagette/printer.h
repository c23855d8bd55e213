#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace pagette {

// Places and sizes on paper are in twips (1/1440 inch) measured from the top
// left corner of the sheet.
struct PageSize {
  int width = 0;
  int height = 0;
};

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class Orientation { Portrait = 1, Landscape = 2 };

// Fill styles follow the printer's own numbering: 0 solid, 1 none, 2 to 7 hatches.
constexpr int kSolidFill = 0;
constexpr int kNoFill = 1;
constexpr int kLastFillStyle = 7;

// The font character set that job files name for Turkish text.
constexpr int kTurkishCharset = 162;

// A text shaped into the glyphs of a font: each glyph's number in the font
// and where it starts, in twips from the start of the text.
struct Glyphs {
  std::span<const std::uint32_t> numbers;
  std::span<const double> starts;
};

// Measures texts exactly as a printer does, in the font that the same calls
// would give the printer. Made and used on one thread, which need not be the
// printer's own.
class Measurer {
 public:
  virtual ~Measurer() = default;
  virtual void setFontName(const std::string& name) = 0;
  virtual void setFontSize(float points) = 0;
  virtual void setBold(bool bold) = 0;
  virtual void setItalic(bool) {}
  virtual double textWidth(const std::string& text) = 0;
  virtual std::size_t fittingLength(const std::string& text, double width) = 0;
  // Whether to shape, from now on, the texts it measures, ready for shape().
  virtual void shapeTexts(bool) {}
  // Appends the glyphs of the text, as the printer would shape it in the
  // current font, for printGlyphs; false, and nothing appended, where the
  // printer had better shape the text itself.
  virtual bool shape(const std::string&, std::vector<std::uint32_t>& /*numbers*/,
                     std::vector<double>& /*starts*/) {
    return false;
  }
};

// Makes a measurer on the thread that calls it.
using MeasurerMaker = std::function<std::unique_ptr<Measurer>()>;

// What the layout needs of a printer. Texts and font names are 8-bit strings in
// code page 1254, exactly as the job file holds them.
class Printer {
 public:
  virtual ~Printer() = default;

  // Windows paper-size code (9 is A4). Returns false for a code the printer
  // does not know; the page size is then unchanged.
  virtual bool setPaperSize(int code) = 0;
  virtual void setOrientation(Orientation orientation) = 0;
  // The sheet as it lies with the current paper size and orientation.
  virtual PageSize pageSize() = 0;

  virtual void setFontName(const std::string& name) = 0;
  virtual void setFontCharset(int charset) = 0;
  virtual void setFontSize(float points) = 0;
  virtual void setBold(bool bold) = 0;
  // Italic where the record asks for it; a printer without it prints upright.
  virtual void setItalic(bool) {}

  virtual void setForeground(Rgb colour) = 0;
  virtual void setFillColour(Rgb colour) = 0;
  virtual void setFillStyle(int style) = 0;
  // In the printer's own unit (its dots); 0 draws the thinnest line it can.
  virtual void setLineWidth(int width) = 0;

  // Width in twips of a text in the current font.
  virtual double textWidth(const std::string& text) = 0;
  // The length of the longest beginning of a text, too wide as a whole, that
  // is at most `width` twips wide. A beginning of a text is never wider than
  // the whole, so it is found by halving rather than by measuring once per
  // character cut; a printer that knows its characters' widths does better.
  virtual std::size_t fittingLength(const std::string& text, double width) {
    std::size_t fits = 0;
    std::size_t tooWide = text.size();
    while (tooWide - fits > 1) {
      std::size_t middle = fits + (tooWide - fits) / 2;
      if (textWidth(text.substr(0, middle)) > width)
        tooWide = middle;
      else
        fits = middle;
    }
    return fits;
  }
  // Prints a text with its top left corner at (x, y).
  virtual void printText(float x, float y, const std::string& text) = 0;
  // Prints a text as printText does, from the glyphs that this printer's
  // measurer has shaped it into in the current font.
  virtual void printGlyphs(float x, float y, const std::string& text, Glyphs) {
    printText(x, y, text);
  }
  virtual void drawLine(float x1, float y1, float x2, float y2) = 0;
  // Outline in the foreground colour, inside as the fill style and fill colour say.
  virtual void drawRectangle(float x1, float y1, float x2, float y2) = 0;
  // Painted completely in the foreground colour.
  virtual void fillRectangle(float x1, float y1, float x2, float y2) = 0;

  // True for a printer that draws nothing and only lets the layout find the
  // errors of a job; the layout then measures a text only where its width
  // decides whether the text can be printed at all.
  virtual bool keepsOutputBack() const { return false; }
  // How to make a measurer for a layout on another thread, so that laying out
  // and drawing share the work; empty where the printer has none, and the
  // layout then runs on the printer's thread.
  virtual MeasurerMaker measurerMaker() const { return {}; }

  virtual void newPage() = 0;
  // Sends the document to the printer. A document without any output sends nothing.
  virtual void endDocument() = 0;
};

}  // namespace pagette
