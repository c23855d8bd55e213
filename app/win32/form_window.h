#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "app/handler_edge.h"
#include "app/window_commands.h"
#include "app/window_texts.h"
#include "form/catalogue.h"
#include "form/form.h"
#include "period/carry_over.h"

namespace app::win32 {

// The declaration window on Windows: class "TForm1", every component of the
// catalogue as a control of the system's own (EDIT, STATIC, BUTTON) at its
// place scaled to the screen's dots per inch, the menu bar, and the window's
// keys. It holds no data of its own: the controls show the form model, and
// what is typed goes to it; every rule comes from the shell beside the Qt face.
class FormWindow {
 public:
  FormWindow(ErrorReport& errors, period::CarryOverNotice& notice,
             WindowCommands commands = WindowCommands::program());
  ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // Makes the window and its controls, centred on the desktop; not shown yet.
  HWND create(HINSTANCE instance);
  // The start-up of the declaration, before the window shows.
  void FormCreate();
  // After the window has been shown: holds the period, and says so once when
  // another window has it open.
  void shown();
  // Enter and Tab move the focus before any control sees them: true when the
  // message was taken.
  bool takeKey(const MSG& message);
  // Asked when the declaration could not be saved on closing.
  void setExitQuestion(std::function<bool()> exitWithoutSaving) {
    exitWithoutSaving_ = std::move(exitWithoutSaving);
  }

  form::Form& form() { return form_; }
  HWND window() const { return window_; }
  // The control of a component by its name; nullptr for none.
  HWND control(const std::string& name) const;
  int scaled(int pixels) const { return MulDiv(pixels, dotsPerInch_, 96); }
  int dotsPerInch() const { return dotsPerInch_; }
  // The hint of a number, code or tax amount field, as its tooltip shows it
  // and its red frame marks it; empty for a valid one.
  std::wstring hintOf(const std::string& name) const;

 private:
  struct Scroller {
    HWND content = nullptr;
    int height = 0;  // of the content, in dots
    int position = 0;
  };

  static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK containerProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK amountFieldProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  static LRESULT CALLBACK filteredFieldProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  static LRESULT CALLBACK identityFieldProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void showHint(HWND control, const std::string& hint);
  void addHintTool(HWND control);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

  void buildComponents(std::size_t end);
  void completeForm();
  HWND makeControl(const form::Component& c, HWND parent);
  HWND makeScroller(HWND parent, int left, int top, int width, int height, int contentWidth,
                    int contentHeight, const wchar_t* name);
  void bind(const form::Component& c, HWND control);
  SIZE labelSize(const std::wstring& text, HFONT font, HWND parent) const;
  void rescale(int dotsPerInch, const RECT& suggested);
  void fieldChanged(HWND control, WORD notification);
  LRESULT colours(HDC dc, HWND control);
  HFONT fontOf(const form::Font& font);
  HBRUSH brushOf(form::Colour colour);
  void run(MenuCommand command);
  void KontrolEt1Click();
  void Gemi1Click();
  void close();
  void focusField(int index);
  int focusIndexOf(HWND control) const;
  void bringIntoView(HWND field);
  void scrollTo(HWND area, int position);
  void scrolled(HWND area, WPARAM request);
  void showAmount(HWND control, const form::AmountField& field);
  LRESULT amountKey(HWND control, form::AmountField& field, UINT message, WPARAM wParam,
                    LPARAM lParam);

  form::Form form_;
  std::string periodKey_;
  HandlerEdge edge_;
  period::CarryOverNotice& notice_;
  WindowCommands commands_;
  std::function<bool()> exitWithoutSaving_;
  HINSTANCE instance_ = nullptr;
  HWND window_ = nullptr;
  HWND clientArea_ = nullptr;
  int dotsPerInch_ = 96;
  std::map<std::string, HWND, std::less<>> byName_;
  std::map<HWND, const form::Component*> components_;
  std::map<HWND, Scroller> scrollers_;
  std::vector<HWND> focusOrder_;
  std::map<std::string, HWND, std::less<>> containers_;
  std::size_t built_ = 0;  // components of the catalogue built so far
  std::map<std::tuple<std::string, int, bool, bool>, HFONT> fonts_;
  std::map<form::Colour, HBRUSH> brushes_;
  HWND tooltip_ = nullptr;
  std::map<HWND, std::wstring> hints_;
  // A field's own change being shown: not to be taken as typed.
  bool showing_ = false;
};

}  // namespace app::win32
