#pragma once
// The paper form's layout, shared by the files that lay out its sheets
// (declaration_job.cpp: the page plan, places and texts; paper_sheet_one.cpp;
// paper_table_three.cpp): the layout table and the layout's class.

#include <array>
#include <map>
#include <string>
#include <vector>

#include "form/catalogue.h"
#include "muhtasar_print/declaration_job.h"
#include "muhtasar_print/declaration_sums.h"
#include "muhtasar_print/job_writer.h"
#include "muhtasar_print/rule_set.h"
#include "muhtasar_print/text_fit.h"

namespace muhtasar_print::paper {

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

double pointsOf(const form::Font& font);
Colour colourOf(form::Colour colour);
TextStyle styleOf(const form::Font& font);
// Rows a line of text takes in a font, ascent to descent.
double textRows(double points);
// The row nearest to `row` that lies on whole twips of the sheet.
double levelRow(double row);
std::string trimmed(const std::string& text);

// Where a Table III edge of the screen, a pixel off its neighbour's so that
// the screen's borders overlap, meets that neighbour on paper.
template <std::size_t N>
double snapped(double place, const std::array<double, N>& edges, double reach) {
  for (double edge : edges) {
    if (place >= edge - reach && place <= edge + reach) return edge;
  }
  return place;
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

  DeclarationPrint print();

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

  Box placeOf(const Component& c) const;

  static bool printsOnSheetOne(const Component& c);

  // A label is as wide as its text on the screen; on paper it has the room
  // up to the next thing to its right on its line, or to its panel's edge.
  double labelRoom(const Component& label, const Box& at, double rows) const;

  // ---- texts --------------------------------------------------------------

  // Fits a code page 1254 text into its box and writes its lines, centred
  // in the box's height unless asked to stand on the first line.
  FittedText placeText(int page, const Box& box, TextStyle style, const std::string& text,
                       const TextRequest& request, const std::string& title);

  void writeLines(int page, const Box& box, TextStyle style, const FittedText& fitted, Align align,
                  bool onFirstLine);

  void report(const std::string& title);

  // ---- sheet one ----------------------------------------------------------

  void sheetOne();

  void component(int page, const Component& c, const Box& at);

  void label(int page, const Component& c, const Box& at);

  // A field's frame with its value, black.
  void valueBox(int page, const Box& at, const std::string& value, Align align,
                const std::string& title);

  // A computed amount as the window shows it, with its sign where the file's
  // other amounts show it negative; a computed zero is «0,00».
  std::string computedAmount(const std::string& field) const;

  void displayField(int page, const Component& c, const Box& at);

  // The box stands on the side the screen has it; a caption on its left is
  // right-aligned against it, as on the screen, so that each month's box
  // stands by its own caption and well apart from the next one.
  void checkBox(int page, const Component& c, const Box& at);

  // Row 16's code comes twice in the file and prints once, in its box. The
  // print program refuses a file whose two copies differ; laid out anyway,
  // the second copy prints beside the box rather than being lost.
  void repeatedRow16Code();

  void pageNumber(int page, int pages);

  // ---- Table III ----------------------------------------------------------

  // Whether payee row r holds anything to print.
  bool payeeRowHolds(int r) const;

  std::string payeeCell(int r, int column) const;

  // Each cell fitted into its column; a row grows to hold up to three lines.
  std::vector<PayeeLine> payeeLines();

  static double tableRow(double catalogueTop);

  // Sheets of payee rows; the heads come again on every sheet, and there is
  // one sheet even when no row holds anything.
  static std::vector<std::vector<PayeeLine>> paginated(std::vector<PayeeLine> lines);

  void tableThreePage(int page, const std::vector<PayeeLine>& payees);

  // The taxpayer and the period above Table III, so that a loose sheet can be
  // put back where it belongs.
  void identityLine(int page);

  const PrintFile& file_;
  const SumCheck sums_;
  std::map<std::string, const Component*> byName_;
  std::map<std::string, const PaperPlace*> paperPlaces_;
  JobWriter job_;
  RuleSet rules_;
  std::vector<std::string> fitReports_;
};

}  // namespace muhtasar_print::paper
