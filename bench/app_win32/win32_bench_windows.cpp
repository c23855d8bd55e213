// Timings of the Win32 window under Wine, run by win32_startup_under_wine.sh:
//   win32_bench.exe bare       a bare window with the same menu, ends after its first paint
//   win32_bench.exe keystroke  the declaration window: typed digits in an amount field, each to
//                              its repaint; prints the mean in microseconds
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/win32/form_window.h"
#include "app/win32/win32_text.h"
#include "app/window_texts.h"

namespace {

class SilentReport : public app::ErrorReport {
 public:
  void show(const std::string&) override {}
};
class SilentNotice : public period::CarryOverNotice {
 public:
  void previousDeclarationMissing() override {}
};

LRESULT CALLBACK bareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

int bareWindow(HINSTANCE instance) {
  WNDCLASSW type{};
  type.lpfnWndProc = bareProc;
  type.hInstance = instance;
  type.lpszClassName = L"Bare";
  RegisterClassW(&type);
  HMENU bar = CreateMenu();
  for (const app::MenuItem& item : app::kMenuItems)
    AppendMenuW(bar, MF_STRING, 1, app::win32::wideFromUtf8(item.caption).c_str());
  HWND window = CreateWindowExW(0, L"Bare", L"Bare", WS_OVERLAPPEDWINDOW, 0, 0, 654, 683, nullptr,
                                bar, instance, nullptr);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  std::puts("shown");
  return 0;
}

double seconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return double(now.QuadPart) / double(frequency.QuadPart);
}

int keystrokes(HINSTANCE instance) {
  SilentReport report;
  SilentNotice notice;
  app::win32::FormWindow window(report, notice, app::WindowCommands{});
  window.create(instance);
  ShowWindow(window.window(), SW_SHOW);
  UpdateWindow(window.window());
  HWND amount = window.control("MaskEdit1");
  SetFocus(amount);
  constexpr int kStrokes = 2000;
  const double start = seconds();
  for (int i = 0; i < kStrokes; ++i) {
    if (i % 9 == 0) SendMessageW(amount, WM_KEYDOWN, VK_HOME, 0);
    SendMessageW(amount, WM_CHAR, L'0' + i % 10, 0);
    UpdateWindow(amount);
    UpdateWindow(window.control("StaticText1"));
  }
  std::printf("keystroke to repaint: %.0f us\n", (seconds() - start) / kStrokes * 1e6);
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  const std::wstring mode = commandLine;
  return mode == L"bare" ? bareWindow(instance) : keystrokes(instance);
}
