// The Win32 print preview: its window, buttons, keys and report bar, and its
// commands (print with pagette.exe, save as PDF, close). The sheets are drawn,
// zoomed and scrolled in preview_pages.cpp.
#include "muhtasar_print/win32/preview_window.h"

#include <commdlg.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>

#include "gdi_printer.h"
#include "help/win32/open_guide.h"
#include "muhtasar_print/job_drawing.h"
#include "muhtasar_print/print_command.h"
#include "muhtasar_print/win32/paper_output_windows.h"
#include "muhtasar_print/win32/preview_parts.h"
#include "muhtasar_print/win32/wide_text.h"

namespace muhtasar_print::win32 {
namespace {

enum Command : int {
  kPrint = 101,
  kSavePdf,
  kClose,
  kPreviousPage,
  kNextPage,
  kZoomIn,
  kZoomOut,
  kFitPage,
  kFitWidth,
  kHelp,
};

struct Button {
  Command command;
  const char* caption;
  bool pageNumberAfter;  // the page number stands after it
};

// The same commands, in the same order, as the preview on Linux.
constexpr Button kButtons[] = {
    {kPrint, "&Yazdır", false},
    {kSavePdf, "&PDF Olarak Kaydet", false},
    {kClose, "&Kapat", false},
    {kPreviousPage, "Önceki Sayfa", false},
    {kNextPage, "Sonraki Sayfa", true},
    {kZoomIn, "Yakınlaştır", false},
    {kZoomOut, "Uzaklaştır", false},
    {kFitPage, "Sayfaya Sığdır", false},
    {kFitWidth, "Genişliğe Sığdır", false},
};

constexpr ACCEL kKeys[] = {
    {FVIRTKEY | FCONTROL, 'P', kPrint},
    {FVIRTKEY | FCONTROL, 'S', kSavePdf},
    {FVIRTKEY, VK_ESCAPE, kClose},
    {FVIRTKEY, VK_PRIOR, kPreviousPage},
    {FVIRTKEY, VK_NEXT, kNextPage},
    // "+" is a shifted key on some keyboards and a key of its own on others.
    {FVIRTKEY | FCONTROL, VK_OEM_PLUS, kZoomIn},
    {FVIRTKEY | FCONTROL | FSHIFT, VK_OEM_PLUS, kZoomIn},
    {FVIRTKEY | FCONTROL, VK_ADD, kZoomIn},
    {FVIRTKEY | FCONTROL, VK_OEM_MINUS, kZoomOut},
    {FVIRTKEY | FCONTROL, VK_SUBTRACT, kZoomOut},
    {FVIRTKEY | FCONTROL, '0', kFitPage},
    {FVIRTKEY | FCONTROL, '1', kFitWidth},
    {FVIRTKEY, VK_F1, kHelp},
};

constexpr const wchar_t* kWindowClass = L"MuhtasarPrintPreview";
constexpr const wchar_t* kPagesClass = L"MuhtasarPrintPages";
constexpr COLORREF kReportBackground = RGB(0xff, 0xf4, 0xce);
constexpr COLORREF kReportText = RGB(0x3b, 0x2f, 0x00);

// How many sheets the job draws on: laid out once without drawing any.
int sheetsOf(const std::string& job) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  int count = 0;
  {
    std::unique_ptr<pagette::GdiPrinter> printer =
        pagette::GdiPrinter::drawOn(dc, 96, 96, kSheet, INT_MAX);
    drawJob(job, *printer);
    count = printer->sheetCount();
  }
  DeleteDC(dc);
  return count;
}

std::wstring joinedLines(const std::vector<std::string>& lines) {
  std::wstring text;
  for (const std::string& line : lines) {
    if (!text.empty()) text += L"\r\n";
    text += wideOf(line);
  }
  return text;
}

}  // namespace

PreviewWindow::PreviewWindow(std::string job, std::string pdfName, std::string pdfTitle,
                             std::wstring pagetteProgram, const std::vector<std::string>& reports)
    : job_(std::move(job)),
      pdfName_(std::move(pdfName)),
      pdfTitle_(std::move(pdfTitle)),
      pagetteProgram_(std::move(pagetteProgram)),
      reports_(joinedLines(reports)) {}

PreviewWindow::~PreviewWindow() {
  if (keys_) DestroyAcceleratorTable(keys_);
  if (font_) DeleteObject(font_);
  if (reportBrush_) DeleteObject(reportBrush_);
}

bool PreviewWindow::create(HINSTANCE instance) {
  instance_ = instance;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = route<&PreviewWindow::window_, &PreviewWindow::handle>;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);
  windowClass.lpfnWndProc = route<&PreviewWindow::pages_, &PreviewWindow::handlePages>;
  windowClass.hbrBackground = CreateSolidBrush(kDesk);
  windowClass.lpszClassName = kPagesClass;
  RegisterClassExW(&windowClass);
  keys_ = CreateAcceleratorTableW(const_cast<ACCEL*>(kKeys), static_cast<int>(std::size(kKeys)));
  reportBrush_ = CreateSolidBrush(kReportBackground);

  HDC screen = GetDC(nullptr);
  screenDotsPerInch_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  try {
    pageCount_ = sheetsOf(job_);
  } catch (const std::exception& failure) {
    showError(failure.what());
    return false;
  }
  CreateWindowExW(0, kWindowClass, wideOf(kPreviewTitle).c_str(), WS_OVERLAPPEDWINDOW,
                  CW_USEDEFAULT, CW_USEDEFAULT, scaled(900), scaled(1000), nullptr, nullptr,
                  instance, this);
  return window_ != nullptr;
}

// Both window classes reach this object: it comes with the creation and
// stays in the window's user data; the window's handle is kept in `place`.
template <HWND PreviewWindow::*place,
          LRESULT (PreviewWindow::*handler)(UINT message, WPARAM wParam, LPARAM lParam)>
LRESULT CALLBACK PreviewWindow::route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<PreviewWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<PreviewWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->*place = window;
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return (self->*handler)(message, wParam, lParam);
}

void PreviewWindow::createControls() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  metrics.lfMessageFont.lfHeight = -scaled(12);
  if (font_) DeleteObject(font_);
  font_ = CreateFontIndirectW(&metrics.lfMessageFont);
  if (buttons_.empty()) {
    for (const Button& button : kButtons) {
      buttons_.push_back(CreateWindowExW(0, L"BUTTON", wideOf(button.caption).c_str(),
                                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0,
                                         0, 0, window_,
                                         reinterpret_cast<HMENU>(INT_PTR(button.command)),
                                         instance_, nullptr));
    }
    pageNumber_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 0, 0, 0,
                                  window_, nullptr, instance_, nullptr);
    reportBar_ = CreateWindowExW(0, L"STATIC", reports_.c_str(),
                                 WS_CHILD | (reports_.empty() ? 0 : WS_VISIBLE) | SS_LEFT |
                                     SS_NOPREFIX,
                                 0, 0, 0, 0, window_, nullptr, instance_, nullptr);
    pages_ = CreateWindowExW(0, kPagesClass, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL |
                                                      WS_TABSTOP,
                             0, 0, 0, 0, window_, nullptr, instance_, this);
  }
  for (HWND control : buttons_) SendMessageW(control, WM_SETFONT, WPARAM(font_), TRUE);
  SendMessageW(pageNumber_, WM_SETFONT, WPARAM(font_), TRUE);
  SendMessageW(reportBar_, WM_SETFONT, WPARAM(font_), TRUE);
}

// The buttons in a row as wide as their captions, the report bar below them
// as high as its lines, and the pages in the rest.
void PreviewWindow::layOut() {
  RECT client{};
  GetClientRect(window_, &client);
  HDC dc = GetDC(window_);
  HGDIOBJ before = SelectObject(dc, font_);
  const int rowHeight = scaled(28);
  int x = scaled(4);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const std::wstring caption = wideOf(kButtons[i].caption);
    RECT text{};
    DrawTextW(dc, caption.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
    const int width = text.right + scaled(18);
    MoveWindow(buttons_[i], x, scaled(3), width, rowHeight - scaled(6), TRUE);
    x += width + scaled(2);
    if (kButtons[i].pageNumberAfter) {
      MoveWindow(pageNumber_, x, scaled(7), scaled(96), rowHeight - scaled(10), TRUE);
      x += scaled(100);
    }
  }
  int top = rowHeight;
  if (!reports_.empty()) {
    RECT text{0, 0, client.right - scaled(12), 0};
    DrawTextW(dc, reports_.c_str(), -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    const int height = text.bottom + scaled(12);
    MoveWindow(reportBar_, 0, top, client.right, height, TRUE);
    top += height;
  }
  SelectObject(dc, before);
  ReleaseDC(window_, dc);
  MoveWindow(pages_, 0, top, client.right, std::max<LONG>(client.bottom - top, 0), TRUE);
  if (shownDotsPerInch_ == 0) fitWidth();
  updateScrollBars();
}

LRESULT PreviewWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      createControls();
      return 0;
    case WM_SIZE:
      layOut();
      return 0;
    case WM_DPICHANGED: {
      screenDotsPerInch_ = HIWORD(wParam);
      createControls();
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      fitWidth();
      return 0;
    }
    case WM_SETFOCUS:
      SetFocus(pages_);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        run(kClose);
      } else if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) {
        run(LOWORD(wParam));
      }
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == reportBar_) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kReportText);
        SetBkColor(dc, kReportBackground);
        return reinterpret_cast<LRESULT>(reportBrush_);
      }
      break;
    case WM_DESTROY:
      window_ = nullptr;
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void PreviewWindow::run(int command) {
  switch (command) {
    case kPrint: printJob(); break;
    case kSavePdf: savePdf(); break;
    case kClose: DestroyWindow(window_); return;
    case kPreviousPage: showPage(currentPage() - 1); break;
    case kNextPage: showPage(currentPage() + 1); break;
    case kZoomIn: zoomBy(kZoomStep); break;
    case kZoomOut: zoomBy(1 / kZoomStep); break;
    case kFitPage: fitPage(); break;
    case kFitWidth: fitWidth(); break;
    case kHelp:
      if (const std::string failure = help::openGuide(); !failure.empty()) showError(failure);
      break;
    default: return;
  }
  // A clicked button keeps no focus: the keys and the wheel go to the pages.
  if (window_) SetFocus(pages_);
}

bool PreviewWindow::takeKey(MSG& message) {
  if (!window_) return false;
  if (TranslateAcceleratorW(window_, keys_, &message)) return true;
  return IsDialogMessageW(window_, &message) != FALSE;
}

void PreviewWindow::showError(const std::string& message) {
  MessageBoxW(window_, wideOf(message).c_str(), wideOf(kPreviewTitle).c_str(),
              MB_OK | MB_ICONERROR);
}

void PreviewWindow::printJob() {
  if (!hasDefaultPrinter()) {
    showError(noPrinterText());
    return;
  }
  HCURSOR before = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
  const std::string failure = printWithPagette(job_, pagetteProgram_);
  SetCursor(before);
  if (!failure.empty()) showError(failure);
}

void PreviewWindow::savePdf() {
  // Asked before the file name, so that nobody chooses a file that cannot be written.
  if (!hasPdfPrinter()) {
    showError(pdfPrinterMissing());
    return;
  }
  std::wstring path = wideOf(pdfName_);
  path.resize(std::max<std::size_t>(path.size() + 1, 32768), L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window_;
  dialog.lpstrFilter = L"PDF (*.pdf)\0*.pdf\0";
  dialog.lpstrFile = path.data();
  // Beside the print file, as on Linux.
  std::wstring folder(32768, L'\0');
  folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
  dialog.lpstrInitialDir = folder.c_str();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrTitle = L"PDF Olarak Kaydet";
  dialog.lpstrDefExt = L"pdf";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
  if (!GetSaveFileNameW(&dialog)) return;
  path.resize(path.find(L'\0'));
  HCURSOR before = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
  try {
    writePdf(job_, pdfTitle_, utf8Of(path));
  } catch (const std::exception& failure) {
    SetCursor(before);
    showError(failure.what());
    return;
  }
  SetCursor(before);
}

}  // namespace muhtasar_print::win32
