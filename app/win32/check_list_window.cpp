#include "app/win32/check_list_window.h"

#include "app/win32/modal_popup.h"
#include "app/win32/win32_text.h"

namespace app::win32 {
namespace {

struct ListState {
  HWND list = nullptr;
  bool done = false;
  int chosen = -1;
};

LRESULT CALLBACK listWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = popupState<ListState>(window, message, lParam);
  switch (message) {
    case WM_COMMAND:
      // Enter comes as IDOK through the dialog's keys, Esc as IDCANCEL.
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

HWND addListBox(HWND parent, HINSTANCE instance, const wchar_t* name, DWORD style) {
  HWND list = CreateWindowExW(0, L"LISTBOX", name,
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                                  LBS_NOINTEGRALHEIGHT | style,
                              0, 0, 0, 0, parent, nullptr, instance, nullptr);
  SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  SendMessageW(list, LB_SETHORIZONTALEXTENT, 2000, 0);
  return list;
}

void addLine(HWND list, const std::string& utf8) {
  SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideFromUtf8(utf8).c_str()));
}

std::string showCheckList(HWND owner, HINSTANCE instance, int dotsPerInch,
                          const std::vector<check::CheckLine>& lines) {
  ListState state;
  HWND window = createPopup(owner, instance, L"MuhtasarCheckList", listWindowProc,
                            check::kCheckWindowTitle, 640, 360, dotsPerInch, &state);
  state.list = addListBox(window, instance, L"Findings", LBS_NOTIFY);
  RECT inside{};
  GetClientRect(window, &inside);
  MoveWindow(state.list, 0, 0, inside.right, inside.bottom, FALSE);
  if (lines.empty()) addLine(state.list, check::kNoFindings);
  for (const check::CheckLine& line : lines) addLine(state.list, line.text);
  SendMessageW(state.list, LB_SETCURSEL, 0, 0);
  SetFocus(state.list);
  runModal(owner, window, state.done);
  if (state.chosen < 0 || state.chosen >= int(lines.size())) return "";
  return lines[std::size_t(state.chosen)].field;
}

}  // namespace app::win32
