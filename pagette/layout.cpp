#include "layout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "job_error.h"

namespace pagette {
namespace {

constexpr int kA4 = 9;
constexpr double kDefaultRows = 66;
constexpr double kDefaultColumns = 130;
constexpr double kShadowWidth = 40;
// The printer's coordinates are 16-bit whole twips.
constexpr double kLowestCoordinate = -32768;
constexpr double kHighestCoordinate = 32767;
constexpr double kLargestFontSize = 2160;
constexpr int kWidestLine = 32767;

// Record kinds; every other kind is a text.
constexpr double kSetup = 0;
constexpr double kHorizontalLine = 2;
constexpr double kVerticalLine = 3;
constexpr double kFramedBox = 4;
constexpr double kBox = 5;
// Alignment of a text in its field; every other value aligns left.
constexpr double kRight = 1;
constexpr double kCentre = 2;
// Place of a line in its row or column.
constexpr double kStart = 0;
constexpr double kEnd = 1;
constexpr double kMiddle = 2;

std::string formatNumber(double value) {
  if (std::isnan(value)) return "nan";
  // Messages read the same in every locale: no decimal comma.
  char text[32];
  const auto written =
      std::to_chars(text, text + sizeof text, value, std::chars_format::general, 10);
  return std::string(text, written.ec == std::errc() ? written.ptr : text);
}

// Halves go to the even neighbour, as the printer's own conversion to whole numbers does.
double roundToWhole(double value) {
  return std::nearbyint(value);
}

std::optional<int> wholeNumber(double value, int lowest, int highest) {
  double whole = roundToWhole(value);
  if (!(whole >= lowest && whole <= highest)) return std::nullopt;
  return static_cast<int>(whole);
}

bool isPrintable(double whole) {
  return whole >= kLowestCoordinate && whole <= kHighestCoordinate;
}

// The printer receives the coordinate in single precision and rounds that to its
// whole twips, so a value just below a half can reach it as the half and round
// past the edge.
bool isPrintablePlace(double value) {
  return isPrintable(roundToWhole(value)) && isPrintable(roundToWhole(static_cast<float>(value)));
}

float coordinate(double value, const JobRecord& record, int field) {
  if (!isPrintablePlace(value)) {
    throw RecordError(record.lineOf(field), field,
                      "the coordinate " + formatNumber(value) +
                          " lies outside the printable range of -32768 to 32767 twips");
  }
  return static_cast<float>(value);
}

int colourComponent(double value) {
  return static_cast<int>(std::clamp(roundToWhole(value), 0.0, 255.0));
}

// The offset of a place field: 0 start, 1 end, 2 middle of a row or column.
std::optional<double> placeOffset(double place, double size) {
  if (place == kStart) return 0.0;
  if (place == kEnd) return size;
  if (place == kMiddle) return size / 2;
  return std::nullopt;
}

}  // namespace

Layout::Layout(Printer& printer) : printer_(printer) {
  if (!printer_.setPaperSize(kA4)) throw JobError("the printer has no A4 paper");
  printer_.setOrientation(Orientation::Portrait);
  printer_.setFontName("Arial Narrow");
  computeGrid(kDefaultRows, kDefaultColumns);
}

void Layout::computeGrid(double rows, double columns) {
  PageSize page = printer_.pageSize();
  rowHeight_ = (page.height - top_ - bottom_) / rows;
  columnWidth_ = (page.width - left_ - right_) / columns;
}

void Layout::print(const JobRecord& record) {
  changePage(record);
  const double kind = record.field(1);
  if (kind == kSetup) {
    setUp(record);
  } else if (kind == kHorizontalLine) {
    drawHorizontalLine(record);
  } else if (kind == kVerticalLine) {
    drawVerticalLine(record);
  } else if (kind == kFramedBox) {
    drawFramedBox(record);
  } else if (kind == kBox) {
    drawBox(record);
  } else {
    printText(record);
  }
}

void Layout::changePage(const JobRecord& record) {
  const double page = record.field(2);
  if (page == page_) return;
  // The first change, away from the page number 0 the run starts with, starts
  // the first sheet; every later change starts a new one.
  if (pageChanged_) printer_.newPage();
  pageChanged_ = true;
  page_ = page;
}

void Layout::setUp(const JobRecord& record) {
  const double rows = record.field(3);
  const double columns = record.field(5);
  if (rows == 0) throw RecordError(record.lineOf(3), 3, "a page cannot have 0 rows");
  if (columns == 0) throw RecordError(record.lineOf(5), 5, "a page cannot have 0 columns");
  std::optional<int> paper = wholeNumber(record.field(4), 0, 32767);
  if (!paper || !printer_.setPaperSize(*paper)) {
    throw RecordError(record.lineOf(4), 4,
                      "the printer has no paper size " + formatNumber(record.field(4)));
  }
  // A setup record can turn the page to landscape but never back.
  if (record.field(6) != 0) printer_.setOrientation(Orientation::Landscape);
  printer_.setFontName(record.text);
  printer_.setFontCharset(kTurkishCharset);
  baseFontSize_ = record.field(7);
  top_ = record.field(9);
  left_ = record.field(10);
  bottom_ = record.field(11);
  right_ = record.field(12);
  colourMode_ = record.field(8);
  computeGrid(rows, columns);
}

Rgb Layout::applyColour(const JobRecord& record) {
  // Without colour mode everything prints black, whatever the record asks for.
  Rgb colour;
  if (colourMode_ > 0) {
    colour = {colourComponent(record.field(10)), colourComponent(record.field(11)),
              colourComponent(record.field(12))};
  }
  printer_.setForeground(colour);
  return colour;
}

void Layout::applyLineWidth(const JobRecord& record) {
  std::optional<int> width = wholeNumber(record.field(7), 0, kWidestLine);
  if (!width) {
    throw RecordError(record.lineOf(7), 7,
                      "the line width " + formatNumber(record.field(7)) + " is not 0 to 32767");
  }
  printer_.setLineWidth(*width);
}

void Layout::printText(const JobRecord& record) {
  const double fieldWidth = columnWidth_ * record.field(5);
  const double fontSize = baseFontSize_ + record.field(7);
  if (!(fontSize > 0 && fontSize <= kLargestFontSize)) {
    throw RecordError(record.lineOf(7), 7,
                      "the font size " + formatNumber(fontSize) + " is not above 0 and up to 2160");
  }
  printer_.setFontSize(static_cast<float>(fontSize));
  applyColour(record);
  printer_.setBold(record.field(8) > 0);
  printer_.setItalic(record.field(9) > 0);
  if (fieldWidth < 0) {
    throw RecordError(record.lineOf(5), 5,
                      "the field width " + formatNumber(fieldWidth) + " twips is negative");
  }

  if (record.text.empty()) return;
  // Wherever the text ends up in its field, the place is printable when both
  // ends of the field are: then only the output needs the text's width.
  if (printer_.keepsOutputBack() && isPrintablePlace(columnX(record.field(4))) &&
      isPrintablePlace(columnX(record.field(4)) + fieldWidth) &&
      isPrintablePlace(scaledRowY(record)))
    return;

  // Cut characters from the right until the text fits its field.
  std::string text = record.text;
  double width = printer_.textWidth(text);
  if (width > fieldWidth) {
    text.resize(printer_.fittingLength(text, fieldWidth));
    width = text.empty() ? 0.0 : printer_.textWidth(text);
  }
  if (text.empty()) return;

  double offset = 0;
  if (record.field(6) == kRight) offset = fieldWidth - width;
  if (record.field(6) == kCentre) offset = (fieldWidth - width) / 2;
  const double x = columnX(record.field(4)) + offset;
  const double y = scaledRowY(record);
  const float printX = coordinate(x, record, 4);
  const float printY = coordinate(y, record, 3);
  printer_.printText(printX, printY, text);
}

void Layout::drawHorizontalLine(const JobRecord& record) {
  const double x1 = columnX(record.field(4));
  const std::optional<double> offset = placeOffset(record.field(6), rowHeight_);
  const double y = offset ? rowY(record.field(3)) + *offset : lastY_;
  const double x2 = x1 + columnWidth_ * record.field(5);
  applyColour(record);
  applyLineWidth(record);
  const float startX = coordinate(x1, record, 4);
  const float startY = coordinate(y, record, 3);
  const float endX = coordinate(x2, record, 5);
  const float endY = coordinate(roundToWhole(y), record, 3);
  printer_.drawLine(startX, startY, endX, endY);
  lastX_ = x1;
  lastY_ = y;
}

void Layout::drawVerticalLine(const JobRecord& record) {
  const std::optional<double> offset = placeOffset(record.field(6), columnWidth_);
  const double x = offset ? columnX(record.field(4)) + *offset : lastX_;
  const std::optional<double> endOffset = placeOffset(record.field(8), rowHeight_);
  const double y1 = endOffset ? rowY(record.field(3)) + *endOffset : lastY_;
  const double y2 = roundToWhole(y1 + rowHeight_ * record.field(5) - endOffset.value_or(0));
  applyColour(record);
  applyLineWidth(record);
  const float lineX = coordinate(x, record, 4);
  const float startY = coordinate(y1, record, 3);
  const float endY = coordinate(y2, record, 5);
  printer_.drawLine(lineX, startY, lineX, endY);
  lastX_ = x;
  lastY_ = y1;
}

Layout::BoxEdges Layout::boxEdges(const JobRecord& record) const {
  BoxEdges edges;
  edges.x1 = columnX(record.field(4));
  edges.x2 = edges.x1 + columnWidth_ * record.field(5);
  edges.y1 = scaledRowY(record);
  edges.y2 = roundToWhole(edges.y1 + record.field(13) * rowHeight_ * record.field(6));
  return edges;
}

void Layout::drawFramedBox(const JobRecord& record) {
  const auto [x1, x2, y1, y2] = boxEdges(record);
  applyColour(record);
  applyLineWidth(record);
  const float left = coordinate(x1, record, 4);
  const float right = coordinate(x2, record, 5);
  const float top = coordinate(y1, record, 3);
  const float bottom = coordinate(y2, record, 6);
  printer_.drawLine(left, top, right, top);
  printer_.drawLine(right, top, right, bottom);
  printer_.drawLine(right, bottom, left, bottom);
  printer_.drawLine(left, bottom, left, top);
  if (record.field(8) > 0) {
    // The shadow lies outside the right and bottom edges, shifted down and right.
    const float shadowTop = coordinate(y1 + kShadowWidth, record, 3);
    const float shadowRight = coordinate(x2 + kShadowWidth, record, 5);
    const float shadowLeft = coordinate(x1 + kShadowWidth, record, 4);
    const float shadowBottom = coordinate(y2 + kShadowWidth, record, 6);
    printer_.fillRectangle(right, shadowTop, shadowRight, bottom);
    printer_.fillRectangle(shadowLeft, bottom, shadowRight, shadowBottom);
  }
  lastX_ = x1;
  lastY_ = y1;
}

void Layout::drawBox(const JobRecord& record) {
  const auto [x1, x2, y1, y2] = boxEdges(record);
  const Rgb colour = applyColour(record);
  std::optional<int> fillStyle = wholeNumber(record.field(8), kSolidFill, kLastFillStyle);
  if (!fillStyle) {
    throw RecordError(record.lineOf(8), 8,
                      "the fill style " + formatNumber(record.field(8)) + " is not 0 to 7");
  }
  // The inside takes the colour of the outline.
  printer_.setFillColour(colour);
  printer_.setFillStyle(*fillStyle);
  applyLineWidth(record);
  const float left = coordinate(x1, record, 4);
  const float top = coordinate(y1, record, 3);
  const float right = coordinate(x2, record, 5);
  const float bottom = coordinate(y2, record, 6);
  printer_.drawRectangle(left, top, right, bottom);
  lastX_ = x1;
  lastY_ = y1;
}

}  // namespace pagette
