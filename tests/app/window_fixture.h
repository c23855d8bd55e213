#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "app/qt/error_report.h"
#include "app/qt/tform1.h"

namespace app_testing {

// The pixels of the widget's outer ring that are not of the given colour: 0
// when the ring is one unbroken frame of it. As the window shows it, with
// the neighbours that overlap it, or as the widget alone draws itself.
int ringPixelsNotOf(QWidget* widget, QRgb colour, bool withNeighbours = false);
inline constexpr QRgb kBorderGrey = 0xFF696969;  // the thin single-line border

class RecordingErrorReport : public app::ErrorReport {
 public:
  void show(const std::string& text) override { texts.push_back(QString::fromStdString(text)); }
  QStringList texts;
};

// Answers the question after a failed save on close as the test says.
class RecordingExitQuestion : public app::ExitQuestion {
 public:
  bool exitWithoutSaving() override {
    ++asked;
    return answer;
  }
  bool answer = false;
  int asked = 0;
};

class RecordingNotice : public period::CarryOverNotice {
 public:
  void previousDeclarationMissing() override { ++calls; }
  int calls = 0;
};

// What the window asked of its commands, in order.
struct CommandLog {
  std::vector<std::string> calls;
  std::vector<std::string> savedKeys;
};

// The real window, shown and active on the offscreen platform, with commands
// that only record their calls (each test changes the ones it needs).
class WindowTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates and shows the window; tests that change the commands call it
  // after changing them.
  void openWindow();
  QWidget* widget(const char* name) const;
  QWidget* focused() const;
  void focus(const char* name);
  void typeInto(const char* name, const QString& text);
  void pressEnter();

  RecordingErrorReport errors;
  RecordingNotice notice;
  RecordingExitQuestion exitQuestion;
  CommandLog log;
  app::WindowCommands commands;
  std::unique_ptr<app::TForm1> window;
};

}  // namespace app_testing
