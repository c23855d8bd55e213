#include "muhtasar_print/declaration_job.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <vector>

#include "form/catalogue.h"
#include "form/cp1254.h"
#include "muhtasar_print/amount_text.h"
#include "muhtasar_print/declaration_sums.h"
#include "muhtasar_print/field_titles.h"
#include "muhtasar_print/job_writer.h"
#include "muhtasar_print/print_file_lines.h"
#include "muhtasar_print/rule_set.h"
#include "muhtasar_print/text_fit.h"
#include "muhtasar_print/text_widths.h"

namespace muhtasar_print {
namespace {

using form::Component;
using form::ComponentKind;
using Align = JobWriter::Align;

// The layout table: what the paper needs beyond the places of the screen.
// One row and one column of the grid are one pixel of the screen form, so the
// catalogue's places are used as they stand; A4 with 1 cm margins takes the
// form down to its signatory panels on the first sheet.
constexpr int kGridRows = 1120;
constexpr int kGridColumns = 600;
constexpr double kMargin = 567;
constexpr double kBaseFontSize = 8;
constexpr const char* kFontName = "Arial";
// A4 sheet in twips, for the font and text measures below.
constexpr double kRowTwips = (16838 - 2 * kMargin) / kGridRows;
constexpr double kColumnTwips = (11906 - 2 * kMargin) / kGridColumns;
// Screen pixels of character height to points on paper: a row is a little
// shorter than a screen pixel (15 twips), and the fonts follow it.
constexpr double kPointsPerPixel = 0.75 * kRowTwips / 15;
constexpr double kValuePoints = 11 * kPointsPerPixel;
// Inner space between a box's edge and its text, in columns.
constexpr double kPadding = 3;
// The screen's display fields keep one pixel inside their border on either side.
constexpr double kScreenPadding = 1;
constexpr int kThinLine = 0;
constexpr int kFrameLine = 3;
constexpr int kCheckBoxSize = 11;
// Free columns between a month's caption and its box.
constexpr double kCaptionGap = 2;
constexpr const char* kComputedAmountCaption = "___,___,___.__";
// Free space right of row 16's code box, up to the gross amount's box.
constexpr double kRow16RepeatWidth = 110;
// The page number stands in the bottom margin, right-aligned.
constexpr double kPageNumberRow = kGridRows + 2;
// Enough lines for any box: its height decides how many it holds.
constexpr int kAsManyAsFit = 99;

// Row 24's rate is not in the print file: its caption is closed on paper
// rather than left open before an empty box.
constexpr const char* kRateCaption = "Label46";
constexpr const char* kRateCaptionOnPaper = "Vergi İndiriminden Doğan  Damga vergisi (21 x oran)";
constexpr const char* kRateField = "Edit18";

// Table III's sheets: the taxpayer's line above the heading, the heading and
// the column heads where the screen has them, then the payee rows; the grid's
// lines are shared where its cells meet.
constexpr int kTableThreeTop = 1118;
constexpr double kIdentityRows = 24;
constexpr double kPayeeListTop = 1199;
constexpr double kPayeeRowHeight = 19;
constexpr double kCellPadding = 3;  // rows above and below a cell's lines
constexpr int kPayeeLinesAtMost = 3;
constexpr std::array<double, 6> kColumnEdges = {4, 280, 385, 422, 502, 583};
constexpr std::array<double, 4> kHeadRows = {1118, 1150, 1169, 1199};

// The signatory panels on the first sheet: tighter than on the screen, so
// that each signature box is more than 15 mm high (62 rows).
struct PaperPlace {
  const char* name;
  int left, top, width, height;
};
constexpr PaperPlace kPaperPlaces[] = {
    {"Panel2", 4, 941, 271, 178}, {"Panel3", 292, 941, 295, 178},
    {"Label12", 8, 2, 0, 0},      {"Label16", 8, 2, 0, 0},
    {"Label13", 8, 80, 0, 0},     {"Edit19", 80, 76, 175, 20},
    {"Label14", 8, 100, 0, 0},    {"Edit20", 80, 96, 175, 62},
    {"Label15", 8, 162, 0, 0},    {"Edit21", 80, 158, 175, 20},
    {"Label22", 8, 20, 0, 0},     {"Edit22", 88, 16, 175, 20},
    {"Label21", 8, 40, 0, 0},     {"Edit23", 88, 36, 175, 20},
    {"Label20", 8, 60, 0, 0},     {"Edit24", 88, 56, 175, 20},
    {"Label17", 8, 80, 0, 0},     {"Edit25", 88, 76, 175, 20},
    {"Label18", 8, 100, 0, 0},    {"Edit26", 88, 96, 175, 62},
    {"Label19", 8, 162, 0, 0},    {"Edit27", 88, 158, 175, 20},
};
// A box this high is a signature box: its text stands on its first line.
constexpr int kTallBox = 40;

// Lines the screen draws with its borders and the paper draws on its own.
struct Rule {
  double top, left, length;
};
constexpr Rule kRules[] = {{61, 2, 587}, {291, 2, 587}, {795, 2, 587}, {937, 2, 587}};

struct Box {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};

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

// Where a Table III edge of the screen, a pixel off its neighbour's so that
// the screen's borders overlap, meets that neighbour on paper.
template <std::size_t N>
double snapped(double place, const std::array<double, N>& edges, double reach) {
  for (double edge : edges) {
    if (place >= edge - reach && place <= edge + reach) return edge;
  }
  return place;
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

struct TextRequest {
  Align align = Align::Left;
  int mostLines = 1;
  bool wrapsAsOnScreen = false;
  double screenWidth = 0;
  double screenPixels = 0;
  bool onFirstLine = false;
};

struct PayeeLine {
  int row = 0;
  std::array<FittedText, 5> cells;
  double height = kPayeeRowHeight;
};

class DeclarationLayout {
 public:
  explicit DeclarationLayout(const PrintFile& file) : file_(file), sums_(checkSums(file)) {
    for (const Component& c : form::catalogue()) byName_[c.name] = &c;
    for (const PaperPlace& place : kPaperPlaces) paperPlaces_[place.name] = &place;
  }

  DeclarationPrint print() {
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

 private:
  const std::string& line(int number) const { return file_.line(number); }

  // ---- places -------------------------------------------------------------

  Box ownPlace(const Component& c) const {
    const auto paper = paperPlaces_.find(c.name);
    if (paper == paperPlaces_.end()) return {double(c.left), double(c.top), double(c.width),
                                             double(c.height)};
    const PaperPlace& p = *paper->second;
    return {double(p.left), double(p.top), double(p.width ? p.width : c.width),
            double(p.height ? p.height : c.height)};
  }

  Box placeOf(const Component& c) const {
    Box box = ownPlace(c);
    if (!c.parent.empty()) {
      const Box parent = ownPlace(*byName_.at(c.parent));
      box.left += parent.left;
      box.top += parent.top;
    }
    return box;
  }

  static bool printsOnSheetOne(const Component& c) {
    return c.parent != "V" && c.kind != ComponentKind::ScrollBox && c.name != kRateField &&
           c.top < kTableThreeTop;
  }

  // A label is as wide as its text on the screen; on paper it has the room
  // up to the next thing to its right on its line, or to its panel's edge.
  double labelRoom(const Component& label, const Box& at, double rows) const {
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

  // ---- texts --------------------------------------------------------------

  // Fits a code page 1254 text into its box and writes its lines, centred
  // in the box's height unless asked to stand on the first line.
  FittedText placeText(int page, const Box& box, TextStyle style, const std::string& text,
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

  void writeLines(int page, const Box& box, TextStyle style, const FittedText& fitted, Align align,
                  bool onFirstLine) {
    style.points = fitted.points;
    const double rows = textRows(fitted.points);
    double top = onFirstLine ? box.top : box.top + (box.height - rows * fitted.lines.size()) / 2;
    for (const std::string& text : fitted.lines) {
      job_.text(page, top, box.left, box.width, align, style, text);
      top += rows;
    }
  }

  void report(const std::string& title) {
    fitReports_.push_back(title + ": yerine sığmıyor; sonu \"…\" ile kesilerek basıldı.");
  }

  // ---- sheet one ----------------------------------------------------------

  void sheetOne() {
    for (const Component& c : form::catalogue()) {
      if (printsOnSheetOne(c)) component(1, c, placeOf(c));
    }
    repeatedRow16Code();
  }

  void component(int page, const Component& c, const Box& at) {
    switch (c.kind) {
      case ComponentKind::Panel:
        rules_.frame(at.top, at.left, at.width, at.height);
        break;
      case ComponentKind::Label:
        label(page, c, at);
        break;
      case ComponentKind::TextField: {
        const FileLine where = lineOfField(c.name);
        valueBox(page, at, where.number ? line(where.number) : "", Align::Left,
                 fieldTitle(c.name));
        break;
      }
      case ComponentKind::AmountField: {
        const FileLine where = lineOfField(c.name);
        valueBox(page, at, formatAmount(line(where.number), line(where.number + 1)), Align::Right,
                 fieldTitle(c.name));
        break;
      }
      case ComponentKind::DisplayField:
        displayField(page, c, at);
        break;
      case ComponentKind::CheckBox:
        checkBox(page, c, at);
        break;
      case ComponentKind::ScrollBox:
        break;
    }
  }

  void label(int page, const Component& c, const Box& at) {
    const TextStyle style = styleOf(c.font);
    const double rows = textRows(style.points);
    TextRequest request;
    request.align = c.alignment == form::Alignment::Centre ? Align::Centre : Align::Left;
    Box box = at;
    if (c.width > 0) {  // the letters of the vertical caption
      box.height = std::max(at.height, rows);
    } else {
      box.width = labelRoom(c, at, rows);
      box.height = rows;
    }
    const std::string caption = c.name == kRateCaption ? kRateCaptionOnPaper : c.caption;
    placeText(page, box, style, form::utf8ToCp1254(caption), request, c.name + " «" + caption + "»");
  }

  // A field's frame with its value, black.
  void valueBox(int page, const Box& at, const std::string& value, Align align,
                const std::string& title) {
    rules_.frame(at.top, at.left, at.width, at.height);
    TextRequest request;
    request.align = align;
    request.mostLines = kAsManyAsFit;
    request.onFirstLine = at.height > kTallBox;
    const Box inner{at.left + kPadding, at.top + (request.onFirstLine ? kCellPadding : 0),
                    at.width - 2 * kPadding, at.height};
    placeText(page, inner, TextStyle{kValuePoints}, value, request, title);
  }

  // A computed amount as the window shows it, with its sign where the file's
  // other amounts show it negative; a computed zero is «0,00».
  std::string computedAmount(const std::string& field) const {
    const FileLine where = lineOfField(field);
    std::string text = formatAmount(line(where.number), line(where.number + 1), Zero::Shown);
    if (sums_.negative.count(where.number)) text.insert(text.begin(), '-');
    return text;
  }

  void displayField(int page, const Component& c, const Box& at) {
    if (c.caption == kComputedAmountCaption) {
      valueBox(page, at, computedAmount(c.name), Align::Right, fieldTitle(c.name));
      return;
    }
    const FileLine where = lineOfField(c.name);
    if (where.number != 0) {  // the employee total, a count
      valueBox(page, at, line(where.number), Align::Left, fieldTitle(c.name));
      return;
    }
    if (c.background == form::Colour::Maroon) {
      job_.filledBox(page, at.top, at.left, at.width, at.height, kMaroon);
    } else {
      rules_.frame(at.top, at.left, at.width, at.height);
    }
    TextRequest request;
    request.align = c.alignment == form::Alignment::Centre ? Align::Centre : Align::Left;
    request.mostLines = c.wordWrap ? kAsManyAsFit : 1;
    request.wrapsAsOnScreen = c.wordWrap;
    request.screenWidth = c.width - 2 * kScreenPadding;
    request.screenPixels = c.font.pixelHeight;
    const Box inner{at.left + kPadding, at.top, at.width - 2 * kPadding, at.height};
    placeText(page, inner, styleOf(c.font), form::utf8ToCp1254(c.caption), request,
              c.name + " «" + c.caption + "»");
  }

  // The box stands on the side the screen has it; a caption on its left is
  // right-aligned against it, as on the screen, so that each month's box
  // stands by its own caption and well apart from the next one.
  void checkBox(int page, const Component& c, const Box& at) {
    const TextStyle style = styleOf(c.font);
    const double rows = textRows(style.points);
    // Square on paper, where a column is wider than a row.
    const double boxWidth = kCheckBoxSize * kRowTwips / kColumnTwips;
    const double boxTop = at.top + (at.height - kCheckBoxSize) / 2.0;
    const double boxLeft = c.captionLeftOfBox ? at.left + at.width - boxWidth - 1 : at.left + 1;
    rules_.frame(boxTop, boxLeft, boxWidth, kCheckBoxSize);
    Box caption{at.left + 2, at.top + (at.height - rows) / 2, boxLeft - kCaptionGap - at.left - 2,
                rows};
    TextRequest request;
    if (c.captionLeftOfBox) {
      request.align = Align::Right;
    } else {
      caption.left = boxLeft + boxWidth + 4;
      caption.width = at.left + at.width - caption.left;
    }
    placeText(page, caption, style, form::utf8ToCp1254(c.caption), request,
              c.name + " «" + c.caption + "»");
    const std::string& mark = line(lineOfField(c.name).number);
    TextRequest centred;
    centred.align = Align::Centre;
    placeText(page, Box{boxLeft, boxTop, boxWidth, kCheckBoxSize}, TextStyle{style.points, true},
              mark == "X" ? "X" : "", centred, fieldTitle(c.name));
  }

  // Row 16's code comes twice in the file and prints once, in its box. The
  // print program refuses a file whose two copies differ; laid out anyway,
  // the second copy prints beside the box rather than being lost.
  void repeatedRow16Code() {
    const std::string& repeat = line(kRepeatedRow16CodeLine);
    if (repeat == line(kRow16CodeLine)) return;
    const Box box = placeOf(*byName_.at(form::editName(16)));
    placeText(1, Box{box.left + box.width + kPadding, box.top, kRow16RepeatWidth, box.height},
              TextStyle{kValuePoints}, repeat, TextRequest{}, fieldTitle(form::editName(16)));
  }

  void pageNumber(int page, int pages) {
    TextRequest request;
    request.align = Align::Right;
    const std::string text = "Sayfa " + std::to_string(page) + "/" + std::to_string(pages);
    placeText(page, Box{0, kPageNumberRow, kGridColumns, textRows(kValuePoints)},
              TextStyle{kValuePoints}, text, request, text);
  }

  // ---- Table III ----------------------------------------------------------

  // Whether payee row r holds anything to print.
  bool payeeRowHolds(int r) const {
    const int first = payeeRowLine(r);
    for (int n = first; n < first + 3; ++n) {
      if (line(n).find_first_not_of(' ') != std::string::npos) return true;
    }
    return !formatAmount(line(first + 3), line(first + 4)).empty() ||
           !formatAmount(line(first + 5), line(first + 6)).empty();
  }

  std::string payeeCell(int r, int column) const {
    const int first = payeeRowLine(r);
    static constexpr int kOffsets[] = {0, 1, 2, 3, 5};
    const int n = first + kOffsets[column];
    return column < 3 ? line(n) : formatAmount(line(n), line(n + 1));
  }

  // Each cell fitted into its column; a row grows to hold up to three lines.
  std::vector<PayeeLine> payeeLines() {
    std::vector<PayeeLine> lines;
    for (int r = 1; r <= form::kPayeeRows; ++r) {
      if (!payeeRowHolds(r)) continue;
      PayeeLine payee;
      payee.row = r;
      for (int column = 0; column < 5; ++column) {
        TextRoom room;
        room.width = (kColumnEdges[column + 1] - kColumnEdges[column] - 2 * kPadding) * kColumnTwips;
        room.height = kPayeeLinesAtMost * lineHeight(kValuePoints);
        room.points = kValuePoints;
        room.mostLines = kPayeeLinesAtMost;
        FittedText& cell = payee.cells[std::size_t(column)];
        const std::string text = payeeCell(r, column);
        if (text.empty()) continue;
        cell = fitText(text, room);
        if (cell.cut) report(payeeCellTitle(r, column));
        const double rows = textRows(cell.points) * double(cell.lines.size()) + 2 * kCellPadding;
        payee.height = std::max(payee.height, rows);
      }
      lines.push_back(std::move(payee));
    }
    return lines;
  }

  static double tableRow(double catalogueTop) {
    return catalogueTop - kTableThreeTop + kIdentityRows;
  }

  // Sheets of payee rows; the heads come again on every sheet, and there is
  // one sheet even when no row holds anything.
  static std::vector<std::vector<PayeeLine>> paginated(std::vector<PayeeLine> lines) {
    std::vector<std::vector<PayeeLine>> pages(1);
    double top = tableRow(kPayeeListTop);
    for (PayeeLine& payee : lines) {
      if (top + payee.height > kGridRows && !pages.back().empty()) {
        pages.emplace_back();
        top = tableRow(kPayeeListTop);
      }
      top += payee.height;
      pages.back().push_back(std::move(payee));
    }
    return pages;
  }

  void tableThreePage(int page, const std::vector<PayeeLine>& payees) {
    identityLine(page);
    for (const Component& c : form::catalogue()) {
      if (c.parent.empty() && c.kind == ComponentKind::DisplayField && c.top >= kTableThreeTop) {
        const double left = snapped(c.left, kColumnEdges, 1.5);
        const double right = snapped(c.left + c.width, kColumnEdges, 4.5);
        const double top = snapped(c.top, kHeadRows, 1.5);
        const double bottom = snapped(c.top + c.height, kHeadRows, 1.5);
        displayField(page, c, Box{left, tableRow(top), right - left, bottom - top});
      }
    }
    double top = tableRow(kPayeeListTop);
    for (const PayeeLine& payee : payees) {
      for (std::size_t column = 0; column < 5; ++column) {
        const double left = kColumnEdges[column];
        const double width = kColumnEdges[column + 1] - left;
        rules_.frame(top, left, width, payee.height);
        const FittedText& cell = payee.cells[column];
        if (cell.lines.empty()) continue;
        writeLines(page, Box{left + kPadding, top, width - 2 * kPadding, payee.height},
                   TextStyle{kValuePoints}, cell, column < 3 ? Align::Left : Align::Right, false);
      }
      top += payee.height;
    }
  }

  // The taxpayer and the period above Table III, so that a loose sheet can be
  // put back where it belongs.
  void identityLine(int page) {
    const bool hasTaxNumber = !trimmed(line(18)).empty() || trimmed(line(22)).empty();
    const std::string name = trimmed(trimmed(line(20)) + " " + trimmed(line(21)));
    struct Part {
      const char* caption;
      double captionLeft, valueLeft, valueRight;
      std::string value;
      std::string title;
    } parts[] = {
        {"Dönem", 4, 34, 140, line(3), fieldTitle("Edit28")},
        {hasTaxNumber ? "Vergi Kimlik No" : "T.C. Kimlik No", 146, 218, 300,
         line(hasTaxNumber ? 18 : 22), fieldTitle(hasTaxNumber ? "Edit3" : "Edit4")},
        {"Soyadı, Adı (Ünvanı)", 306, 402, 583, name, fieldTitle("Edit6")},
    };
    const form::Font captionFont;
    TextRequest value;
    value.mostLines = kAsManyAsFit;
    for (const Part& part : parts) {
      placeText(page, Box{part.captionLeft, 0, part.valueLeft - part.captionLeft - 2, 20},
                styleOf(captionFont), form::utf8ToCp1254(part.caption), TextRequest{},
                part.caption);
      placeText(page, Box{part.valueLeft, 0, part.valueRight - part.valueLeft, 20},
                TextStyle{kValuePoints}, part.value, value, part.title);
    }
  }

  const PrintFile& file_;
  const SumCheck sums_;
  std::map<std::string, const Component*> byName_;
  std::map<std::string, const PaperPlace*> paperPlaces_;
  JobWriter job_;
  RuleSet rules_;
  std::vector<std::string> fitReports_;
};

}  // namespace

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
