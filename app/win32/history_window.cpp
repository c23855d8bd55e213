#include "app/win32/history_window.h"

#include "app/win32/check_list_window.h"
#include "app/win32/modal_popup.h"
#include "app/win32/win32_text.h"

namespace app::win32 {
namespace {

constexpr int kRestoreId = 1;

struct HistoryState {
  const HistoryView* view = nullptr;
  const form::Form* form = nullptr;
  HWND versions = nullptr;
  HWND differences = nullptr;
  HWND restore = nullptr;
  int dotsPerInch = 96;
  bool done = false;
  int chosen = -1;
};

void showDifferences(HistoryState& state) {
  SendMessageW(state.differences, LB_RESETCONTENT, 0, 0);
  const int row = int(SendMessageW(state.versions, LB_GETCURSEL, 0, 0));
  if (row < 0 || row >= int(state.view->versions.size())) return;
  const auto lines = differencesOf(state.view->versions[std::size_t(row)], *state.form);
  if (lines.empty()) addLine(state.differences, kNoDifferences);
  for (const std::string& line : lines) addLine(state.differences, line);
}

// The versions on the left third, the differences beside them, the button below.
void layOut(const HistoryState& state, int width, int height) {
  const int gap = MulDiv(6, state.dotsPerInch, 96);
  const int button = MulDiv(26, state.dotsPerInch, 96);
  const int listHeight = height - button - 2 * gap;
  MoveWindow(state.versions, 0, 0, width / 3, listHeight, TRUE);
  MoveWindow(state.differences, width / 3 + gap, 0, width - width / 3 - gap, listHeight, TRUE);
  const int buttonWidth = MulDiv(110, state.dotsPerInch, 96);
  MoveWindow(state.restore, width - buttonWidth - gap, listHeight + gap, buttonWidth, button, TRUE);
}

void choose(HistoryState& state) {
  state.chosen = int(SendMessageW(state.versions, LB_GETCURSEL, 0, 0));
  state.done = true;
}

LRESULT CALLBACK historyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = popupState<HistoryState>(window, message, lParam);
  switch (message) {
    case WM_COMMAND:
      // Enter comes as IDOK through the dialog's keys, Esc as IDCANCEL.
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == kRestoreId ||
          (HIWORD(wParam) == LBN_DBLCLK && reinterpret_cast<HWND>(lParam) == state->versions)) {
        choose(*state);
      } else if (LOWORD(wParam) == IDCANCEL) {
        state->done = true;
      } else if (HIWORD(wParam) == LBN_SELCHANGE) {
        showDifferences(*state);
      }
      return 0;
    case WM_SIZE:
      if (state && state->restore) layOut(*state, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_CLOSE:
      state->done = true;
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

std::optional<period::Version> showHistory(HWND owner, HINSTANCE instance, int dotsPerInch,
                                           const HistoryView& view, const form::Form& form) {
  HistoryState state;
  state.view = &view;
  state.form = &form;
  state.dotsPerInch = dotsPerInch;
  HWND window = createPopup(owner, instance, L"MuhtasarHistory", historyWindowProc,
                            kHistoryWindowTitle, 820, 420, dotsPerInch, &state);
  state.versions = addListBox(window, instance, L"Versions", LBS_NOTIFY);
  state.differences = addListBox(window, instance, L"Differences", LBS_NOSEL);
  state.restore = CreateWindowExW(0, L"BUTTON", wideFromUtf8(kRestoreButton).c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0,
                                  window, reinterpret_cast<HMENU>(kRestoreId), instance, nullptr);
  SendMessageW(state.restore, WM_SETFONT,
               reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  EnableWindow(state.restore, !view.versions.empty());
  RECT inside{};
  GetClientRect(window, &inside);
  layOut(state, inside.right, inside.bottom);
  if (view.versions.empty()) addLine(state.versions, kNoVersions);
  for (const std::string& label : view.labels) addLine(state.versions, label);
  SendMessageW(state.versions, LB_SETCURSEL, 0, 0);
  showDifferences(state);
  SetFocus(state.versions);
  runModal(owner, window, state.done);
  if (state.chosen < 0 || state.chosen >= int(view.versions.size())) return std::nullopt;
  return view.versions[std::size_t(state.chosen)];
}

}  // namespace app::win32
