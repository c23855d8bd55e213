#pragma once

#include <string>

namespace muhtasar_print {

// Qt's PDF writer rounds a page box to whole points: A4 comes out as 595 × 842
// instead of 595.276 × 841.890. It writes the box with six decimals, so the
// exact sizes take the place of the rounded ones byte for byte and every
// offset of the file's cross-reference table stays right.
std::string withExactA4PageBoxes(std::string pdf);

// The same for a PDF file, in place. Throws std::runtime_error when the file
// cannot be read or written.
void makeA4PageBoxesExact(const std::string& path);

}  // namespace muhtasar_print
