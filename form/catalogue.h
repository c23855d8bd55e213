#pragma once

#include <string>
#include <vector>

namespace form {

// The field catalogue of form "1003": every component of the window's client
// area, described once. The form model, the window, the focus order, the
// store's entry list and the print file's line list are all derived from it.
//
// Captions here are UTF-8 (they are the window's texts); field texts in the
// form model are code page 1254 and are converted once when the form is built.

enum class ComponentKind { TextField, AmountField, DisplayField, CheckBox, Label, Panel, ScrollBox };

enum class Colour { Maroon, Black, SystemWindow, ButtonFace };

enum class Alignment { Left, Centre };

struct Font {
  std::string family = "Arial";
  int pixelHeight = 11;
  bool bold = false;
  bool italic = false;
  Colour colour = Colour::Maroon;
};

struct Component {
  std::string name;
  ComponentKind kind;
  std::string parent;  // "" for the client area, else "Panel2", "Panel3", "Panel4" or "V"
  int left = 0;
  int top = 0;
  int width = 0;   // 0 for labels: they are sized to their text
  int height = 0;  // 0 for labels
  std::string caption;  // initial text or caption
  Font font;
  Alignment alignment = Alignment::Left;
  bool wordWrap = false;           // display fields wrap long captions at blanks
  Colour background = Colour::ButtonFace;
  bool captionLeftOfBox = false;   // the month boxes
  std::string changeHandler;       // handler of the text-changed event
  std::string keyHandler;          // handler of the key-typed event (a key filter)
};

// All components: panels and the scroll box before their children.
const std::vector<Component>& catalogue();

// Field names in the order that Tab visits them; panels and the scroll box are
// expanded at their place. Display fields and labels never take the focus.
const std::vector<std::string>& focusOrder();

// Field names built the way every loop of the program builds them.
std::string editName(int number);
std::string maskEditName(int number);
std::string staticTextName(int number);
std::string checkBoxName(int number);

// The check box of month 1..12 (January is CheckBox3, July CheckBox4).
int monthBoxNumber(int month);

// The numbers that name fields: amount fields pass over 24.
bool isAmountFieldNumber(int number);

// Client-area content height and the scroll box's content height, in pixels.
constexpr int kClientContentHeight = 1351;
constexpr int kPayeeRows = 62;

}  // namespace form
