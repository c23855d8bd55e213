#include "form/amount_field.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace form {
namespace {

// One editing step: keys typed or commands given, from a starting edit text
// and cursor, with the edit text and cursor that must follow.
struct EditCase {
  const char* what;
  std::string start;
  int cursor;
  std::function<void(AmountField&)> action;
  std::string editText;
  int cursorAfter;
};

void type(AmountField& f, const std::string& keys) {
  for (char c : keys) f.typeChar(c);
}

TEST(AmountFieldEditing, Keys) {
  const std::string empty(AmountField::kEmptyEditText);
  const EditCase cases[] = {
      {"digits fill positions and skip literals", empty, 0,
       [](AmountField& f) { type(f, "1234"); }, "123,4__,___.__", 5},
      {"all eleven positions, then nothing more", empty, 0,
       [](AmountField& f) { type(f, "123456789012345"); }, "123,456,789.01", 14},
      {"a digit at a literal goes to the next position", empty, 3,
       [](AmountField& f) { type(f, "7"); }, "___,7__,___.__", 5},
      {"point jumps to the decimals", empty, 0,
       [](AmountField& f) { type(f, ".5"); }, "___,___,___.5_", 13},
      {"comma jumps past the next comma", empty, 1,
       [](AmountField& f) { type(f, ",9"); }, "___,9__,___.__", 5},
      {"comma at a comma jumps past it", empty, 7,
       [](AmountField& f) { type(f, ","); }, empty, 8},
      {"comma after the last comma stays", empty, 9,
       [](AmountField& f) { type(f, ","); }, empty, 9},
      {"blank empties a position and moves on", "123,456,789.01", 1,
       [](AmountField& f) { type(f, " "); }, "1_3,456,789.01", 2},
      {"other characters are discarded", empty, 0,
       [](AmountField& f) { type(f, "a-+x_"); }, empty, 0},
      {"backspace blanks the position before", "123,456,789.01", 4,
       [](AmountField& f) { f.backspace(); }, "12_,456,789.01", 2},
      {"backspace at the start does nothing", "123,456,789.01", 0,
       [](AmountField& f) { f.backspace(); }, "123,456,789.01", 0},
      {"delete blanks the position at the cursor", "123,456,789.01", 3,
       [](AmountField& f) { f.deleteForward(); }, "123,_56,789.01", 3},
      {"delete at the end does nothing", "123,456,789.01", 14,
       [](AmountField& f) { f.deleteForward(); }, "123,456,789.01", 14},
      {"paste types each character", empty, 0,
       [](AmountField& f) { f.paste("12.34"); }, "12_,___,___.34", 14},
      {"a digit replaces a selection", "123,456,789.01", 0,
       [](AmountField& f) {
         f.moveCursor(1);
         f.moveCursor(6, true);
         f.typeChar('9');
       },
       "19_,__6,789.01", 2},
      {"backspace blanks a selection", "123,456,789.01", 0,
       [](AmountField& f) {
         f.selectAll();
         f.backspace();
       },
       empty, 0},
      {"delete blanks a selection backwards", "123,456,789.01", 0,
       [](AmountField& f) {
         f.moveCursor(13);
         f.moveCursor(9, true);
         f.deleteForward();
       },
       "123,456,7__._1", 9},
      {"a malformed raw text is masked before editing", "abc", 0,
       [](AmountField& f) { type(f, "5"); }, "5__,___,___.__", 1},
  };
  for (const EditCase& c : cases) {
    AmountField f("MaskEdit1");
    f.setEditText(c.start);
    f.focusIn();
    f.moveCursor(c.cursor);
    c.action(f);
    EXPECT_EQ(f.editText(), c.editText) << c.what;
    EXPECT_EQ(f.cursor(), c.cursorAfter) << c.what;
  }
}

TEST(AmountFieldEditing, FocusPutsTheCursorAtTheStartWithoutSelection) {
  AmountField f("MaskEdit1");
  f.selectAll();
  f.focusIn();
  EXPECT_EQ(f.cursor(), 0);
  EXPECT_EQ(f.selectionLength(), 0);
}

TEST(AmountFieldEditing, EveryEditAnnouncesOneChangeAndNoChangeAnnouncesNothing) {
  AmountField f("MaskEdit1");
  int changes = 0;
  f.subscribe([&] { ++changes; });
  f.focusIn();
  f.typeChar('1');
  f.typeChar('x');
  f.backspace();  // blanks the 1 again: the cursor stood after it
  f.backspace();  // at the start: nothing to blank
  EXPECT_EQ(changes, 2);
}

TEST(AmountFieldEditing, APasteIsOneEditWithOneChange) {
  AmountField f("MaskEdit1");
  std::vector<std::string> seen;
  f.subscribe([&] { seen.push_back(f.editText()); });
  f.focusIn();
  f.paste("12.34");
  f.focusIn();
  f.paste("12");  // the same digits again: nothing changes
  f.paste("x");
  EXPECT_EQ(seen, std::vector<std::string>{"12_,___,___.34"});
}

TEST(AmountFieldReadings, TextHasBlanksEditTextHasUnderscores) {
  AmountField f("MaskEdit2");
  EXPECT_EQ(f.editText(), "___,___,___.__");
  EXPECT_EQ(f.text(), "   ,   ,   .  ");
  f.setText("___,__1,234.50");
  EXPECT_EQ(f.editText(), "___,__1,234.50");
  EXPECT_EQ(f.text(), "   ,  1,234.50");
}

TEST(AmountFieldReadings, SettingThroughTheMaskAndRaw) {
  const std::pair<std::string, std::string> masked[] = {
      {"", "___,___,___.__"},
      {"   ,  1,234.50", "___,__1,234.50"},
      {"123,456,789.01", "123,456,789.01"},
      {"12", "12_,___,___.__"},
      {"9,999,999,999.99", "9_9,9_9,9_9.9_"},
  };
  for (const auto& [in, out] : masked) {
    AmountField f("MaskEdit3");
    f.setText(in);
    EXPECT_EQ(f.editText(), out) << in;
  }
  AmountField raw("MaskEdit3");
  raw.setEditText("  1 2");
  EXPECT_EQ(raw.editText(), "  1 2");
}

// A raw edit text longer than the mask (a stored amount over 999,999,999.99)
// lets the cursor stand past 14; the first edit puts the text through the mask
// and brings the cursor back inside it.
TEST(AmountFieldEditing, AnEditOfALongerRawTextKeepsTheCursorInside) {
  const std::function<void(AmountField&)> edits[] = {
      [](AmountField& f) { f.typeChar('5'); },
      [](AmountField& f) { f.backspace(); },
      [](AmountField& f) { f.deleteForward(); },
  };
  for (const auto& edit : edits) {
    AmountField f("MaskEdit1");
    f.setEditText("1,234,567,890.00");
    f.moveCursor(16, true);
    f.setEditText("1,234,567,890.00");  // set again (a reload): the cursor stays at 16
    edit(f);
    EXPECT_EQ(f.editText().size(), 14u) << f.editText();
    EXPECT_LE(f.cursor(), 14);
    EXPECT_EQ(f.selectionLength(), 0);
  }
}

}  // namespace
}  // namespace form
