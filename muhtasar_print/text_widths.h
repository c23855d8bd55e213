#pragma once

#include <string_view>

namespace muhtasar_print {

// The width in twips of a code page 1254 text in Arial at a size in points:
// the sum of the characters' advance widths, as the face prints them without
// kerning. Kerning only ever narrows these texts, so a text measured to fit
// here fits on paper too. The table is the same on every system, so paper
// laid out on Linux and on Windows breaks and shrinks its texts alike.
double textWidth(std::string_view cp1254, double points, bool bold);

}  // namespace muhtasar_print
