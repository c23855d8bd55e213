// The Windows print preview in process: its sheets, its page keys and zoom,
// and printing with a pagette that cannot run, which keeps the job file.
#include "muhtasar_print/win32/preview_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "help/win32/open_guide.h"
#include "muhtasar_print/win32/paper_output_windows.h"

namespace muhtasar_print::win32 {
namespace {

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

const std::string kSampleJob =
    readFile(MUHTASAR_TESTDATA_DIR "/muhtasar_print/sample_declaration.job");

struct Preview {
  PreviewWindow window;
  explicit Preview(const std::vector<std::string>& reports = {})
      : window(kSampleJob, "x.pdf", "x", L"", reports) {
    if (!window.create(GetModuleHandleW(nullptr))) return;
    ShowWindow(window.window(), SW_SHOW);
    UpdateWindow(window.window());
  }
  // A key as the message loop hands it over.
  void press(UINT key, bool control = false) {
    if (control) {
      BYTE keys[256] = {};
      keys[VK_CONTROL] = 0x80;
      SetKeyboardState(keys);
    }
    MSG message{window.pages(), WM_KEYDOWN, key, 0, 0, {}};
    if (!window.takeKey(message)) DispatchMessageW(&message);
    BYTE none[256] = {};
    SetKeyboardState(none);
  }
  RECT area() const {
    RECT client{};
    GetClientRect(window.pages(), &client);
    return client;
  }
};

constexpr double kTwipsPerInch = 1440;
constexpr double kA4Width = 11906;
constexpr double kA4Height = 16838;

int screenDotsPerInch() {
  HDC screen = GetDC(nullptr);
  const int dots = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dots;
}

TEST(Preview, ShowsTheJobsSheetsAndMovesBetweenThemByKey) {
  Preview preview;
  ASSERT_NE(preview.window.window(), nullptr);
  EXPECT_EQ(preview.window.pageCount(), 2);
  const struct {
    UINT key;
    int page;
  } steps[] = {{VK_NEXT, 1}, {VK_NEXT, 1}, {VK_PRIOR, 0}, {VK_PRIOR, 0}, {VK_END, 1}, {VK_HOME, 0}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.key);
    preview.press(step.key);
    EXPECT_EQ(preview.window.currentPage(), step.page);
  }
}

TEST(Preview, OpensFittedToItsWidthAndZoomsWithinBounds) {
  Preview preview;
  ASSERT_NE(preview.window.window(), nullptr);
  const auto sheetWidth = [&] {
    return std::lround(kA4Width * std::round(preview.window.shownDotsPerInch()) / kTwipsPerInch);
  };
  const RECT area = preview.area();
  // The sheet and a margin on each side as wide as the pages' area, to the
  // whole dot per inch below.
  const int room = area.right - 2 * MulDiv(12, screenDotsPerInch(), 96);
  EXPECT_LE(sheetWidth(), room);
  EXPECT_GT(sheetWidth(), room - kA4Width / kTwipsPerInch - 1);
  const double fitted = preview.window.shownDotsPerInch();
  preview.press(VK_ADD, true);
  EXPECT_DOUBLE_EQ(preview.window.shownDotsPerInch(), fitted * 1.25);
  preview.press(VK_SUBTRACT, true);
  preview.press(VK_SUBTRACT, true);
  EXPECT_DOUBLE_EQ(preview.window.shownDotsPerInch(), fitted / 1.25);
  for (int i = 0; i < 30; ++i) preview.window.zoomBy(1.25);
  EXPECT_EQ(preview.window.shownDotsPerInch(), 400);
  for (int i = 0; i < 60; ++i) preview.window.zoomBy(0.8);
  EXPECT_EQ(preview.window.shownDotsPerInch(), 24);
  preview.press('0', true);
  EXPECT_LE(kA4Height * std::round(preview.window.shownDotsPerInch()) / kTwipsPerInch,
            preview.area().bottom);
  preview.press(VK_ESCAPE);
  EXPECT_EQ(preview.window.window(), nullptr);
}

TEST(Preview, ReportsStandInABarOnlyWhereThereAreAny) {
  Preview without;
  EXPECT_FALSE(IsWindowVisible(without.window.reportBar()));
  Preview with({"Düzenleyenin E-posta Adresi: yerine sığmıyor"});
  ASSERT_TRUE(IsWindowVisible(with.window.reportBar()));
  wchar_t text[200] = {};
  GetWindowTextW(with.window.reportBar(), text, 200);
  EXPECT_STREQ(text, L"Düzenleyenin E-posta Adresi: yerine sığmıyor");
  RECT bar{};
  GetWindowRect(with.window.reportBar(), &bar);
  RECT pages{};
  GetWindowRect(with.window.pages(), &pages);
  EXPECT_GE(pages.top, bar.bottom);
}

// pagette.exe missing: the message says so and names the job file, which is kept.
TEST(PaperOutput, APagetteThatCannotStartKeepsTheJobAndSaysWhere) {
  const std::string failure = printWithPagette(kSampleJob, L"Z:\\no\\such\\pagette.exe");
  EXPECT_NE(failure.find("Z:\\no\\such\\pagette.exe başlatılamadı."), std::string::npos) << failure;
  const std::string kept = "Yazdırma işi dosyası saklandı: ";
  const std::size_t at = failure.find(kept);
  ASSERT_NE(at, std::string::npos) << failure;
  const std::string path = failure.substr(at + kept.size());
  EXPECT_EQ(path.find(' '), std::string::npos) << "pagette takes its path up to a blank";
  EXPECT_EQ(readFile(std::filesystem::path(std::u8string(path.begin(), path.end()))), kSampleJob);
  std::filesystem::remove(std::filesystem::path(std::u8string(path.begin(), path.end())));
}

TEST(PaperOutput, WithoutThePdfPrinterNoPdfIsWritten) {
  ASSERT_FALSE(hasPdfPrinter()) << "Wine has no \"Microsoft Print to PDF\"";
  try {
    writePdf(kSampleJob, "x", "Z:\\tmp\\never.pdf");
    ADD_FAILURE() << "wrote a PDF";
  } catch (const std::exception& failure) {
    EXPECT_EQ(failure.what(), pdfPrinterMissing());
  }
  EXPECT_FALSE(std::filesystem::exists("Z:\\tmp\\never.pdf"));
}

// F1 asks the shell to open the guide beside the program.
TEST(Preview, F1OpensTheGuideBesideTheProgram) {
  std::wstring program(MAX_PATH, L'\0');
  program.resize(GetModuleFileNameW(nullptr, program.data(), MAX_PATH));
  const std::filesystem::path besideThis = std::filesystem::path(program).parent_path() / "kilavuz";
  std::filesystem::remove_all(besideThis);
  std::filesystem::copy(std::filesystem::path(MUHTASAR_SOURCE_DIR) / "guide", besideThis,
                        std::filesystem::copy_options::recursive);
  std::vector<std::wstring> opened;
  help::setGuideOpener([&](const std::wstring& path) {
    opened.push_back(path);
    return true;
  });
  Preview preview;
  preview.press(VK_F1);
  help::setGuideOpener(nullptr);
  std::filesystem::remove_all(besideThis);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(std::filesystem::path(opened[0]), besideThis / "index.html");
}

}  // namespace
}  // namespace muhtasar_print::win32
