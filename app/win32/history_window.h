#pragma once
// The window "Beyanname Geçmişi" of the Win32 face: the period's versions on
// the left, the selected one's differences from the form on the right, and
// "Geri Yükle".

#include <windows.h>

#include <optional>

#include "app/history_view.h"

namespace app::win32 {

// Shows the versions, the newest selected, until Enter or "Geri Yükle"
// chooses one (returned) or Esc closes the window (nothing returned).
std::optional<period::Version> showHistory(HWND owner, HINSTANCE instance, int dotsPerInch,
                                           const HistoryView& view, const form::Form& form);

}  // namespace app::win32
