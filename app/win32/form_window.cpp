#include "app/win32/form_window.h"

#include <commctrl.h>

#include <algorithm>

#include "app/focus_context.h"
#include "app/identity_hint.h"
#include "app/win32/win32_text.h"
#include "form/cp1254.h"
#include "form/key_filters.h"

namespace app::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"TForm1";
constexpr wchar_t kContainerClass[] = L"MuhtasarContainer";
constexpr UINT_PTR kSubclassId = 1;
constexpr UINT_PTR kIdentitySubclassId = 2;
constexpr UINT kFirstMenuId = 100;
// Posted after the first paint: build the rest of the form.
constexpr UINT kCompleteForm = WM_APP + 1;
// Width of the form's content, the widest of its components and their places.
constexpr int kContentWidth = 607;
// The payee list's rows end here in its own content.
constexpr int kPayeeContentHeight = 19 * form::kPayeeRows - 17 + 20 + 2;

COLORREF colourRef(form::Colour colour) {
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

FormWindow* ownerOf(HWND window) {
  HWND top = GetAncestor(window, GA_ROOT);
  return reinterpret_cast<FormWindow*>(GetWindowLongPtrW(top, GWLP_USERDATA));
}

std::wstring windowText(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), int(text.size()))));
  return text;
}

void registerClasses(HINSTANCE instance, WNDPROC windowProc, WNDPROC containerProc) {
  WNDCLASSEXW window{};
  window.cbSize = sizeof window;
  window.lpfnWndProc = windowProc;
  window.hInstance = instance;
  window.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window.lpszClassName = kWindowClass;
  window.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  RegisterClassExW(&window);
  WNDCLASSEXW container = window;
  container.lpfnWndProc = containerProc;
  container.lpszClassName = kContainerClass;
  container.hIcon = nullptr;
  RegisterClassExW(&container);
}

}  // namespace

FormWindow::FormWindow(ErrorReport& errors, period::CarryOverNotice& notice,
                       WindowCommands commands)
    : edge_(errors), notice_(notice), commands_(std::move(commands)) {}

FormWindow::~FormWindow() {
  if (window_) DestroyWindow(window_);
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (auto& [colour, brush] : brushes_) DeleteObject(brush);
}

HWND FormWindow::create(HINSTANCE instance) {
  instance_ = instance;
  registerClasses(instance, windowProc, containerProc);
  HDC screen = GetDC(nullptr);
  dotsPerInch_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);

  HMENU bar = CreateMenu();
  UINT id = kFirstMenuId;
  for (const MenuItem& item : kMenuItems) AppendMenuW(bar, MF_STRING, id++, wideFromUtf8(item.caption).c_str());

  const int width = scaled(kWindowWidth);
  const int height = scaled(kWindowHeight);
  RECT desktop{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &desktop, 0);
  const int left = (desktop.left + desktop.right - width) / 2;
  const int top = (desktop.top + desktop.bottom - height) / 2;
  window_ = CreateWindowExW(0, kWindowClass, wideFromUtf8(kWindowCaption).c_str(),
                            WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, left, top, width, height,
                            nullptr, bar, instance, this);
  return window_;
}

HWND FormWindow::control(const std::string& name) const {
  const auto found = byName_.find(name);
  return found == byName_.end() ? nullptr : found->second;
}

LRESULT CALLBACK FormWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self) return self->handle(message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

// Containers (the client area, its content, the panels, the payee list) hand
// what their controls tell them to the window.
LRESULT CALLBACK FormWindow::containerProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  FormWindow* self = ownerOf(window);
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      if (self) return self->handle(message, wParam, lParam);
      break;
    case WM_VSCROLL:
      if (self) {
        self->scrolled(window, wParam);
        return 0;
      }
      break;
    case WM_MOUSEWHEEL:
      if (self && self->scrollers_.count(window)) {
        const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
        self->scrollTo(window, self->scrollers_[window].position - notches * self->scaled(48));
        return 0;
      }
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      RECT client{};
      GetClientRect(window_, &client);
      tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                 instance_, nullptr);
      clientArea_ = makeScroller(window_, 0, 0, client.right, client.bottom, scaled(kContentWidth),
                                 scaled(form::kClientContentHeight), L"ClientArea");
      containers_ = {{"", scrollers_[clientArea_].content}};
      // What the window shows at start first; the payee list's 310 cells and
      // the rest once it has been painted.
      buildComponents(firstComponentBelow(kWindowHeight));
      return 0;
    }
    case WM_PAINT: {
      if (built_ < form::catalogue().size()) PostMessageW(window_, kCompleteForm, 0, 0);
      break;
    }
    case kCompleteForm:
      completeForm();
      return 0;
    case WM_DPICHANGED:
      rescale(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SIZE:
      if (clientArea_) {
        MoveWindow(clientArea_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        scrollTo(clientArea_, scrollers_[clientArea_].position);
      }
      return 0;
    case WM_COMMAND:
      if (lParam == 0 && HIWORD(wParam) == 0) {
        const UINT index = LOWORD(wParam) - kFirstMenuId;
        if (index < std::size(kMenuItems)) run(kMenuItems[index].command);
      } else {
        fieldChanged(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      }
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return colours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CLOSE:
      close();
      return 0;
    case WM_DESTROY:
      window_ = nullptr;
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

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
      if (takesIdentityNumber(c.name)) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        SetWindowSubclass(control, identityFieldProc, kIdentitySubclassId,
                          reinterpret_cast<DWORD_PTR>(this));
        showIdentityHint(control, field);
        field.subscribe([this, control, &field] { showIdentityHint(control, field); });
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

void FormWindow::FormCreate() {
  edge_.run([this] { commands_.startUp(form_, periodKey_); });
}

void FormWindow::shown() {
  // The first field lies at the top, in view, whether or not the form is complete.
  SetFocus(byName_.at(form::focusOrder().front()));
  if (commands_.holdPeriod && commands_.holdPeriod(periodKey_)) {
    MessageBoxW(window_, wideFromUtf8(kOpenElsewhereNotice).c_str(),
                wideFromUtf8(kApplicationTitle).c_str(), MB_OK | MB_ICONWARNING);
  }
}

void FormWindow::run(MenuCommand command) {
  switch (command) {
    case MenuCommand::UpdateComputedValues:
      edge_.run([this] { commands_.updateComputedValues(form_, periodKey_); });
      break;
    case MenuCommand::CarryOver:
      edge_.run([this] { commands_.carryOverPrevious(form_, periodKey_, notice_); });
      break;
    case MenuCommand::Print:
      edge_.run([this] { commands_.printDeclaration(form_, periodKey_); });
      break;
    case MenuCommand::Exit:
      close();
      break;
  }
}

// Çıkış, the close box and Alt+F4 all come here.
void FormWindow::close() {
  if (closesAfterSave(edge_, [this] { commands_.saveDeclaration(form_, periodKey_); },
                      exitWithoutSaving_)) {
    DestroyWindow(window_);
  }
}

bool FormWindow::takeKey(const MSG& message) {
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

std::wstring FormWindow::hintOf(const std::string& name) const {
  const auto found = hints_.find(control(name));
  return found == hints_.end() ? std::wstring() : found->second;
}

// Checks the text as the form holds it, whoever set it: typed, loaded,
// computed or carried over.
void FormWindow::showIdentityHint(HWND control, const form::TextField& field) {
  const std::wstring hint = wideFromUtf8(identityHint(field.name(), field.text()));
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

// The frame of a field with an invalid number is red.
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
