#pragma once
// What the files of the Win32 declaration window share: its window classes,
// the identifiers of its subclasses and menu, and small conversions.

#include <windows.h>

#include <string>

#include "app/win32/form_window.h"
#include "form/catalogue.h"

namespace app::win32 {

inline constexpr wchar_t kWindowClass[] = L"TForm1";
inline constexpr wchar_t kContainerClass[] = L"MuhtasarContainer";
inline constexpr UINT_PTR kSubclassId = 1;
inline constexpr UINT_PTR kIdentitySubclassId = 2;
inline constexpr UINT kFirstMenuId = 100;
// Posted after the first paint: build the rest of the form.
inline constexpr UINT kCompleteForm = WM_APP + 1;
// Width of the form's content, the widest of its components and their places.
inline constexpr int kContentWidth = 607;
// The payee list's rows end here in its own content.
inline constexpr int kPayeeContentHeight = 19 * form::kPayeeRows - 17 + 20 + 2;

inline COLORREF colourRef(form::Colour colour) {
  switch (colour) {
    case form::Colour::Maroon:
      return RGB(128, 0, 0);
    case form::Colour::Black:
      return RGB(0, 0, 0);
    case form::Colour::SystemWindow:
      return GetSysColor(COLOR_WINDOW);
    case form::Colour::ButtonFace:
      return GetSysColor(COLOR_BTNFACE);
  }
  return RGB(0, 0, 0);
}

inline FormWindow* ownerOf(HWND window) {
  HWND top = GetAncestor(window, GA_ROOT);
  return reinterpret_cast<FormWindow*>(GetWindowLongPtrW(top, GWLP_USERDATA));
}

inline std::wstring windowText(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), int(text.size()))));
  return text;
}

}  // namespace app::win32
