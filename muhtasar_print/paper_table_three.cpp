// The sheets of Table III: the payees that hold anything, each cell fitted
// into its column, split into sheets with the heads and the taxpayer's line
// on every one.
#include <algorithm>

#include "form/cp1254.h"
#include "muhtasar_print/amount_text.h"
#include "muhtasar_print/field_titles.h"
#include "muhtasar_print/paper_layout.h"
#include "muhtasar_print/print_file_lines.h"
#include "muhtasar_print/text_widths.h"

namespace muhtasar_print::paper {

// Whether payee row r holds anything to print.
bool DeclarationLayout::payeeRowHolds(int r) const {
  const int first = payeeRowLine(r);
  for (int n = first; n < first + 3; ++n) {
    if (line(n).find_first_not_of(' ') != std::string::npos) return true;
  }
  return !formatAmount(line(first + 3), line(first + 4)).empty() ||
         !formatAmount(line(first + 5), line(first + 6)).empty();
}

std::string DeclarationLayout::payeeCell(int r, int column) const {
  const int first = payeeRowLine(r);
  static constexpr int kOffsets[] = {0, 1, 2, 3, 5};
  const int n = first + kOffsets[column];
  return column < 3 ? line(n) : formatAmount(line(n), line(n + 1));
}

// Each cell fitted into its column; a row grows to hold up to three lines.
std::vector<PayeeLine> DeclarationLayout::payeeLines() {
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

double DeclarationLayout::tableRow(double catalogueTop) {
  return catalogueTop - kTableThreeTop + kIdentityRows;
}

// Sheets of payee rows; the heads come again on every sheet, and there is
// one sheet even when no row holds anything.
std::vector<std::vector<PayeeLine>> DeclarationLayout::paginated(std::vector<PayeeLine> lines) {
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

void DeclarationLayout::tableThreePage(int page, const std::vector<PayeeLine>& payees) {
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
void DeclarationLayout::identityLine(int page) {
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

}  // namespace muhtasar_print::paper
