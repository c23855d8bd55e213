// The Win32 declaration window's keys and focus: Enter and Tab through the
// focus order, a field brought into view with its heading, the scroll areas,
// and the amount fields' editing through the form model.
#include "app/win32/form_window.h"

#include <commctrl.h>

#include <algorithm>

#include "app/focus_context.h"
#include "app/win32/form_window_parts.h"
#include "app/win32/win32_text.h"
#include "form/cp1254.h"
#include "help/win32/open_guide.h"
#include "period/io_error.h"
#include "form/key_filters.h"

namespace app::win32 {

void FormWindow::scrollTo(HWND area, int position) {
  Scroller& scroller = scrollers_[area];
  RECT visible{};
  GetClientRect(area, &visible);
  const int page = visible.bottom;
  scroller.position = std::clamp(position, 0, std::max(0, scroller.height - page));
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMax = scroller.height - 1;
  info.nPage = static_cast<UINT>(page);
  info.nPos = scroller.position;
  FlatSB_SetScrollInfo(area, SB_VERT, &info, TRUE);
  SetWindowPos(scroller.content, nullptr, 0, -scroller.position, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::scrolled(HWND area, WPARAM request) {
  if (!scrollers_.count(area)) return;
  const Scroller& scroller = scrollers_[area];
  RECT visible{};
  GetClientRect(area, &visible);
  int position = scroller.position;
  switch (LOWORD(request)) {
    case SB_LINEUP: position -= scaled(20); break;
    case SB_LINEDOWN: position += scaled(20); break;
    case SB_PAGEUP: position -= visible.bottom; break;
    case SB_PAGEDOWN: position += visible.bottom; break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = scroller.height; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      FlatSB_GetScrollInfo(area, SB_VERT, &info);
      position = info.nTrackPos;
      break;
    }
    default: return;
  }
  scrollTo(area, position);
}

bool FormWindow::takeKey(const MSG& message) {
  // F1: the guide, whatever has the focus.
  if (message.message == WM_KEYDOWN && message.wParam == VK_F1) {
    edge_.run([] {
      const std::string failure = help::openGuide();
      if (!failure.empty()) throw period::Error(failure);
    });
    return true;
  }
  if (message.message != WM_KEYDOWN || (message.wParam != VK_RETURN && message.wParam != VK_TAB))
    return false;
  completeForm();
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  const int current = focusIndexOf(GetFocus());
  if (current < 0 && GetAncestor(GetFocus(), GA_ROOT) != window_) return false;
  const int count = static_cast<int>(focusOrder_.size());
  const bool back = message.wParam == VK_TAB && GetKeyState(VK_SHIFT) < 0;
  if (back) {
    focusField(current < 0 ? count - 1 : (current + count - 1) % count);
  } else {
    focusField(current < 0 ? 0 : (current + 1) % count);
  }
  return true;
}

int FormWindow::focusIndexOf(HWND control) const {
  const auto found = std::find(focusOrder_.begin(), focusOrder_.end(), control);
  return found == focusOrder_.end() ? -1 : static_cast<int>(found - focusOrder_.begin());
}

void FormWindow::focusField(int index) {
  HWND field = focusOrder_.at(static_cast<std::size_t>(index));
  SetFocus(field);
  bringIntoView(field);
}

// A field comes into view with the heading of its section where both fit.
void FormWindow::bringIntoView(HWND field) {
  for (auto& [area, scroller] : scrollers_) {
    if (area == clientArea_ || !IsChild(scroller.content, field)) continue;
    RECT place{};
    GetWindowRect(field, &place);
    MapWindowPoints(nullptr, scroller.content, reinterpret_cast<POINT*>(&place), 2);
    RECT visible{};
    GetClientRect(area, &visible);
    scrollTo(area, scrolledTo(scroller.position, place.top, place.bottom - 1, visible.bottom, 0));
  }
  Scroller& client = scrollers_[clientArea_];
  RECT place{};
  GetWindowRect(field, &place);
  MapWindowPoints(nullptr, client.content, reinterpret_cast<POINT*>(&place), 2);
  RECT visible{};
  GetClientRect(clientArea_, &visible);
  const int context = scaled(sectionTopOf(MulDiv(place.top, 96, dotsPerInch_)));
  scrollTo(clientArea_, scrolledTo(client.position, place.top, place.bottom - 1, visible.bottom,
                                   scaled(kScrollMargin), context));
}

void FormWindow::showAmount(HWND control, const form::AmountField& field) {
  showing_ = true;
  const std::wstring text = wideFromCp1254(field.editText());
  if (windowText(control) != text) SetWindowTextW(control, text.c_str());
  const int start = field.selectionLength() > 0 ? field.selectionStart() : field.cursor();
  SendMessageW(control, EM_SETSEL, start, start + field.selectionLength());
  showing_ = false;
}

// The amount field's keys go to the form's amount editing; the control only
// shows the text and the caret.
LRESULT CALLBACK FormWindow::amountFieldProc(HWND control, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  auto* window = reinterpret_cast<FormWindow*>(self);
  const auto found = window->components_.find(control);
  if (found == window->components_.end()) return DefSubclassProc(control, message, wParam, lParam);
  return window->amountKey(control, window->form_.maskEdit(found->second->name), message, wParam,
                           lParam);
}

LRESULT FormWindow::amountKey(HWND control, form::AmountField& field, UINT message, WPARAM wParam,
                              LPARAM lParam) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  bool handled = true;
  edge_.run([&] {
    switch (message) {
      case WM_SETFOCUS:
        DefSubclassProc(control, message, wParam, lParam);
        field.focusIn();
        break;
      case WM_CHAR:
        if (wParam == VK_BACK) {
          field.backspace();
        } else if (wParam >= 0x20 && !ctrl) {
          field.typeChar(form::unicodeToCp1254(static_cast<char32_t>(wParam)));
        }
        break;
      case WM_KEYDOWN:
        switch (wParam) {
          case VK_DELETE:
            field.deleteForward();
            break;
          case VK_HOME:
            field.moveCursor(0, shift);
            break;
          case VK_END:
            field.moveCursor(form::AmountField::kLength, shift);
            break;
          case VK_LEFT:
            field.moveCursor(std::max(0, field.cursor() - 1), shift);
            break;
          case VK_RIGHT:
            field.moveCursor(std::min(form::AmountField::kLength, field.cursor() + 1), shift);
            break;
          case 'A':
            if (ctrl) field.selectAll(); else handled = false;
            break;
          default:
            handled = false;
        }
        break;
      case WM_PASTE:
        if (OpenClipboard(control)) {
          if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
              field.paste(cp1254FromWide(text));
              GlobalUnlock(data);
            }
          }
          CloseClipboard();
        }
        break;
      case WM_CUT:
        DefSubclassProc(control, WM_COPY, 0, 0);
        field.deleteForward();
        break;
      case WM_LBUTTONUP: {
        const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
        DWORD from = 0, to = 0;
        SendMessageW(control, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        field.moveCursor(int(from));
        if (to > from) field.moveCursor(int(to), true);
        (void)result;
        break;
      }
      default:
        handled = false;
    }
  });
  if (!handled) return DefSubclassProc(control, message, wParam, lParam);
  showAmount(control, field);
  return 0;
}

// A count or rate field: each typed character through its key filter first.
LRESULT CALLBACK FormWindow::filteredFieldProc(HWND control, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  auto* window = reinterpret_cast<FormWindow*>(self);
  if (message == WM_CHAR) {
    const auto found = window->components_.find(control);
    if (found != window->components_.end()) {
      const form::KeyFilter filter = form::keyFilterFor(found->second->keyHandler);
      const std::string text = cp1254FromWide(windowText(control));
      const char key = form::unicodeToCp1254(static_cast<char32_t>(wParam));
      if (filter && filter(text, key) == 0) return 0;
    }
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace app::win32
