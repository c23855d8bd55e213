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
#include <chrono>
#include <cstdlib>
#include <memory>

#include "app/qt/error_report.h"
#include "app/qt/form_widgets.h"
#include "app/qt/tform1.h"
#include "app/window_commands.h"
#include "form/catalogue.h"
#include "form/form.h"

namespace {

class SilentErrorReport : public app::ErrorReport {
 public:
  void show(const std::string&) override {}
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

// All the window's widgets built from the catalogue, the part seen at start
// and the rest, without showing them.
void BM_BuildFormWidgets(benchmark::State& state) {
  SilentErrorReport errors;
  app::HandlerEdge edge(errors);
  form::Form form;
  for (auto _ : state) {
    app::FormWidgets widgets = app::buildFormWidgets(form, edge, 0);
    app::buildRestOfForm(form, edge, widgets);
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

// One keystroke and the repaint of everything it changed, flushed to the
// screen; returns its time in seconds. A digit and Backspace take turns, so
// every keystroke changes the field.
double keystroke(QWidget& field, bool digit) {
  const auto start = std::chrono::steady_clock::now();
  QTest::keyClick(&field, digit ? Qt::Key_5 : Qt::Key_Backspace);
  QApplication::processEvents();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The baseline: a plain line edit of the same size and font in a window of
// the same size with a menu bar.
struct PlainWindow {
  QMainWindow window;
  QLineEdit* field = nullptr;

  PlainWindow() {
    window.menuBar()->addAction("&Yazdır");
    auto* content = new QWidget;
    field = new QLineEdit(content);
    field->setGeometry(466, 344, 80, 20);
    QFont font("Arial");
    font.setPixelSize(11);
    field->setFont(font);
    window.setCentralWidget(content);
    window.resize(654, 683);
  }
};

// A keystroke in the tax amount of row 8: the totals of its group and the
// summary table follow and repaint. Every iteration first types the same way
// into the plain line edit, so both meet the same load of the machine: the
// time reported is the window's, the counter plain_us the baseline's and
// ratio the one divided by the other.
void BM_KeystrokeInAmountField(benchmark::State& state) {
  PlainWindow plain;
  showAndActivate(plain.window);
  SilentErrorReport errors;
  SilentNotice notice;
  app::TForm1 window(errors, notice, commandsWithoutFiles());
  window.FormCreate();
  showAndActivate(window);
  QWidget& field = *window.fieldWidget("MaskEdit10");
  field.setFocus(Qt::OtherFocusReason);
  plain.field->setFocus(Qt::OtherFocusReason);
  QApplication::processEvents();

  bool digit = true;
  double inWindow = 0;
  double inPlain = 0;
  for (auto _ : state) {
    inPlain += keystroke(*plain.field, digit);
    const double seconds = keystroke(field, digit);
    inWindow += seconds;
    state.SetIterationTime(seconds);
    digit = !digit;
  }
  if (state.iterations() > 0 && inPlain > 0) {
    state.counters["plain_us"] = 1e6 * inPlain / static_cast<double>(state.iterations());
    state.counters["ratio"] = inWindow / inPlain;
  }
}
BENCHMARK(BM_KeystrokeInAmountField)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->MinTime(1.0)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

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
