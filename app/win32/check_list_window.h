#pragma once
// The window "Beyanname Kontrolü" of the Win32 face: the check's findings,
// one a line, in a list box.

#include <windows.h>

#include <string>
#include <vector>

#include "check/form_values.h"

namespace app::win32 {

// Shows the lines over `owner`, which waits, until Enter or a double click
// chooses one (its field is returned) or Esc closes the list (nothing is
// returned).
std::string showCheckList(HWND owner, HINSTANCE instance, int dotsPerInch,
                          const std::vector<check::CheckLine>& lines);

// A list box of the popups, in the system's dialog font, and a line of it.
HWND addListBox(HWND parent, HINSTANCE instance, const wchar_t* name, DWORD style);
void addLine(HWND list, const std::string& utf8);

}  // namespace app::win32
