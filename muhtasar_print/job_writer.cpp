#include "muhtasar_print/job_writer.h"

#include <charconv>
#include <cmath>

namespace muhtasar_print {
namespace {

constexpr int kA4 = 9;
constexpr double kTextRecord = 1;
constexpr double kHorizontalLine = 2;
constexpr double kVerticalLine = 3;
constexpr double kFramedBox = 4;
constexpr double kBox = 5;
constexpr double kSolidFill = 0;

// Places come out to a hundredth of a row or column: finer than any printer
// dot, and the same text on every machine.
std::string number(double value) {
  // A decimal comma would split the job record's field: never the locale's.
  char text[400];
  const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
  std::string out(text, written.ec == std::errc() ? written.ptr : text);
  if (out.empty()) return "0";
  while (out.back() == '0') out.pop_back();
  if (out.back() == '.') out.pop_back();
  if (out == "-0") out = "0";
  return out;
}

}  // namespace

void JobWriter::record(std::initializer_list<double> numbers, const std::string& text) {
  for (double n : numbers) {
    job_ += number(n);
    job_ += ',';
  }
  job_ += '"';
  for (char c : text) job_ += c == '"' ? '~' : c;
  job_ += "\"\r\n";
}

void JobWriter::setUp(int page, int rows, int columns, double margin, double baseFontSize,
                      const std::string& fontName) {
  baseFontSize_ = baseFontSize;
  // Colour mode on: captions print maroon as on the screen, values black.
  record({0, double(page), double(rows), kA4, double(columns), 0, baseFontSize, 1, margin, margin,
          margin, margin, 0},
         fontName);
}

void JobWriter::text(int page, double row, double column, double width, Align align,
                     const TextStyle& style, const std::string& text) {
  if (text.empty()) return;
  const Colour colour = style.colour;
  record({kTextRecord, double(page), row, column, width, double(align),
          style.points - baseFontSize_, style.bold ? 1.0 : 0.0, style.italic ? 1.0 : 0.0,
          double(colour.red), double(colour.green), double(colour.blue), 1},
         text);
}

void JobWriter::horizontalLine(int page, double row, double column, double length, int lineWidth,
                               Colour colour) {
  record({kHorizontalLine, double(page), row, column, length, 0, double(lineWidth), 0, 0,
          double(colour.red), double(colour.green), double(colour.blue), 0},
         "");
}

void JobWriter::verticalLine(int page, double row, double column, double length, int lineWidth,
                             Colour colour) {
  record({kVerticalLine, double(page), row, column, length, 0, double(lineWidth), 0, 0,
          double(colour.red), double(colour.green), double(colour.blue), 0},
         "");
}

void JobWriter::frame(int page, double row, double column, double width, double height,
                      int lineWidth, Colour colour) {
  record({kFramedBox, double(page), row, column, width, height, double(lineWidth), 0, 0,
          double(colour.red), double(colour.green), double(colour.blue), 1},
         "");
}

void JobWriter::filledBox(int page, double row, double column, double width, double height,
                          Colour colour) {
  record({kBox, double(page), row, column, width, height, 0, kSolidFill, 0, double(colour.red),
          double(colour.green), double(colour.blue), 1},
         "");
}

}  // namespace muhtasar_print
