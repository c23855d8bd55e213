#pragma once
// What the files of the Win32 print preview share: the sheet's size and the
// bounds of its zoom, and the colour of the desk behind the sheets.

#include <windows.h>

#include "printer.h"

namespace muhtasar_print::win32 {

// The declaration's sheets are A4 upright, in twips.
inline constexpr pagette::PageSize kSheet{11906, 16838};
inline constexpr double kTwipsPerInch = 1440;
inline constexpr double kFewestDotsPerInch = 24;
inline constexpr double kMostDotsPerInch = 400;
inline constexpr double kZoomStep = 1.25;
inline constexpr COLORREF kDesk = RGB(0x80, 0x80, 0x80);

}  // namespace muhtasar_print::win32
