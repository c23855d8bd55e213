#pragma once

#include <string>
#include <string_view>

#include "form/field.h"

namespace form {

// An amount field with the input mask "999,999,999.99;1;_": 14 positions, nine
// integer digit positions in three groups, the literals "," and "." kept in the
// text, "_" shown in every empty digit position.
//
// The field keeps its edit text (what the screen shows) and, for the window, a
// cursor and a selection. All editing happens here; the widget only forwards
// keys and draws the result.
class AmountField : public Field {
 public:
  static constexpr std::string_view kEmptyEditText = "___,___,___.__";
  static constexpr int kLength = 14;

  explicit AmountField(std::string name);

  // The text as shown, "_" in empty digit positions.
  const std::string& editText() const { return editText_; }
  // The same with a blank in place of every "_".
  std::string text() const;

  // Sets the text through the mask: every digit position takes the character
  // at the same place of the given text when it is a digit, else stays empty;
  // the literals stand where the mask puts them.
  void setText(std::string_view text);
  // Sets the text as shown, unchanged, bypassing the mask.
  void setEditText(std::string editText);

  // --- editing, as the window forwards it ---
  int cursor() const { return cursor_; }
  int selectionStart() const { return selStart_; }
  int selectionLength() const { return selLength_; }

  // Focus arrives: cursor at the start, nothing selected.
  void focusIn();
  // Places the cursor (0..14); with extend, the selection runs from the anchor
  // (the cursor before the first extending move) to the new position.
  void moveCursor(int position, bool extend = false);
  void selectAll();

  // A typed character: a digit fills the position at the cursor and moves on;
  // "." jumps to the decimals; "," jumps past the next ","; a blank empties the
  // position and moves on; anything else is discarded.
  void typeChar(char c);
  void backspace();
  void deleteForward();
  // Pasting types the pasted characters one by one, as one edit: one change
  // event at the end when the text changed.
  void paste(std::string_view text);
  // The selected part of the edit text, for copying.
  std::string selectedText() const;

  static bool isDigitPosition(int position);
  // The mask applied to any text, as setText does it.
  static std::string applyMask(std::string_view text);

 private:
  // typeChar without telling the listeners.
  void typeWithoutNotice(char c);
  void commitEdit(const std::string& before);
  // A raw edit text that does not have the mask's shape is put through the mask
  // before it is edited, so that editing never writes outside the 14 positions.
  void normalizeForEditing();
  bool clearSelection();
  void setCursorOnly(int position);

  std::string editText_;
  int cursor_ = 0;
  int selStart_ = 0;
  int selLength_ = 0;
  int anchor_ = 0;
};

}  // namespace form
