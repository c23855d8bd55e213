#pragma once
// The small windows that stand over the declaration window while it waits
// ("Beyanname Kontrolü", "Beyanname Geçmişi"): made, centred on their owner,
// and held until they say they are done.

#include <windows.h>

#include <string>

namespace app::win32 {

// A popup of its own class over owner, sized for the screen's scale; state
// goes into its user data.
HWND createPopup(HWND owner, HINSTANCE instance, const wchar_t* className, WNDPROC procedure,
                 const std::string& title, int width, int height, int dotsPerInch, void* state);

// Runs the popup's messages, with Enter and Esc as a dialog's, while the owner
// waits, until done; then the popup goes and the owner is active again.
void runModal(HWND owner, HWND popup, const bool& done);

// The state a popup's procedure keeps in its user data.
template <class State>
State* popupState(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(
                          reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  return reinterpret_cast<State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace app::win32
