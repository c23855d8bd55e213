#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace muhtasar_print::win32 {

// The print preview on Windows: the job's sheets drawn by pagette's layout
// through its GDI printer, one below the other at any zoom, and the commands
// to print the job with pagette.exe, save it as a PDF file, or close. It
// holds the job, nothing of the declaration.
class PreviewWindow {
 public:
  // `reports` are what the paper says differently from the print file; they
  // stand in a bar above the pages and are not printed.
  PreviewWindow(std::string job, std::string pdfName, std::string pdfTitle,
                std::wstring pagetteProgram, const std::vector<std::string>& reports);
  ~PreviewWindow();
  PreviewWindow(const PreviewWindow&) = delete;
  PreviewWindow& operator=(const PreviewWindow&) = delete;

  bool create(HINSTANCE instance);
  HWND window() const { return window_; }
  // The window's keys (Ctrl+P, Esc, Page Up …) and its buttons' keys.
  bool takeKey(MSG& message);

  int pageCount() const { return pageCount_; }
  int currentPage() const;
  // The zoom, as the dots per inch at which the sheets are shown.
  double shownDotsPerInch() const { return shownDotsPerInch_; }
  HWND pages() const { return pages_; }
  HWND reportBar() const { return reportBar_; }

  void printJob();
  void savePdf();
  void showPage(int page);
  void zoomBy(double factor);
  void fitPage();
  void fitWidth();

 private:
  template <HWND PreviewWindow::*place,
            LRESULT (PreviewWindow::*handler)(UINT message, WPARAM wParam, LPARAM lParam)>
  static LRESULT CALLBACK route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handlePages(UINT message, WPARAM wParam, LPARAM lParam);

  void createControls();
  void layOut();
  int scaled(int pixels) const { return MulDiv(pixels, screenDotsPerInch_, 96); }
  void setShownDotsPerInch(double dotsPerInch);
  int sheetWidth() const;
  int sheetHeight() const;
  int gap() const { return scaled(12); }
  void updateScrollBars();
  void scrollTo(int x, int y);
  void paintPages(HDC dc, const RECT& area);
  void showPageNumber();
  void showError(const std::string& message);
  void run(int command);

  std::string job_;
  std::string pdfName_;
  std::string pdfTitle_;
  std::wstring pagetteProgram_;
  std::wstring reports_;
  HINSTANCE instance_ = nullptr;
  HWND window_ = nullptr;
  HWND pages_ = nullptr;
  HWND reportBar_ = nullptr;
  HWND pageNumber_ = nullptr;
  std::vector<HWND> buttons_;
  HFONT font_ = nullptr;
  HBRUSH reportBrush_ = nullptr;
  HACCEL keys_ = nullptr;
  int screenDotsPerInch_ = 96;
  int pageCount_ = 0;
  double shownDotsPerInch_ = 0;  // 0 until the window knows its size: then fit to width
  POINT scroll_{};
};

}  // namespace muhtasar_print::win32
