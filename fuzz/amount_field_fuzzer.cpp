// Fuzzes the editing of an amount field with a stream of keys. Every byte is a
// key as the window forwards it; a few control bytes stand for the other
// editing requests and take their argument from the bytes that follow.
//
// After every key: the edit text keeps the mask's 14 positions (unless a raw
// edit text of another shape was set and no edit has touched it since), the
// cursor and the selection stay inside the text, and the change event is
// raised exactly when the edit text changed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "form/amount_field.h"
#include "finding.h"

namespace {

using form::AmountField;

enum Key : uint8_t {
  kFocusIn = 1,
  kSelectAll = 2,
  kMoveCursor = 3,       // next byte: the position, signed
  kExtendSelection = 4,  // next byte: the position, signed
  kPaste = 5,            // next byte: the length, then the pasted bytes
  kSetText = 6,          // next byte: the length, then the text
  kSetEditText = 7,      // next byte: the length, then the raw edit text
  kBackspace = 8,
  kDelete = 127,
};

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool hasMaskShape(const std::string& editText) {
  if (editText.size() != AmountField::kEmptyEditText.size()) return false;
  for (int i = 0; i < AmountField::kLength; ++i) {
    const char c = editText[static_cast<size_t>(i)];
    const bool fits = AmountField::isDigitPosition(i)
                          ? c == '_' || isDigit(c)
                          : c == AmountField::kEmptyEditText[static_cast<size_t>(i)];
    if (!fits) return false;
  }
  return true;
}

// A typed character that edits the text (and so puts it through the mask first).
bool edits(char c) {
  return isDigit(c) || c == ' ';
}

class KeyStream {
 public:
  KeyStream(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool done() const { return at_ >= size_; }
  uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::string_view bytes() {
    const size_t length = std::min<size_t>(byte(), size_ - at_);
    const std::string_view out(reinterpret_cast<const char*>(data_ + at_), length);
    at_ += length;
    return out;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  AmountField field("MaskEdit1");
  int changes = 0;
  field.subscribe([&changes] { ++changes; });
  // False while a raw edit text of another shape stands unedited.
  bool shaped = true;
  std::string rawText;

  KeyStream keys(data, size);
  while (!keys.done()) {
    const std::string before = field.editText();
    const int changesBefore = changes;
    const uint8_t key = keys.byte();
    switch (key) {
      case kFocusIn:
        field.focusIn();
        break;
      case kSelectAll:
        field.selectAll();
        break;
      case kMoveCursor:
      case kExtendSelection:
        field.moveCursor(static_cast<int8_t>(keys.byte()), key == kExtendSelection);
        break;
      case kPaste: {
        const std::string_view pasted = keys.bytes();
        field.paste(pasted);
        shaped = shaped || std::any_of(pasted.begin(), pasted.end(), edits);
        break;
      }
      case kSetText:
        field.setText(keys.bytes());
        shaped = true;
        break;
      case kSetEditText:
        rawText = keys.bytes();
        field.setEditText(rawText);
        if (field.editText() != rawText) fuzz::fail("a raw edit text was not kept as given");
        shaped = hasMaskShape(rawText);
        break;
      case kBackspace:
        field.backspace();
        shaped = true;
        break;
      case kDelete:
        field.deleteForward();
        shaped = true;
        break;
      default:
        field.typeChar(static_cast<char>(key));
        shaped = shaped || edits(static_cast<char>(key));
        break;
    }

    const std::string& text = field.editText();
    if (shaped && !hasMaskShape(text)) fuzz::fail("the edit text lost the mask's shape: " + text);
    if (!shaped && text != rawText) fuzz::fail("a key that edits nothing changed a raw edit text");
    const int expectedChanges = changesBefore + (text != before ? 1 : 0);
    if (changes != expectedChanges)
      fuzz::fail("change events " + std::to_string(changes - changesBefore) + " for «" + before +
                 "» to «" + text + "»");
    std::string blanked = text;
    std::replace(blanked.begin(), blanked.end(), '_', ' ');
    if (field.text() != blanked) fuzz::fail("the text is not the edit text with blanks");

    const int end = std::max<int>(AmountField::kLength, static_cast<int>(text.size()));
    if (field.cursor() < 0 || field.cursor() > end) fuzz::fail("the cursor left the text");
    if (field.selectionStart() < 0 || field.selectionLength() < 0 ||
        field.selectionStart() + field.selectionLength() > end)
      fuzz::fail("the selection left the text");
    if (field.selectedText().size() > static_cast<size_t>(field.selectionLength()))
      fuzz::fail("the selected text is longer than the selection");
  }
  return 0;
}
