// The Win32 declaration window's look: fonts and colours from the catalogue,
// and the red frame and tooltip of a field whose number does not hold.
#include "app/win32/form_window.h"

#include <commctrl.h>

#include "app/identity_hint.h"
#include "app/win32/form_window_parts.h"
#include "app/win32/win32_text.h"

namespace app::win32 {

HFONT FormWindow::fontOf(const form::Font& font) {
  const auto key = std::make_tuple(font.family, font.pixelHeight, font.bold, font.italic);
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second;
  HFONT made = CreateFontW(-scaled(font.pixelHeight), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                           font.italic, FALSE, FALSE, TURKISH_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           wideFromUtf8(font.family).c_str());
  fonts_.emplace(key, made);
  return made;
}

HBRUSH FormWindow::brushOf(form::Colour colour) {
  auto found = brushes_.find(colour);
  if (found != brushes_.end()) return found->second;
  return brushes_.emplace(colour, CreateSolidBrush(colourRef(colour))).first->second;
}

LRESULT FormWindow::colours(HDC dc, HWND control) {
  const auto found = components_.find(control);
  if (found == components_.end()) return reinterpret_cast<LRESULT>(brushOf(form::Colour::ButtonFace));
  const form::Component& c = *found->second;
  SetTextColor(dc, colourRef(c.font.colour));
  form::Colour background = c.background;
  if (c.kind == form::ComponentKind::TextField || c.kind == form::ComponentKind::AmountField)
    background = form::Colour::SystemWindow;
  if (c.kind == form::ComponentKind::Label) {
    // On the face of its container.
    SetBkMode(dc, TRANSPARENT);
    const auto panel =
        c.parent.empty() ? components_.end() : components_.find(FormWindow::control(c.parent));
    background =
        panel != components_.end() ? panel->second->background : form::Colour::ButtonFace;
  }
  SetBkColor(dc, colourRef(background));
  return reinterpret_cast<LRESULT>(brushOf(background));
}

std::wstring FormWindow::hintOf(const std::string& name) const {
  const auto found = hints_.find(control(name));
  return found == hints_.end() ? std::wstring() : found->second;
}

// Shows the hint of a field's text as the form holds it, whoever set it:
// typed, loaded, computed or carried over.
void FormWindow::showHint(HWND control, const std::string& utf8Hint) {
  const std::wstring hint = wideFromUtf8(utf8Hint);
  std::wstring& shown = hints_[control];
  if (hint == shown) return;
  shown = hint;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = shown.data();
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  // In the payee list neighbouring fields share their borders: the field
  // with the problem goes on top, so that its frame shows on all four sides.
  if (!hint.empty()) SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RedrawWindow(control, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void FormWindow::addHintTool(HWND control) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SetWindowSubclass(control, identityFieldProc, kIdentitySubclassId,
                    reinterpret_cast<DWORD_PTR>(this));
}

// The frame of a field whose hint says it does not hold is red.
LRESULT CALLBACK FormWindow::identityFieldProc(HWND control, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
  auto* window = reinterpret_cast<FormWindow*>(self);
  if (message == WM_NCPAINT && !window->hints_[control].empty()) {
    HDC dc = GetWindowDC(control);
    RECT frame{};
    GetWindowRect(control, &frame);
    OffsetRect(&frame, -frame.left, -frame.top);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FrameRect(dc, &frame, red);
    DeleteObject(red);
    ReleaseDC(control, dc);
  }
  return result;
}

}  // namespace app::win32
