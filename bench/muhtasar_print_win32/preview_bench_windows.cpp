// The Windows preview lays each sheet in sight out again at every paint,
// instead of keeping pictures of the sheets: what one paint of the pages
// costs, fitted to the width and zoomed in to the most, in milliseconds.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "muhtasar_print/win32/preview_window.h"

namespace {

double seconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return double(now.QuadPart) / double(frequency.QuadPart);
}

double millisecondsPerPaint(HWND pages) {
  constexpr int kPaints = 50;
  const double start = seconds();
  for (int i = 0; i < kPaints; ++i) {
    InvalidateRect(pages, nullptr, FALSE);
    UpdateWindow(pages);
  }
  return (seconds() - start) * 1000 / kPaints;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: preview_bench JOBFILE\n", stderr);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::ostringstream job;
  job << in.rdbuf();
  muhtasar_print::win32::PreviewWindow window(job.str(), "x.pdf", "x", L"", {});
  if (!window.create(GetModuleHandleW(nullptr))) return 1;
  ShowWindow(window.window(), SW_SHOW);
  UpdateWindow(window.window());
  std::printf("%d sheets; one paint fitted to the width (%.0f dpi): %.2f ms\n", window.pageCount(),
              window.shownDotsPerInch(), millisecondsPerPaint(window.pages()));
  window.zoomBy(100);
  std::printf("zoomed in to %.0f dpi: %.2f ms\n", window.shownDotsPerInch(),
              millisecondsPerPaint(window.pages()));
  return 0;
}
