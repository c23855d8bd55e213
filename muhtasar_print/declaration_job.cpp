#include "muhtasar_print/declaration_job.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "form/cp1254.h"
#include "muhtasar_print/paper_layout.h"
#include "muhtasar_print/text_widths.h"

namespace muhtasar_print {
namespace paper {

double pointsOf(const form::Font& font) {
  return font.pixelHeight * kPointsPerPixel;
}

Colour colourOf(form::Colour colour) {
  switch (colour) {
    case form::Colour::Maroon:
      return kMaroon;
    case form::Colour::SystemWindow:
      return kWhite;
    default:
      return kBlack;
  }
}

TextStyle styleOf(const form::Font& font) {
  return {pointsOf(font), font.bold, font.italic, colourOf(font.colour)};
}

// Rows a line of text takes in a font, ascent to descent.
double textRows(double points) {
  return lineHeight(points) / kRowTwips;
}

// The row nearest to `row` that lies on whole twips of the sheet. pagette
// draws a horizontal line from its place to that place rounded to whole twips;
// anywhere else the line would slope by a fraction of a printer dot and be
// drawn broken at a screen's resolution.
double levelRow(double row) {
  return (std::round(kMargin + row * kRowTwips) - kMargin) / kRowTwips;
}

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

DeclarationPrint DeclarationLayout::print() {
  std::vector<std::string> reports = sums_.reports;
  job_.setUp(1, kGridRows, kGridColumns, kMargin, kBaseFontSize, kFontName);
  const std::vector<std::vector<PayeeLine>> tablePages = paginated(payeeLines());
  const int pages = 1 + int(tablePages.size());
  sheetOne();
  pageNumber(1, pages);
  rules_.drawOn(job_, 1, kThinLine, kMaroon, levelRow);
  for (const Rule& rule : kRules) {
    job_.horizontalLine(1, rule.top, rule.left, rule.length, kFrameLine, kMaroon);
  }
  for (std::size_t i = 0; i < tablePages.size(); ++i) {
    tableThreePage(int(i) + 2, tablePages[i]);
    pageNumber(int(i) + 2, pages);
    rules_.drawOn(job_, int(i) + 2, kThinLine, kMaroon, levelRow);
  }
  reports.insert(reports.end(), fitReports_.begin(), fitReports_.end());
  return {job_.job(), std::move(reports)};
}

Box DeclarationLayout::placeOf(const Component& c) const {
  Box box = ownPlace(c);
  if (!c.parent.empty()) {
    const Box parent = ownPlace(*byName_.at(c.parent));
    box.left += parent.left;
    box.top += parent.top;
  }
  return box;
}

bool DeclarationLayout::printsOnSheetOne(const Component& c) {
  return c.parent != "V" && c.kind != ComponentKind::ScrollBox && c.name != kRateField &&
         c.top < kTableThreeTop;
}

// A label is as wide as its text on the screen; on paper it has the room
// up to the next thing to its right on its line, or to its panel's edge.
double DeclarationLayout::labelRoom(const Component& label, const Box& at, double rows) const {
  double right = kGridColumns;
  if (!label.parent.empty()) {
    const Box panel = placeOf(*byName_.at(label.parent));
    right = panel.left + panel.width;
  }
  for (const Component& c : form::catalogue()) {
    if (&c == &label || c.parent != label.parent || !printsOnSheetOne(c)) continue;
    const Box other = placeOf(c);
    const double otherRows = other.height > 0 ? other.height : rows;
    const bool besideIt = other.top < at.top + rows && other.top + otherRows > at.top;
    if (besideIt && other.left > at.left) right = std::min(right, other.left);
  }
  return right - at.left - 2;
}

// Fits a code page 1254 text into its box and writes its lines, centred
// in the box's height unless asked to stand on the first line.
FittedText DeclarationLayout::placeText(int page, const Box& box, TextStyle style, const std::string& text,
                     const TextRequest& request, const std::string& title) {
  if (text.empty()) return {};
  TextRoom room;
  room.width = box.width * kColumnTwips;
  room.height = box.height * kRowTwips;
  room.points = style.points;
  room.bold = style.bold;
  room.mostLines = request.mostLines;
  room.wrapsFirst = request.wrapsAsOnScreen;
  room.screenWidth = request.screenWidth;
  room.screenPixels = request.screenPixels;
  const FittedText fitted = fitText(text, room);
  writeLines(page, box, style, fitted, request.align, request.onFirstLine);
  if (fitted.cut) report(title);
  return fitted;
}

void DeclarationLayout::writeLines(int page, const Box& box, TextStyle style, const FittedText& fitted, Align align,
                bool onFirstLine) {
  style.points = fitted.points;
  const double rows = textRows(fitted.points);
  double top = onFirstLine ? box.top : box.top + (box.height - rows * fitted.lines.size()) / 2;
  for (const std::string& text : fitted.lines) {
    job_.text(page, top, box.left, box.width, align, style, text);
    top += rows;
  }
}

void DeclarationLayout::report(const std::string& title) {
  fitReports_.push_back(title + ": yerine sığmıyor; sonu \"…\" ile kesilerek basıldı.");
}

}  // namespace paper

using paper::DeclarationLayout;
using paper::trimmed;

DeclarationPrint declarationPrint(const PrintFile& file) {
  return DeclarationLayout(file).print();
}

std::string pdfTitle(const PrintFile& file) {
  // The period field, then the surname or trade name and the first name.
  std::string name = "Muhtasar";
  for (int number : {3, 20, 21}) {
    const std::string part = trimmed(file.line(number));
    if (!part.empty()) name += " " + part;
  }
  std::string safe;
  for (char c : form::cp1254ToUtf8(name)) {
    const bool forbidden = std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
    safe += forbidden || (static_cast<unsigned char>(c) < 0x20) ? '_' : c;
  }
  // A trade name often ends with a full stop ("LTD. ŞTİ."); "ŞTİ..pdf" would look like a slip.
  while (safe.back() == '.' || safe.back() == ' ') safe.pop_back();
  return safe;
}

std::string pdfFileName(const PrintFile& file) {
  return pdfTitle(file) + ".pdf";
}

}  // namespace muhtasar_print
