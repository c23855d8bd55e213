#include "app/win32/modal_popup.h"

#include "app/win32/win32_text.h"

namespace app::win32 {

HWND createPopup(HWND owner, HINSTANCE instance, const wchar_t* className, WNDPROC procedure,
                 const std::string& title, int width, int height, int dotsPerInch, void* state) {
  WNDCLASSEXW kind{};
  kind.cbSize = sizeof kind;
  kind.lpfnWndProc = procedure;
  kind.hInstance = instance;
  kind.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  kind.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  kind.lpszClassName = className;
  RegisterClassExW(&kind);
  RECT place{};
  GetWindowRect(owner, &place);
  width = MulDiv(width, dotsPerInch, 96);
  height = MulDiv(height, dotsPerInch, 96);
  return CreateWindowExW(WS_EX_DLGMODALFRAME, className, wideFromUtf8(title).c_str(),
                         WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE,
                         (place.left + place.right - width) / 2,
                         (place.top + place.bottom - height) / 2, width, height, owner, nullptr,
                         instance, state);
}

void runModal(HWND owner, HWND popup, const bool& done) {
  EnableWindow(owner, FALSE);
  MSG message;
  while (!done && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(popup, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  EnableWindow(owner, TRUE);
  DestroyWindow(popup);
  SetActiveWindow(owner);
}

}  // namespace app::win32
