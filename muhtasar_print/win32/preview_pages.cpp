// The Win32 print preview's sheets: their size at the shown zoom, the scroll
// bars, and the painting of the sheets in sight through pagette's layout.
#include <algorithm>
#include <climits>
#include <cmath>

#include "gdi_printer.h"
#include "muhtasar_print/job_drawing.h"
#include "muhtasar_print/win32/preview_parts.h"
#include "muhtasar_print/win32/preview_window.h"

namespace muhtasar_print::win32 {

int PreviewWindow::sheetWidth() const {
  return int(std::lround(kSheet.width * std::round(shownDotsPerInch_) / kTwipsPerInch));
}

int PreviewWindow::sheetHeight() const {
  return int(std::lround(kSheet.height * std::round(shownDotsPerInch_) / kTwipsPerInch));
}

void PreviewWindow::setShownDotsPerInch(double dotsPerInch) {
  dotsPerInch = std::clamp(dotsPerInch, kFewestDotsPerInch, kMostDotsPerInch);
  // The page at the top stays at the top.
  const int page = shownDotsPerInch_ == 0 ? 0 : currentPage();
  shownDotsPerInch_ = dotsPerInch;
  updateScrollBars();
  showPage(page);
}

void PreviewWindow::zoomBy(double factor) { setShownDotsPerInch(shownDotsPerInch_ * factor); }

void PreviewWindow::fitWidth() {
  RECT area{};
  GetClientRect(pages_, &area);
  const int room = area.right - 2 * gap();
  if (room <= 0) return;
  // Sheets are drawn at whole dots per inch: rounded down, the sheet fits.
  setShownDotsPerInch(std::floor(room * kTwipsPerInch / kSheet.width));
}

void PreviewWindow::fitPage() {
  RECT area{};
  GetClientRect(pages_, &area);
  const double across = (area.right - 2 * gap()) * kTwipsPerInch / kSheet.width;
  const double down = (area.bottom - 2 * gap()) * kTwipsPerInch / kSheet.height;
  if (std::min(across, down) <= 0) return;
  setShownDotsPerInch(std::floor(std::min(across, down)));
}

void PreviewWindow::updateScrollBars() {
  if (!pages_ || shownDotsPerInch_ == 0) return;
  RECT area{};
  GetClientRect(pages_, &area);
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
  info.nMax = gap() + pageCount_ * (sheetHeight() + gap()) - 1;
  info.nPage = UINT(std::max<LONG>(area.bottom, 0));
  SetScrollInfo(pages_, SB_VERT, &info, TRUE);
  info.nMax = sheetWidth() + 2 * gap() - 1;
  info.nPage = UINT(std::max<LONG>(area.right, 0));
  SetScrollInfo(pages_, SB_HORZ, &info, TRUE);
  scrollTo(scroll_.x, scroll_.y);
}

void PreviewWindow::scrollTo(int x, int y) {
  RECT area{};
  GetClientRect(pages_, &area);
  const int down = gap() + pageCount_ * (sheetHeight() + gap()) - area.bottom;
  const int across = sheetWidth() + 2 * gap() - area.right;
  scroll_ = {std::clamp(x, 0, std::max(across, 0)), std::clamp(y, 0, std::max(down, 0))};
  SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, scroll_.y, 0};
  SetScrollInfo(pages_, SB_VERT, &info, TRUE);
  info.nPos = scroll_.x;
  SetScrollInfo(pages_, SB_HORZ, &info, TRUE);
  InvalidateRect(pages_, nullptr, FALSE);
  showPageNumber();
}

int PreviewWindow::currentPage() const {
  if (pageCount_ == 0 || shownDotsPerInch_ == 0) return 0;
  RECT area{};
  GetClientRect(pages_, &area);
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
  GetScrollInfo(pages_, SB_VERT, &info);
  // Scrolled to the end, the last sheet is the one being read.
  if (scroll_.y > 0 && scroll_.y + int(info.nPage) > info.nMax) return pageCount_ - 1;
  const int middle = scroll_.y + area.bottom / 2 - gap();
  return std::clamp(middle / (sheetHeight() + gap()), 0, pageCount_ - 1);
}

void PreviewWindow::showPage(int page) {
  page = std::clamp(page, 0, std::max(pageCount_ - 1, 0));
  scrollTo(scroll_.x, page * (sheetHeight() + gap()));
}

void PreviewWindow::showPageNumber() {
  const std::wstring text = L"Sayfa " + std::to_wstring(pageCount_ ? currentPage() + 1 : 0) +
                            L" / " + std::to_wstring(pageCount_);
  SetWindowTextW(pageNumber_, text.c_str());
}

// Each sheet in sight is laid out by pagette's layout and drawn straight into
// the buffer at the shown resolution, moved to its place: only what is in
// sight is drawn, at any zoom, and nothing is kept between paints.
void PreviewWindow::paintPages(HDC dc, const RECT& area) {
  RECT client{};
  GetClientRect(pages_, &client);
  HBRUSH desk = CreateSolidBrush(kDesk);
  FillRect(dc, &area, desk);
  DeleteObject(desk);
  const int width = sheetWidth();
  const int height = sheetHeight();
  const int left = std::max<int>(gap(), (client.right - width) / 2) - scroll_.x;
  const int dotsPerInch = int(std::round(shownDotsPerInch_));
  for (int sheet = 0; sheet < pageCount_; ++sheet) {
    const int top = gap() + sheet * (height + gap()) - scroll_.y;
    if (top >= area.bottom || top + height <= area.top) continue;
    const RECT shadow{left + scaled(3), top + scaled(3), left + width + scaled(3),
                      top + height + scaled(3)};
    FillRect(dc, &shadow, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
    const RECT paper{left, top, left + width, top + height};
    FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, paper.left, paper.top, paper.right, paper.bottom);
    SetViewportOrgEx(dc, left, top, nullptr);
    try {
      std::unique_ptr<pagette::GdiPrinter> printer =
          pagette::GdiPrinter::drawOn(dc, dotsPerInch, dotsPerInch, kSheet, sheet);
      drawJob(job_, *printer);
    } catch (const std::exception&) {
      // The job was laid out once already, when the sheets were counted.
    }
    RestoreDC(dc, saved);
  }
}

LRESULT PreviewWindow::handlePages(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(pages_, &paint);
      // Drawn off the screen first, so that scrolling does not flicker.
      const RECT& area = paint.rcPaint;
      HDC buffer = CreateCompatibleDC(dc);
      HBITMAP bitmap = CreateCompatibleBitmap(dc, area.right, area.bottom);
      HGDIOBJ before = SelectObject(buffer, bitmap);
      paintPages(buffer, area);
      BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, buffer,
             area.left, area.top, SRCCOPY);
      SelectObject(buffer, before);
      DeleteObject(bitmap);
      DeleteDC(buffer);
      EndPaint(pages_, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      updateScrollBars();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
      SetFocus(pages_);
      return 0;
    case WM_KEYDOWN: {
      const int line = scaled(40);
      switch (wParam) {
        case VK_UP: scrollTo(scroll_.x, scroll_.y - line); return 0;
        case VK_DOWN: scrollTo(scroll_.x, scroll_.y + line); return 0;
        case VK_LEFT: scrollTo(scroll_.x - line, scroll_.y); return 0;
        case VK_RIGHT: scrollTo(scroll_.x + line, scroll_.y); return 0;
        case VK_HOME: showPage(0); return 0;
        case VK_END: showPage(pageCount_ - 1); return 0;
      }
      break;
    }
    case WM_MOUSEWHEEL: {
      const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      if (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) {
        zoomBy(std::pow(kZoomStep, notches));
      } else {
        scrollTo(scroll_.x, scroll_.y - notches * scaled(80));
      }
      return 0;
    }
    case WM_VSCROLL:
    case WM_HSCROLL: {
      const int bar = message == WM_VSCROLL ? SB_VERT : SB_HORZ;
      SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
      GetScrollInfo(pages_, bar, &info);
      int position = info.nPos;
      switch (LOWORD(wParam)) {
        case SB_LINEUP: position -= scaled(40); break;
        case SB_LINEDOWN: position += scaled(40); break;
        case SB_PAGEUP: position -= int(info.nPage); break;
        case SB_PAGEDOWN: position += int(info.nPage); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: position = info.nTrackPos; break;
        case SB_TOP: position = 0; break;
        case SB_BOTTOM: position = info.nMax; break;
      }
      if (bar == SB_VERT) {
        scrollTo(scroll_.x, position);
      } else {
        scrollTo(position, scroll_.y);
      }
      return 0;
    }
  }
  return DefWindowProcW(pages_, message, wParam, lParam);
}

}  // namespace muhtasar_print::win32
