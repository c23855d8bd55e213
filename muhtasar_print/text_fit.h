#pragma once

#include <string>
#include <vector>

namespace muhtasar_print {

// The room a text has on paper, in twips, and the size it asks for.
struct TextRoom {
  double width = 0;
  double height = 0;  // for every line together
  double points = 0;  // the box's own size
  bool bold = false;
  int mostLines = 1;  // a payee row grows to three lines; other boxes hold what their height holds
  // A caption that the screen breaks at blanks in its box breaks where the
  // screen does, at the largest size that holds its lines, before anything
  // else is tried. The screen's box: its inner width and its font, in pixels.
  bool wrapsFirst = false;
  double screenWidth = 0;
  double screenPixels = 0;
};

// A text as it goes onto paper: one size, one or more lines.
struct FittedText {
  double points = 0;
  std::vector<std::string> lines;
  bool cut = false;  // the last line ends with "…" in place of what did not fit
};

inline constexpr double kSmallestPoints = 6;
// The cut mark, code page 1254.
inline constexpr char kEllipsis = '\x85';

// The height in twips of one line of text at a size.
double lineHeight(double points);

// Fits a code page 1254 text into its room: at the box's size when it fits;
// else on one line at a smaller size, down to 6 pt; else broken at blanks
// into as many lines as the room holds, at the largest size that allows;
// only then at 6 pt, cut at a character and marked with "…". Every line
// returned is measured to fit the width.
FittedText fitText(const std::string& text, const TextRoom& room);

}  // namespace muhtasar_print
