// The Win32 declaration window in process: every component of the catalogue
// at its place at the screen's scale, and the keys going to the form.
#include "app/win32/form_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "form/amount_text.h"
#include "help/win32/open_guide.h"

namespace app::win32 {
namespace {

class RecordingErrors : public ErrorReport {
 public:
  void show(const std::string& text) override { texts.push_back(text); }
  std::vector<std::string> texts;
};

class QuietNotice : public period::CarryOverNotice {
 public:
  void previousDeclarationMissing() override {}
};

struct Window {
  RecordingErrors errors;
  QuietNotice notice;
  FormWindow window;
  // Shown and painted: the rest of the form is built after the first paint.
  explicit Window(WindowCommands commands = {}) : window(errors, notice, std::move(commands)) {
    if (!window.create(GetModuleHandleW(nullptr))) return;
    ShowWindow(window.window(), SW_SHOW);
    UpdateWindow(window.window());
    for (int i = 0; i < 1000 && !window.control("MaskEdit148"); ++i) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      Sleep(1);
    }
  }
};

RECT placeInParent(HWND control) {
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

// Every component at its place and size scaled, in its font and colour.
void expectCatalogueLayout(FormWindow& window) {
  std::size_t placed = 0;
  for (const form::Component& c : form::catalogue()) {
    SCOPED_TRACE(c.name);
    HWND control = window.control(c.name);
    ASSERT_NE(control, nullptr);
    const RECT place = placeInParent(control);
    EXPECT_EQ(place.left, window.scaled(c.left));
    EXPECT_EQ(place.top, window.scaled(c.top));
    if (c.width > 0 && c.height > 0) {
      EXPECT_EQ(place.right - place.left, window.scaled(c.width));
      EXPECT_EQ(place.bottom - place.top, window.scaled(c.height));
    }
    if (c.kind != form::ComponentKind::Panel && c.kind != form::ComponentKind::ScrollBox) {
      LOGFONTW font{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
                 &font);
      EXPECT_EQ(font.lfHeight, -window.scaled(c.font.pixelHeight));
      EXPECT_EQ(font.lfWeight >= FW_BOLD, c.font.bold);
      EXPECT_EQ(font.lfItalic != 0, c.font.italic);
      EXPECT_EQ(font.lfCharSet, TURKISH_CHARSET);
      // The colour its container gives it to draw with.
      HDC dc = CreateCompatibleDC(nullptr);
      SendMessageW(GetParent(control), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(control));
      const COLORREF maroon = RGB(128, 0, 0);
      EXPECT_EQ(GetTextColor(dc) == maroon, c.font.colour == form::Colour::Maroon);
      DeleteDC(dc);
    }
    ++placed;
  }
  EXPECT_EQ(placed, form::catalogue().size());
  RECT outer{};
  GetWindowRect(window.window(), &outer);
  EXPECT_EQ(outer.right - outer.left, window.scaled(kWindowWidth));
  EXPECT_EQ(outer.bottom - outer.top, window.scaled(kWindowHeight));
}

// Run at 96 and at 144 dots per inch (Wine's LogPixels); MUHTASAR_TEST_DPI
// says which, so that a scale that never changes cannot pass for both.
TEST(Win32Window, EveryComponentStandsAtItsPlaceScaled) {
  Window w;
  ASSERT_NE(w.window.window(), nullptr);
  if (const char* dpi = std::getenv("MUHTASAR_TEST_DPI")) {
    EXPECT_EQ(w.window.dotsPerInch(), std::atoi(dpi));
  }
  wchar_t name[32] = {};
  GetClassNameW(w.window.window(), name, 32);
  EXPECT_EQ(std::wstring(name), L"TForm1");
  expectCatalogueLayout(w.window);
}

// Moved to a screen of another scale, the window lays itself out again.
TEST(Win32Window, FollowsAChangeOfScale) {
  Window w;
  const int to = w.window.dotsPerInch() == 96 ? 120 : 96;
  const RECT suggested{0, 0, MulDiv(kWindowWidth, to, 96), MulDiv(kWindowHeight, to, 96)};
  SendMessageW(w.window.window(), WM_DPICHANGED, MAKEWPARAM(to, to),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(w.window.dotsPerInch(), to);
  expectCatalogueLayout(w.window);
}

// Typed characters reach the form's editing, the totals follow on screen,
// and Enter moves to the next field in the focus order.
TEST(Win32Window, KeysGoToTheFormAndEnterMovesOn) {
  Window w;
  HWND amount = w.window.control("MaskEdit1");
  SetFocus(amount);
  for (char c : std::string("1234")) SendMessageW(amount, WM_CHAR, static_cast<WPARAM>(c), 0);
  EXPECT_EQ(w.window.form().maskEdit(1).editText(), "123,4__,___.__");
  wchar_t shown[32] = {};
  GetWindowTextW(w.window.control("StaticText1"), shown, 32);
  EXPECT_EQ(std::wstring(shown), L"___,__1,234.00");

  const auto& order = form::focusOrder();
  const std::size_t at = static_cast<std::size_t>(
      std::find(order.begin(), order.end(), "MaskEdit1") - order.begin());
  MSG enter{amount, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(w.window.takeKey(enter));
  EXPECT_EQ(GetFocus(), w.window.control(order.at(at + 1)));

  HWND name = w.window.control("Edit6");
  SetWindowTextW(name, L"\u00C7\u011E\u0130\u00D6\u015E\u00DC \u0131");
  EXPECT_EQ(w.window.form().edit("Edit6").text(), "\xC7\xD0\xDD\xD6\xDE\xDC \xFD");

  // A tax number that cannot be one: the frame turns red, the tooltip says why.
  HWND taxNumber = w.window.control("Edit3");
  SetWindowTextW(taxNumber, L"12345");
  EXPECT_EQ(w.window.hintOf("Edit3"), L"Vergi kimlik numaras\u0131 10 haneli olmal\u0131");
  SetWindowTextW(taxNumber, L"");
  EXPECT_EQ(w.window.hintOf("Edit3"), L"");

  SendMessageW(w.window.control("CheckBox3"), BM_CLICK, 0, 0);
  EXPECT_TRUE(w.window.form().checkBox(3).checked());
  EXPECT_TRUE(w.errors.texts.empty());
}

// Every way of closing takes the close path: a failed save is reported, then
// asked about; "Hayır" keeps the window, "Evet" leaves without saving.
TEST(Win32Window, AFailedSaveOnClosingIsReportedAndAsked) {
  WindowCommands commands;
  int saves = 0;
  commands.saveDeclaration = [&saves](form::Form&, std::string_view) {
    ++saves;
    throw std::runtime_error("Unable to write to muhtasar.ini");
  };
  Window w(commands);
  int asked = 0;
  bool leave = false;
  w.window.setExitQuestion([&] {
    ++asked;
    return leave;
  });
  SendMessageW(w.window.window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(asked, 1);
  ASSERT_NE(w.window.window(), nullptr);
  EXPECT_EQ(w.errors.texts, std::vector<std::string>{"Unable to write to muhtasar.ini."});
  leave = true;
  // "Çıkış", the menu's last item, goes the same way.
  SendMessageW(w.window.window(), WM_COMMAND, 100 + std::size(kMenuItems) - 1, 0);
  EXPECT_EQ(saves, 2);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(w.window.window(), nullptr);
}

// What the list "Beyanname Kontrolü" showed, read by a timer while it waits.
struct ShownList {
  std::wstring title;
  std::vector<std::wstring> lines;
  std::vector<std::wstring> differences;
  int down = 0;
  WPARAM key = VK_RETURN;
};
ShownList* shownList = nullptr;

std::vector<std::wstring> linesOf(HWND list) {
  std::vector<std::wstring> lines;
  const int count = int(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::wstring line(std::size_t(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    line.resize(std::size_t(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()))));
    lines.push_back(line);
  }
  return lines;
}

// Reads the popup of that class as it waits, then presses the key on its first list.
template <const wchar_t* kClass>
void CALLBACK answerList(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND window = FindWindowW(kClass, nullptr);
  if (!window) return;
  KillTimer(nullptr, timer);
  wchar_t title[128] = {};
  GetWindowTextW(window, title, 128);
  shownList->title = title;
  HWND list = FindWindowExW(window, nullptr, L"LISTBOX", nullptr);
  shownList->lines = linesOf(list);
  shownList->differences = linesOf(FindWindowExW(window, list, L"LISTBOX", nullptr));
  SendMessageW(list, LB_SETCURSEL, shownList->down, 0);
  PostMessageW(list, WM_KEYDOWN, shownList->key, 0);
}
constexpr wchar_t kCheckList[] = L"MuhtasarCheckList";
constexpr wchar_t kHistory[] = L"MuhtasarHistory";

WPARAM menuId(MenuCommand command) {
  WPARAM id = 100;
  while (kMenuItems[id - 100].command != command) ++id;
  return id;
}

// "K&ontrol Et": the findings in their list; Enter on one goes to its field,
// Esc goes nowhere. Its code field is framed as it stands.
TEST(FormWindow, CheckListsTheFindingsAndEnterGoesToTheField) {
  Window w;
  w.window.form().edit("Edit8").setText("11");
  EXPECT_EQ(w.window.hintOf("Edit8"), L"\u00d6deme t\u00fcr\u00fc kodu \u00fc\u00e7 haneli bir say\u0131 olmal\u0131.");
  const WPARAM check = menuId(MenuCommand::Check);
  ShownList shown;
  shownList = &shown;
  SetTimer(nullptr, 0, 50, answerList<kCheckList>);
  SendMessageW(w.window.window(), WM_COMMAND, check, 0);
  EXPECT_EQ(shown.title, L"Beyanname Kontrol\u00fc");
  int code = -1;
  for (std::size_t i = 0; i < shown.lines.size(); ++i) {
    const std::wstring codeLine = L"T\u00fcr Kodu: \u00d6deme t\u00fcr\u00fc kodu \u00fc\u00e7 haneli";
    if (shown.lines[i].find(codeLine) != std::wstring::npos) code = int(i);
  }
  ASSERT_GE(code, 0);
  EXPECT_EQ(shown.lines.front().rfind(L"Hata: ", 0), 0u);

  ShownList chosen;
  chosen.down = code;
  shownList = &chosen;
  SetTimer(nullptr, 0, 50, answerList<kCheckList>);
  SendMessageW(w.window.window(), WM_COMMAND, check, 0);
  EXPECT_EQ(GetFocus(), w.window.control("Edit8"));

  SetFocus(w.window.control("Edit1"));
  ShownList closed;
  closed.key = VK_ESCAPE;
  shownList = &closed;
  SetTimer(nullptr, 0, 50, answerList<kCheckList>);
  SendMessageW(w.window.window(), WM_COMMAND, check, 0);
  EXPECT_EQ(GetFocus(), w.window.control("Edit1"));
  EXPECT_TRUE(IsWindowEnabled(w.window.window()));
}

// "Geç&miş": the period's versions, newest first, with its differences from
// the form; Esc changes nothing, Enter brings the newest back.
TEST(FormWindow, HistoryShowsTheVersionsAndEnterBringsTheNewestBack) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "muhtasar-history-test";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(std::string(MUHTASAR_TESTDATA_DIR) + "/history/saves_update_print.ini",
                             folder / "muhtasar-gecmis.ini");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  WindowCommands commands;
  commands.startUp = [](form::Form&, std::string& key) { key = "2026101112"; };
  Window w(commands);
  w.window.FormCreate();
  w.window.form().edit("Edit1").setText("YAZILAN");
  ShownList closed;
  closed.key = VK_ESCAPE;
  shownList = &closed;
  SetTimer(nullptr, 0, 50, answerList<kHistory>);
  SendMessageW(w.window.window(), WM_COMMAND, menuId(MenuCommand::History), 0);
  EXPECT_EQ(closed.title, L"Beyanname Ge\u00e7mi\u015fi");
  ASSERT_EQ(closed.lines.size(), 3u);
  EXPECT_EQ(closed.lines[0], L"2026-12-09 10:00:02  Yazd\u0131r\u0131ld\u0131");
  bool named = false;
  for (const std::wstring& line : closed.differences)
    named = named || (line.rfind(L"1 numaral\u0131 sat\u0131r, Vergi Dairesi: \u00abIKI\u00bb", 0) == 0 &&
                      line.find(L"\u00abYAZILAN\u00bb") != std::wstring::npos);
  EXPECT_TRUE(named);
  EXPECT_EQ(w.window.form().edit("Edit1").text(), "YAZILAN");
  ShownList restored;
  shownList = &restored;
  SetTimer(nullptr, 0, 50, answerList<kHistory>);
  SendMessageW(w.window.window(), WM_COMMAND, menuId(MenuCommand::History), 0);
  EXPECT_EQ(w.window.form().edit("Edit1").text(), "IKI");
  std::filesystem::current_path(before);
  std::filesystem::remove_all(folder);
}

// F1 asks the shell to open the guide beside the program; without one, the
// error report names where it was looked for.
TEST(FormWindow, F1OpensTheGuideBesideTheProgram) {
  std::wstring program(MAX_PATH, L'\0');
  program.resize(GetModuleFileNameW(nullptr, program.data(), MAX_PATH));
  const std::filesystem::path besideThis = std::filesystem::path(program).parent_path() / "kilavuz";
  std::filesystem::remove_all(besideThis);
  std::vector<std::wstring> opened;
  help::setGuideOpener([&](const std::wstring& path) {
    opened.push_back(path);
    return true;
  });
  Window w;
  MSG f1{w.window.window(), WM_KEYDOWN, VK_F1, 0, 0, {}};
  EXPECT_TRUE(w.window.takeKey(f1));
  EXPECT_TRUE(opened.empty());
  ASSERT_EQ(w.errors.texts.size(), 1u);
  EXPECT_EQ(w.errors.texts[0].rfind("Kullan\xC4\xB1m k\xC4\xB1lavuzu bulunamad\xC4\xB1: ", 0), 0u);
  std::filesystem::copy(std::filesystem::path(MUHTASAR_SOURCE_DIR) / "guide", besideThis,
                        std::filesystem::copy_options::recursive);
  EXPECT_TRUE(w.window.takeKey(f1));
  help::setGuideOpener(nullptr);
  std::filesystem::remove_all(besideThis);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(std::filesystem::path(opened[0]), besideThis / "index.html");
}

}  // namespace
}  // namespace app::win32
