#include "muhtasar_print/declaration_job.h"

#include <map>
#include <vector>

#include "form/catalogue.h"
#include "form/cp1254.h"
#include "muhtasar_print/amount_text.h"
#include "muhtasar_print/job_writer.h"
#include "muhtasar_print/print_file_lines.h"

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
// Inner space between a box's edge and its text, in columns.
constexpr double kPadding = 3;
constexpr int kThinLine = 0;
constexpr int kFrameLine = 3;
constexpr int kCheckBoxSize = 11;
// Table III starts the second sheet; its heads come first on every sheet of it.
constexpr int kTableThreeTop = 1118;
constexpr int kPayeeListTop = 1199 + 2;
constexpr int kPayeeRowStep = 19;
constexpr int kPayeeRowHeight = 20;
constexpr const char* kComputedAmountCaption = "___,___,___.__";
// Free space right of row 16's code box, up to the gross amount's box.
constexpr double kRow16RepeatWidth = 110;

struct Place {
  double left = 0;
  double top = 0;
};

// Lines the screen draws with its borders and the paper draws on its own.
struct Rule {
  double top, left, length;
};
constexpr Rule kRules[] = {{61, 2, 587}, {291, 2, 587}, {795, 2, 587}, {937, 2, 587}};

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

// Rows a line of text takes in a font, ascent to descent.
double textRows(double points) {
  return points * 20 * 1.15 / kRowTwips;
}

// An estimate of a text's width in columns, for breaking long captions into
// lines; pagette cuts what still does not fit.
double estimatedColumns(const std::string& utf8, double points, bool bold) {
  double twips = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if ((c & 0xC0) == 0x80) continue;  // continuation byte of a letter already counted
    twips += points * 20 * (c == ' ' ? 0.28 : bold ? 0.62 : 0.55);
  }
  return twips / kColumnTwips;
}

// Breaks a caption at blanks into lines no wider than the box, as the screen's
// word wrap does; runs of blanks inside a line stay as the caption has them.
std::vector<std::string> wrapCaption(const std::string& caption, double width, double points,
                                     bool bold) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t i = 0;
  while (i < caption.size()) {
    const std::size_t wordStart = caption.find_first_not_of(' ', i);
    if (wordStart == std::string::npos) break;
    std::size_t wordEnd = caption.find(' ', wordStart);
    if (wordEnd == std::string::npos) wordEnd = caption.size();
    const std::string blanks = caption.substr(i, wordStart - i);
    const std::string word = caption.substr(wordStart, wordEnd - wordStart);
    if (!line.empty() && estimatedColumns(line + blanks + word, points, bold) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line += (line.empty() && lines.empty()) ? blanks + word : line.empty() ? word : blanks + word;
    }
    i = wordEnd;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

class DeclarationLayout {
 public:
  explicit DeclarationLayout(const PrintFile& file) : file_(file) {
    for (const Component& c : form::catalogue()) byName_[c.name] = &c;
  }

  std::string job() {
    job_.setUp(1, kGridRows, kGridColumns, kMargin, kBaseFontSize, kFontName);
    for (const Component& c : form::catalogue()) {
      if (c.parent == "V" || c.kind == ComponentKind::ScrollBox) continue;
      const Place place = placeOf(c);
      if (place.top < kTableThreeTop) component(1, c, place);
    }
    for (const Rule& rule : kRules) {
      job_.horizontalLine(1, rule.top, rule.left, rule.length, kFrameLine, kMaroon);
    }
    repeatedRow16Code();
    tableThree();
    return job_.job();
  }

 private:
  Place placeOf(const Component& c) const {
    Place place{double(c.left), double(c.top)};
    if (!c.parent.empty()) {
      const Component& parent = *byName_.at(c.parent);
      place.left += parent.left;
      place.top += parent.top;
    }
    return place;
  }

  const std::string& line(int number) const { return file_.line(number); }

  std::string amountOf(const std::string& field) const {
    const FileLine where = lineOfField(field);
    return formatAmount(line(where.number), line(where.number + 1));
  }

  void component(int page, const Component& c, Place at) {
    switch (c.kind) {
      case ComponentKind::Panel:
        job_.frame(page, at.top, at.left, c.width, c.height, kThinLine, kMaroon);
        break;
      case ComponentKind::Label:
        label(page, c, at);
        break;
      case ComponentKind::TextField: {
        const FileLine where = lineOfField(c.name);
        valueBox(page, at, c.width, c.height, where.number ? line(where.number) : "", Align::Left);
        break;
      }
      case ComponentKind::AmountField:
        valueBox(page, at, c.width, c.height, amountOf(c.name), Align::Right);
        break;
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

  void label(int page, const Component& c, Place at) {
    const double width = c.width > 0 ? c.width : kGridColumns - at.left;
    job_.text(page, at.top, at.left, width,
              c.alignment == form::Alignment::Centre ? Align::Centre : Align::Left,
              pointsOf(c.font), c.font.bold, colourOf(c.font.colour),
              form::utf8ToCp1254(c.caption));
  }

  // A field's frame with its value, black, vertically centred.
  void valueBox(int page, Place at, double width, double height, const std::string& value,
                Align align) {
    job_.frame(page, at.top, at.left, width, height, kThinLine, kMaroon);
    const double points = 11 * kPointsPerPixel;
    job_.text(page, at.top + (height - textRows(points)) / 2, at.left + kPadding,
              width - 2 * kPadding, align, points, false, kBlack, value);
  }

  void displayField(int page, const Component& c, Place at) {
    if (c.caption == kComputedAmountCaption) {
      valueBox(page, at, c.width, c.height, amountOf(c.name), Align::Right);
      return;
    }
    const FileLine where = lineOfField(c.name);
    if (where.number != 0) {  // the employee total, a count
      valueBox(page, at, c.width, c.height, line(where.number), Align::Left);
      return;
    }
    if (c.background == form::Colour::Maroon) {
      job_.filledBox(page, at.top, at.left, c.width, c.height, kMaroon);
    } else {
      job_.frame(page, at.top, at.left, c.width, c.height, kThinLine, kMaroon);
    }
    const double points = pointsOf(c.font);
    const double inner = c.width - 2 * kPadding;
    const std::vector<std::string> lines = c.wordWrap
                                               ? wrapCaption(c.caption, inner, points, c.font.bold)
                                               : std::vector<std::string>{c.caption};
    const double rows = textRows(points);
    double top = at.top + (c.height - rows * double(lines.size())) / 2;
    for (const std::string& text : lines) {
      job_.text(page, top, at.left + kPadding, inner,
                c.alignment == form::Alignment::Centre ? Align::Centre : Align::Left, points,
                c.font.bold, colourOf(c.font.colour), form::utf8ToCp1254(text));
      top += rows;
    }
  }

  void checkBox(int page, const Component& c, Place at) {
    const double points = pointsOf(c.font);
    // Square on paper, where a column is wider than a row.
    const double boxWidth = kCheckBoxSize * kRowTwips / kColumnTwips;
    const double boxTop = at.top + (c.height - kCheckBoxSize) / 2.0;
    const double boxLeft = c.captionLeftOfBox ? at.left + c.width - boxWidth - 1 : at.left + 1;
    const double captionLeft = c.captionLeftOfBox ? at.left + 2 : boxLeft + boxWidth + 4;
    const double captionWidth = c.width - boxWidth - 5;
    job_.frame(page, boxTop, boxLeft, boxWidth, kCheckBoxSize, kThinLine, kMaroon);
    const double rows = textRows(points);
    job_.text(page, at.top + (c.height - rows) / 2, captionLeft, captionWidth, Align::Left, points,
              false, colourOf(c.font.colour), form::utf8ToCp1254(c.caption));
    const std::string& mark = line(lineOfField(c.name).number);
    job_.text(page, boxTop + (kCheckBoxSize - rows) / 2, boxLeft, boxWidth, Align::Centre, points,
              true, kBlack, mark == "X" ? "X" : "");
  }

  // Row 16's code comes twice in the file and prints once, in its box. A file
  // whose two copies differ was not written by muhtasar as it stands; the
  // second copy then prints beside the box rather than being lost.
  void repeatedRow16Code() {
    const std::string& repeat = line(kRepeatedRow16CodeLine);
    if (repeat == line(kRow16CodeLine)) return;
    const Component& box = *byName_.at(form::editName(16));
    const double points = 11 * kPointsPerPixel;
    job_.text(1, box.top + (box.height - textRows(points)) / 2, box.left + box.width + kPadding,
              kRow16RepeatWidth, Align::Left, points, false, kBlack, repeat);
  }

  // Whether payee row r holds anything to print.
  bool payeeRowHolds(int r) const {
    const int first = payeeRowLine(r);
    for (int n = first; n < first + 3; ++n) {
      if (line(n).find_first_not_of(' ') != std::string::npos) return true;
    }
    return !formatAmount(line(first + 3), line(first + 4)).empty() ||
           !formatAmount(line(first + 5), line(first + 6)).empty();
  }

  void tableThreeHeads(int page) {
    for (const Component& c : form::catalogue()) {
      if (c.parent.empty() && c.kind == ComponentKind::DisplayField && c.top >= kTableThreeTop) {
        component(page, c, Place{double(c.left), double(c.top - kTableThreeTop)});
      }
    }
  }

  void tableThree() {
    const Component& list = *byName_.at("V");
    int page = 2;
    double top = kPayeeListTop - kTableThreeTop;
    tableThreeHeads(page);
    for (int r = 1; r <= form::kPayeeRows; ++r) {
      if (!payeeRowHolds(r)) continue;
      if (top + kPayeeRowHeight > kGridRows) {
        ++page;
        top = kPayeeListTop - kTableThreeTop;
        tableThreeHeads(page);
      }
      // The cells stand where row 1's fields stand in the list, one row lower each time.
      const std::string names[] = {form::editName(29), form::editName(30), form::editName(31),
                                   form::maskEditName(25), form::maskEditName(26)};
      const int first = payeeRowLine(r);
      const int lines[] = {first, first + 1, first + 2, first + 3, first + 5};
      for (int column = 0; column < 5; ++column) {
        const Component& cell = *byName_.at(names[column]);
        const Place at{double(cell.left + list.left), top};
        if (column < 3) {
          valueBox(page, at, cell.width, cell.height, line(lines[column]), Align::Left);
        } else {
          valueBox(page, at, cell.width, cell.height,
                   formatAmount(line(lines[column]), line(lines[column] + 1)), Align::Right);
        }
      }
      top += kPayeeRowStep;
    }
  }

  const PrintFile& file_;
  std::map<std::string, const Component*> byName_;
  JobWriter job_;
};

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string declarationJob(const PrintFile& file) {
  return DeclarationLayout(file).job();
}

std::string pdfFileName(const PrintFile& file) {
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
  return safe + ".pdf";
}

}  // namespace muhtasar_print
