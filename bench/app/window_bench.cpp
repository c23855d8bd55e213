// The declaration window in the process: building it, and a keystroke in an
// amount field through to the repaint of everything it changed, each beside a
// plain Qt baseline measured the same way in the same run. Under a display
// (DISPLAY set) the X platform draws; without one the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "app/error_report.h"
#include "app/form_widgets.h"
#include "app/tform1.h"
#include "app/window_commands.h"
#include "form/catalogue.h"
#include "form/form.h"

namespace {

class SilentErrorReport : public app::ErrorReport {
 public:
  void show(const QString&) override {}
};

class SilentNotice : public period::CarryOverNotice {
 public:
  void previousDeclarationMissing() override {}
};

// The window without its files: start-up and saves do nothing, so only the
// widgets are measured.
app::WindowCommands commandsWithoutFiles() {
  app::WindowCommands commands;
  commands.startUp = [](form::Form&, std::string&) {};
  commands.updateComputedValues = [](form::Form&, std::string&) {};
  commands.carryOverPrevious = [](form::Form&, const std::string&, period::CarryOverNotice&) {};
  commands.printDeclaration = [](form::Form&, const std::string&) {};
  commands.saveDeclaration = [](const form::Form&, std::string_view) {};
  return commands;
}

void showAndActivate(QWidget& window) {
  window.show();
  QApplication::setActiveWindow(&window);
  if (!QTest::qWaitForWindowExposed(&window)) std::abort();
  QApplication::processEvents();
}

// The window's widgets built from the catalogue, as the window's creation
// builds them, without showing them.
void BM_BuildFormWidgets(benchmark::State& state) {
  SilentErrorReport errors;
  app::HandlerEdge edge(errors);
  form::Form form;
  for (auto _ : state) {
    app::FormWidgets widgets = app::buildFormWidgets(form, edge);
    state.PauseTiming();
    delete widgets.content;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildFormWidgets)->Unit(benchmark::kMillisecond)->Repetitions(5);

// The whole window, built and shown until its first paint has been flushed.
void BM_BuildAndShowWindow(benchmark::State& state) {
  SilentErrorReport errors;
  SilentNotice notice;
  for (auto _ : state) {
    auto window = std::make_unique<app::TForm1>(errors, notice, commandsWithoutFiles());
    window->FormCreate();
    showAndActivate(*window);
    state.PauseTiming();
    window.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildAndShowWindow)->Unit(benchmark::kMillisecond)->Repetitions(5);

// A digit, then Backspace, and so on: every keystroke changes the field, and
// in the window the totals of its group and the summary table follow.
void typeAlternately(benchmark::State& state, QWidget& field) {
  field.setFocus(Qt::OtherFocusReason);
  QApplication::processEvents();
  bool digit = true;
  for (auto _ : state) {
    if (digit)
      QTest::keyClick(&field, Qt::Key_5);
    else
      QTest::keyClick(&field, Qt::Key_Backspace);
    digit = !digit;
    // The repaint of every widget the keystroke changed, flushed to the screen.
    QApplication::processEvents();
  }
}

void BM_KeystrokeInAmountField(benchmark::State& state) {
  SilentErrorReport errors;
  SilentNotice notice;
  app::TForm1 window(errors, notice, commandsWithoutFiles());
  window.FormCreate();
  showAndActivate(window);
  typeAlternately(state, *window.fieldWidget("MaskEdit10"));
}
BENCHMARK(BM_KeystrokeInAmountField)->MinTime(1.0)->Repetitions(7)->ReportAggregatesOnly(true);

// The baseline: a plain line edit of the same size and font in a window of
// the same size with a menu bar.
void BM_KeystrokeInPlainLineEdit(benchmark::State& state) {
  QMainWindow window;
  window.menuBar()->addAction("&Yazdır");
  auto* content = new QWidget;
  auto* field = new QLineEdit(content);
  field->setGeometry(466, 344, 80, 20);
  QFont font("Arial");
  font.setPixelSize(11);
  field->setFont(font);
  window.setCentralWidget(content);
  window.resize(654, 683);
  showAndActivate(window);
  typeAlternately(state, *field);
}
BENCHMARK(BM_KeystrokeInPlainLineEdit)->MinTime(1.0)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("DISPLAY") == nullptr && std::getenv("QT_QPA_PLATFORM") == nullptr)
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
