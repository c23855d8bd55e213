#include "app/win32/check_list_window.h"

#include "app/win32/win32_text.h"

namespace app::win32 {
namespace {

constexpr wchar_t kListClass[] = L"MuhtasarCheckList";

struct ListState {
  HWND list = nullptr;
  bool done = false;
  int chosen = -1;
};

LRESULT CALLBACK listWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* state = reinterpret_cast<ListState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_COMMAND:
      // Enter comes as IDOK through IsDialogMessage, Esc as IDCANCEL.
      if (LOWORD(wParam) == IDOK || HIWORD(wParam) == LBN_DBLCLK) {
        state->chosen = int(SendMessageW(state->list, LB_GETCURSEL, 0, 0));
        state->done = true;
      } else if (LOWORD(wParam) == IDCANCEL) {
        state->done = true;
      }
      return 0;
    case WM_SIZE:
      if (state && state->list) MoveWindow(state->list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_CLOSE:
      state->done = true;
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

std::string showCheckList(HWND owner, HINSTANCE instance, int dotsPerInch,
                          const std::vector<check::CheckLine>& lines) {
  WNDCLASSEXW kind{};
  kind.cbSize = sizeof kind;
  kind.lpfnWndProc = listWindowProc;
  kind.hInstance = instance;
  kind.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  kind.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  kind.lpszClassName = kListClass;
  RegisterClassExW(&kind);

  ListState state;
  RECT place{};
  GetWindowRect(owner, &place);
  const int width = MulDiv(640, dotsPerInch, 96);
  const int height = MulDiv(360, dotsPerInch, 96);
  HWND window = CreateWindowExW(
      WS_EX_DLGMODALFRAME, kListClass, wideFromUtf8(check::kCheckWindowTitle).c_str(),
      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE,
      (place.left + place.right - width) / 2, (place.top + place.bottom - height) / 2, width,
      height, owner, nullptr, instance, &state);
  RECT inside{};
  GetClientRect(window, &inside);
  state.list = CreateWindowExW(0, L"LISTBOX", L"Findings",
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                                   LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                               0, 0, inside.right, inside.bottom, window, nullptr, instance, nullptr);
  SendMessageW(state.list, WM_SETFONT,
               reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  if (lines.empty()) {
    SendMessageW(state.list, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(wideFromUtf8(check::kNoFindings).c_str()));
  }
  for (const check::CheckLine& line : lines) {
    SendMessageW(state.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideFromUtf8(line.text).c_str()));
  }
  SendMessageW(state.list, LB_SETHORIZONTALEXTENT, MulDiv(1600, dotsPerInch, 96), 0);
  SendMessageW(state.list, LB_SETCURSEL, 0, 0);
  // Modal: the declaration window waits until the list is closed.
  EnableWindow(owner, FALSE);
  SetFocus(state.list);
  MSG message;
  while (!state.done && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  EnableWindow(owner, TRUE);
  DestroyWindow(window);
  SetActiveWindow(owner);
  if (state.chosen < 0 || state.chosen >= int(lines.size())) return "";
  return lines[std::size_t(state.chosen)].field;
}

}  // namespace app::win32
