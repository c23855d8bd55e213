// The Win32 declaration window: its classes, its messages, the start-up and
// the menu commands. Its controls are made in form_window_build.cpp, drawn in
// form_window_look.cpp and driven by keys in form_window_keys.cpp.
#include "app/win32/form_window.h"

#include <commctrl.h>

#include <iterator>

#include "app/focus_context.h"
#include "app/win32/check_list_window.h"
#include "app/win32/history_window.h"
#include "app/win32/form_window_parts.h"
#include "app/win32/win32_text.h"

namespace app::win32 {
namespace {

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
    case MenuCommand::Check:
      KontrolEt1Click();
      break;
    case MenuCommand::History:
      Gemi1Click();
      break;
    case MenuCommand::Exit:
      close();
      break;
  }
}

// The findings of the whole declaration; the one chosen takes the focus to
// its field, shown with its section heading.
void FormWindow::KontrolEt1Click() {
  HWND before = GetFocus();
  const std::string field = showCheckList(window_, instance_, dotsPerInch_,
                                          check::checkLinesOf(check::checkForm(form_)));
  completeForm();
  HWND chosen = field.empty() ? nullptr : control(field);
  if (!chosen) {
    if (before) SetFocus(before);
    return;
  }
  SetFocus(chosen);
  bringIntoView(chosen);
}

// The period's earlier versions; the one chosen comes into the form as a load
// would bring it, unsaved: the usual saves keep the one it replaces.
void FormWindow::Gemi1Click() {
  HistoryView view;
  if (!edge_.run([&] { view = historyViewOf(periodKey_); })) return;
  HWND before = GetFocus();
  const std::optional<period::Version> chosen =
      showHistory(window_, instance_, dotsPerInch_, view, form_);
  if (before) SetFocus(before);
  if (chosen) edge_.run([&] { period::restoreVersion(form_, *chosen); });
}

// Çıkış, the close box and Alt+F4 all come here.
void FormWindow::close() {
  if (closesAfterSave(edge_, [this] { commands_.saveDeclaration(form_, periodKey_); },
                      exitWithoutSaving_)) {
    DestroyWindow(window_);
  }
}

}  // namespace app::win32
