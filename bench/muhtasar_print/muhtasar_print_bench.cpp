// Medians: muhtasar_print_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "form/form.h"
#include "muhtasar_print/declaration_job.h"
#include "muhtasar_print/qt/paper_output.h"
#include "period/computed_values.h"
#include "period/store.h"
#include "print/print_file.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// A scratch folder with the sample payroll summary as the current directory,
// and the declaration it fills in.
struct SampleDeclaration {
  SampleDeclaration() {
    folder = fs::temp_directory_path() / ("muhtasar-print-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    fs::current_path(folder);
    fs::copy_file(std::string(MUHTASAR_EXAMPLES_DIR) + "/BORDMHT.DAT", "BORDMHT.DAT",
                  fs::copy_options::overwrite_existing);
    period::UpdateComputedValues(form, periodKey);
  }
  ~SampleDeclaration() {
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);
  }
  fs::path folder;
  form::Form form;
  std::string periodKey;
};

bool runToPdf() {
  char program[] = MUHTASAR_PRINT_PROGRAM;
  char option[] = "--pdf";
  char output[] = "declaration.pdf";
  char* argv[] = {program, option, output, nullptr};
  pid_t child;
  if (posix_spawn(&child, program, nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// What the user waits for: the print command's save and print file, then
// muhtasar-print from its start to the PDF written.
void BM_PrintCommandToPdf(benchmark::State& state) {
  SampleDeclaration sample;
  for (auto _ : state) {
    period::SaveDeclaration(sample.form, sample.periodKey);
    print::WritePrintFile(sample.form);
    if (!runToPdf()) state.SkipWithError("muhtasar-print --pdf failed");
  }
}
BENCHMARK(BM_PrintCommandToPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PrintFileToJob(benchmark::State& state) {
  SampleDeclaration sample;
  print::WritePrintFile(sample.form);
  for (auto _ : state) {
    benchmark::DoNotOptimize(muhtasar_print::declarationJob(
        muhtasar_print::readPrintFile(muhtasar_print::kPrintFileName)));
  }
}
BENCHMARK(BM_PrintFileToJob)->Unit(benchmark::kMicrosecond);

void BM_JobToPdfInProcess(benchmark::State& state) {
  SampleDeclaration sample;
  print::WritePrintFile(sample.form);
  const std::string job =
      muhtasar_print::declarationJob(muhtasar_print::readPrintFile(muhtasar_print::kPrintFileName));
  for (auto _ : state) muhtasar_print::writePdf(job, QStringLiteral("declaration.pdf"), QStringLiteral("declaration"));
}
BENCHMARK(BM_JobToPdfInProcess)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
