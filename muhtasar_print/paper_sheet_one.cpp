// The first sheet of the paper form: every component of the screen form
// above Table III at its place, with the file's values in their boxes.
#include <algorithm>

#include "form/cp1254.h"
#include "muhtasar_print/amount_text.h"
#include "muhtasar_print/field_titles.h"
#include "muhtasar_print/paper_layout.h"
#include "muhtasar_print/print_file_lines.h"

namespace muhtasar_print::paper {

void DeclarationLayout::sheetOne() {
  for (const Component& c : form::catalogue()) {
    if (printsOnSheetOne(c)) component(1, c, placeOf(c));
  }
  repeatedRow16Code();
}

void DeclarationLayout::component(int page, const Component& c, const Box& at) {
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

void DeclarationLayout::label(int page, const Component& c, const Box& at) {
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
void DeclarationLayout::valueBox(int page, const Box& at, const std::string& value, Align align,
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
std::string DeclarationLayout::computedAmount(const std::string& field) const {
  const FileLine where = lineOfField(field);
  std::string text = formatAmount(line(where.number), line(where.number + 1), Zero::Shown);
  if (sums_.negative.count(where.number)) text.insert(text.begin(), '-');
  return text;
}

void DeclarationLayout::displayField(int page, const Component& c, const Box& at) {
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
void DeclarationLayout::checkBox(int page, const Component& c, const Box& at) {
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
void DeclarationLayout::repeatedRow16Code() {
  const std::string& repeat = line(kRepeatedRow16CodeLine);
  if (repeat == line(kRow16CodeLine)) return;
  const Box box = placeOf(*byName_.at(form::editName(16)));
  placeText(1, Box{box.left + box.width + kPadding, box.top, kRow16RepeatWidth, box.height},
            TextStyle{kValuePoints}, repeat, TextRequest{}, fieldTitle(form::editName(16)));
}

void DeclarationLayout::pageNumber(int page, int pages) {
  TextRequest request;
  request.align = Align::Right;
  const std::string text = "Sayfa " + std::to_string(page) + "/" + std::to_string(pages);
  placeText(page, Box{0, kPageNumberRow, kGridColumns, textRows(kValuePoints)},
            TextStyle{kValuePoints}, text, request, text);
}

}  // namespace muhtasar_print::paper
