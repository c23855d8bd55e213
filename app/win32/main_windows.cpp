// muhtasar on Windows: the declaration window over the Win32 API, with the
// same commands, texts and rules as the Qt window on Linux.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "app/qt/carry_over_message.h"
#include "app/win32/form_window.h"
#include "app/win32/win32_text.h"
#include "app/window_texts.h"
#include "period/file_replace.h"
#include "period/store.h"

namespace {

using app::win32::wideFromUtf8;

// Every report in a message box of the application's title, with the error icon.
class MessageBoxErrorReport : public app::ErrorReport {
 public:
  void show(const std::string& text) override {
    MessageBoxW(GetActiveWindow(), wideFromUtf8(text).c_str(), wideFromUtf8(app::kApplicationTitle).c_str(),
                MB_OK | MB_ICONERROR);
  }
};

class CarryOverMessageBox : public period::CarryOverNotice {
 public:
  void previousDeclarationMissing() override {
    MessageBoxW(GetActiveWindow(), wideFromUtf8(app::kPreviousDeclarationMissing).c_str(),
                wideFromUtf8(app::kNoticeCaption).c_str(), MB_OK);
  }
};

period::OverwriteAnswer askBeforeOverwriting() {
  switch (MessageBoxW(GetActiveWindow(), wideFromUtf8(app::kOverwriteQuestion).c_str(),
                      wideFromUtf8(app::kApplicationTitle).c_str(),
                      MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3)) {
    case IDYES:
      return period::OverwriteAnswer::SaveThisWindow;
    case IDNO:
      return period::OverwriteAnswer::TakeStored;
    default:
      return period::OverwriteAnswer::Cancel;
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  period::letFileSizeLimitFailWrites();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  MessageBoxErrorReport errors;
  CarryOverMessageBox notice;
  app::win32::FormWindow window(errors, notice);
  window.setExitQuestion([&window] {
    return MessageBoxW(window.window(), wideFromUtf8(app::kExitQuestion).c_str(),
                       wideFromUtf8(app::kApplicationTitle).c_str(),
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
  });
  period::setOverwriteQuestion(askBeforeOverwriting);
  if (!window.create(instance)) return 1;
  window.FormCreate();
  ShowWindow(window.window(), show);
  UpdateWindow(window.window());
  // A benchmark times start-up alone: the window ends once it has painted,
  // without the close path and its save.
  if (std::getenv("MUHTASAR_QUIT_AFTER_SHOW")) {
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
    return 0;
  }
  window.shown();

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.takeKey(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
