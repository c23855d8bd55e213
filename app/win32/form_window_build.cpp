// The Win32 declaration window's controls: made from the catalogue, bound to
// the form model, and placed again at a change of scale.
#include "app/win32/form_window.h"

#include <commctrl.h>

#include "app/identity_hint.h"
#include "check/field_rules.h"
#include "check/form_values.h"
#include "app/win32/form_window_parts.h"
#include "app/win32/win32_text.h"
#include "form/key_filters.h"

namespace app::win32 {

HWND FormWindow::makeScroller(HWND parent, int left, int top, int width, int height,
                              int contentWidth, int contentHeight, const wchar_t* name) {
  HWND area = CreateWindowExW(0, kContainerClass, name,
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN, left, top,
                              width, height, parent, nullptr, instance_, nullptr);
  HWND content = CreateWindowExW(0, kContainerClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                 0, 0, contentWidth, contentHeight, area, nullptr, instance_, nullptr);
  scrollers_[area] = Scroller{content, contentHeight, 0};
  // Flat scroll bars, as the screen form has them.
  InitializeFlatSB(area);
  FlatSB_SetScrollProp(area, WSB_PROP_VSTYLE, FSB_FLAT_MODE, FALSE);
  scrollTo(area, 0);
  return area;
}

void FormWindow::buildComponents(std::size_t end) {
  const auto& catalogue = form::catalogue();
  for (; built_ < end; ++built_) {
    const form::Component& c = catalogue[built_];
    HWND control = makeControl(c, containers_.at(c.parent));
    if (c.kind == form::ComponentKind::Panel) containers_.emplace(c.name, control);
    if (c.kind == form::ComponentKind::ScrollBox)
      containers_.emplace(c.name, scrollers_[control].content);
    byName_.emplace(c.name, control);
    components_.emplace(control, &c);
    bind(c, control);
    // Labels lie under every field and box that overlaps them, as on the paper form.
    if (c.kind == form::ComponentKind::Label)
      SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

// The rest of the form and the focus order that runs through all of it.
void FormWindow::completeForm() {
  if (!focusOrder_.empty()) return;
  buildComponents(form::catalogue().size());
  for (const std::string& name : form::focusOrder()) focusOrder_.push_back(byName_.at(name));
}

HWND FormWindow::makeControl(const form::Component& c, HWND parent) {
  const std::wstring name = wideFromUtf8(c.name);
  const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  int width = c.width;
  int height = c.height;
  const wchar_t* kind = L"STATIC";
  DWORD style = child;
  std::wstring text = wideFromUtf8(c.caption);
  switch (c.kind) {
    case form::ComponentKind::TextField:
      kind = L"EDIT";
      style |= WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
      text = wideFromCp1254(form_.edit(c.name).text());
      break;
    case form::ComponentKind::AmountField:
      kind = L"EDIT";
      style |= WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
      text = wideFromCp1254(form_.maskEdit(c.name).editText());
      break;
    case form::ComponentKind::DisplayField:
      style |= WS_BORDER | SS_NOPREFIX |
               (c.alignment == form::Alignment::Centre ? SS_CENTER : SS_LEFT) |
               (c.wordWrap ? 0 : SS_CENTERIMAGE);
      text = wideFromCp1254(form_.staticText(c.name).caption());
      break;
    case form::ComponentKind::CheckBox:
      kind = L"BUTTON";
      style |= BS_AUTOCHECKBOX | WS_TABSTOP | (c.captionLeftOfBox ? BS_LEFTTEXT | BS_RIGHT : 0);
      break;
    case form::ComponentKind::Label:
      style |= SS_NOPREFIX | (c.alignment == form::Alignment::Centre ? SS_CENTER : SS_LEFT);
      break;
    case form::ComponentKind::Panel:
    case form::ComponentKind::ScrollBox:
      break;
  }
  HFONT font = fontOf(c.font);
  if (c.kind == form::ComponentKind::Label && (width == 0 || height == 0)) {
    const SIZE size = labelSize(text, font, parent);
    width = size.cx;
    height = size.cy;
  }
  HWND control = nullptr;
  if (c.kind == form::ComponentKind::Panel) {
    control = CreateWindowExW(0, kContainerClass, name.c_str(), child | WS_BORDER | WS_CLIPCHILDREN,
                              scaled(c.left), scaled(c.top), scaled(width), scaled(height), parent,
                              nullptr, instance_, nullptr);
  } else if (c.kind == form::ComponentKind::ScrollBox) {
    control = makeScroller(parent, scaled(c.left), scaled(c.top), scaled(width), scaled(height),
                           scaled(width) - GetSystemMetrics(SM_CXVSCROLL), scaled(kPayeeContentHeight),
                           name.c_str());
  } else {
    control = CreateWindowExW(0, kind, text.c_str(), style, scaled(c.left), scaled(c.top),
                              scaled(width), scaled(height), parent, nullptr, instance_, nullptr);
  }
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // The edit's own margins would hide the last digits of an amount: one dot
  // inside the border, as the screen form has it.
  if (c.kind == form::ComponentKind::TextField || c.kind == form::ComponentKind::AmountField) {
    SendMessageW(control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                 MAKELPARAM(scaled(1), scaled(1)));
  }
  return control;
}

// A label is sized to its text, as the screen form's labels are: in pixels
// of 96 dpi, for the font at the current scale.
SIZE FormWindow::labelSize(const std::wstring& text, HFONT font, HWND parent) const {
  HDC dc = GetDC(parent);
  HGDIOBJ before = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, before);
  ReleaseDC(parent, dc);
  return {MulDiv(size.cx, 96, dotsPerInch_), MulDiv(metrics.tmHeight, 96, dotsPerInch_)};
}

// Moved to a screen of another scale: every place and font again, at the new one.
void FormWindow::rescale(int dotsPerInch, const RECT& suggested) {
  std::map<std::tuple<std::string, int, bool, bool>, HFONT> oldFonts;
  oldFonts.swap(fonts_);
  dotsPerInch_ = dotsPerInch;
  for (const auto& [control, c] : components_) {
    HFONT font = fontOf(c->font);
    if (c->kind != form::ComponentKind::Panel && c->kind != form::ComponentKind::ScrollBox)
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    int width = c->width;
    int height = c->height;
    if (c->kind == form::ComponentKind::Label && (width == 0 || height == 0)) {
      const SIZE size = labelSize(windowText(control), font, GetParent(control));
      width = size.cx;
      height = size.cy;
    }
    MoveWindow(control, scaled(c->left), scaled(c->top), scaled(width), scaled(height), FALSE);
    if (c->kind == form::ComponentKind::TextField || c->kind == form::ComponentKind::AmountField) {
      SendMessageW(control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                   MAKELPARAM(scaled(1), scaled(1)));
    }
  }
  for (auto& [area, scroller] : scrollers_) {
    const bool client = area == clientArea_;
    scroller.height = scaled(client ? form::kClientContentHeight : kPayeeContentHeight);
    RECT inside{};
    GetClientRect(area, &inside);
    SetWindowPos(scroller.content, nullptr, 0, 0, client ? scaled(kContentWidth) : inside.right,
                 scroller.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  for (auto& [area, scroller] : scrollers_) scrollTo(area, scroller.position);
  for (auto& [key, font] : oldFonts) DeleteObject(font);
  InvalidateRect(window_, nullptr, TRUE);
}

void FormWindow::bind(const form::Component& c, HWND control) {
  switch (c.kind) {
    case form::ComponentKind::TextField: {
      form::TextField& field = form_.edit(c.name);
      if (takesTextFieldHint(c.name)) {
        addHintTool(control);
        auto show = [this, control, &field] { showHint(control, textFieldHint(field.name(), field.text())); };
        show();
        field.subscribe(show);
      }
      field.subscribe([this, control, &field] {
        const std::wstring text = wideFromCp1254(field.text());
        if (windowText(control) == text) return;
        showing_ = true;
        SetWindowTextW(control, text.c_str());
        showing_ = false;
      });
      if (form::keyFilterFor(c.keyHandler) != nullptr)
        SetWindowSubclass(control, filteredFieldProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
      break;
    }
    case form::ComponentKind::AmountField: {
      form::AmountField& field = form_.maskEdit(c.name);
      field.subscribe([this, control, &field] { showAmount(control, field); });
      SetWindowSubclass(control, amountFieldProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
      // A tax amount above its gross amount is framed as it is typed.
      const std::string gross = check::grossFieldOf(c.name);
      if (!gross.empty()) {
        addHintTool(control);
        auto show = [this, control, name = c.name] {
          showHint(control, check::formFieldProblem(form_, name));
        };
        show();
        field.subscribe(show);
        form_.maskEdit(gross).subscribe(show);
      }
      break;
    }
    case form::ComponentKind::DisplayField: {
      form::DisplayField& field = form_.staticText(c.name);
      field.subscribe([control, &field] {
        SetWindowTextW(control, wideFromCp1254(field.caption()).c_str());
      });
      break;
    }
    case form::ComponentKind::CheckBox: {
      form::CheckBox& field = form_.checkBox(c.name);
      SendMessageW(control, BM_SETCHECK, field.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
      field.subscribe([control, &field] {
        SendMessageW(control, BM_SETCHECK, field.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
      });
      break;
    }
    default:
      break;
  }
}

// What the user typed or clicked goes to the form; its handlers run through the edge.
void FormWindow::fieldChanged(HWND control, WORD notification) {
  const auto found = components_.find(control);
  if (found == components_.end() || showing_) return;
  const form::Component& c = *found->second;
  if (c.kind == form::ComponentKind::TextField && notification == EN_CHANGE) {
    const std::string text = cp1254FromWide(windowText(control));
    edge_.run([&] { form_.edit(c.name).setText(text); });
  } else if (c.kind == form::ComponentKind::CheckBox && notification == BN_CLICKED) {
    const bool checked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    edge_.run([&] { form_.checkBox(c.name).setChecked(checked); });
  }
}

}  // namespace app::win32
