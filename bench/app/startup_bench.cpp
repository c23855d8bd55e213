// Start-up of muhtasar as a user meets it, beside a bare Qt window with a menu
// (bare_qt_window, built with the same flags).
//
// What is timed: from the spawn of the process to its first paint, which the
// program marks with the line "shown" on its standard output once the painted
// window is on the screen. Everything in between counts: loading the program,
// the application, reading the payroll summary, finding and loading the
// declaration in the store, the save at start-up, building and painting the
// window's part seen at start. What follows the paint is not timed: the lower
// part of the form, which the window builds right after its first paint, and
// the end of the process. muhtasar runs under MUHTASAR_QUIT_AFTER_SHOW, which
// ends it without closing the window, so the save on close never runs.
//
// The store holds 1, 120 or 1,200 periods of full declarations; the current
// one is the last section, as the newest period is. Every iteration starts
// the bare window and then muhtasar, so both meet the same load of the
// machine: the time reported is muhtasar's, the counter bare_ms the
// baseline's and ratio the one divided by the other. On a busy machine the
// processor time of the two processes (cpu_ms, bare_cpu_ms, cpu_ratio; each
// process whole, its end after the paint included) is the steadier figure.
// Under "xcb" the window goes to the X display named by DISPLAY (an Xvfb);
// "offscreen" draws into memory.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "form/form.h"
#include "period/store.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::string_view kQuitAfterShow = "MUHTASAR_QUIT_AFTER_SHOW=1";

std::vector<std::string> programEnvironment(std::string_view platform) {
  std::vector<std::string> variables;
  for (char** v = environ; *v != nullptr; ++v) {
    if (!std::string_view(*v).starts_with("QT_QPA_PLATFORM=")) variables.emplace_back(*v);
  }
  variables.emplace_back(kQuitAfterShow);
  variables.push_back("QT_QPA_PLATFORM=" + std::string(platform));
  return variables;
}

struct Run {
  bool shown = false;
  double seconds = 0;     // spawn to the mark of the first paint
  double cpuSeconds = 0;  // the whole process's processor time, its end included
};

// Starts the program in the folder, times it to its mark "shown", then waits
// for its end untimed.
Run runUntilShown(const char* program, const fs::path& folder,
                  std::vector<std::string>& environment) {
  std::vector<char*> envp;
  for (std::string& v : environment) envp.push_back(v.data());
  envp.push_back(nullptr);
  std::string path = program;
  char* argv[] = {path.data(), nullptr};
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) return {};

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  const Clock::time_point start = Clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    close(out[0]);
    return {};
  }
  std::string said;
  char c = 0;
  while (said.find('\n') == std::string::npos && read(out[0], &c, 1) == 1) said += c;
  Run run;
  run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  run.shown = said == "shown\n";
  close(out[0]);
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    run.shown = false;
  run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  return run;
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One full declaration as the store keeps it, without its section line.
std::string fullSectionBody() {
  const fs::path previous = fs::current_path();
  std::string pattern = (fs::temp_directory_path() / "muhtasar-section-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  fs::current_path(pattern);
  form::Form form;
  for (int n = 1; n <= 214; ++n) form.edit(n).setText(std::to_string(n));
  for (int n = 1; n <= 148; ++n) {
    if (n != 24) form.maskEdit(n).setText("___,__1,234.50");
  }
  period::SaveDeclaration(form, "SECTION");
  std::string body = readFile("muhtasar.ini").substr(std::string("[SECTION]\r\n").size());
  fs::current_path(previous);
  fs::remove_all(pattern);
  return body;
}

// A folder with the payroll summary and a store of the given number of
// periods, the current period last.
fs::path startUpFolder(int sections, std::vector<std::string>& environment) {
  std::string pattern = (fs::temp_directory_path() / "muhtasar-startup-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return {};
  const fs::path folder = pattern;
  fs::copy_file(fs::path(MUHTASAR_EXAMPLES_DIR) / "BORDMHT.DAT", folder / "BORDMHT.DAT");
  // The first start computes the current declaration and stores it.
  if (!runUntilShown(MUHTASAR_PROGRAM, folder, environment).shown) return {};
  const std::string current = readFile(folder / "muhtasar.ini");
  const std::string body = fullSectionBody();
  std::ofstream store(folder / "muhtasar.ini", std::ios::binary | std::ios::trunc);
  for (int i = 0; i + 1 < sections; ++i) {
    store << "[" << 2000 + i / 4 << "0" << 1 + i % 4 << "0203]\r\n" << body;
  }
  store << current;
  return folder;
}

void BM_StartUpToFirstPaint(benchmark::State& state, const char* platform) {
  if (std::string_view(platform) == "xcb" && std::getenv("DISPLAY") == nullptr) {
    state.SkipWithError("no X display: run with DISPLAY set (for example an Xvfb)");
    return;
  }
  std::vector<std::string> environment = programEnvironment(platform);
  const fs::path folder = startUpFolder(static_cast<int>(state.range(0)), environment);
  if (folder.empty()) {
    state.SkipWithError("muhtasar did not start");
    return;
  }
  double muhtasar = 0;
  double bare = 0;
  double muhtasarCpu = 0;
  double bareCpu = 0;
  for (auto _ : state) {
    const Run baseline = runUntilShown(BARE_QT_WINDOW_PROGRAM, folder, environment);
    const Run program = runUntilShown(MUHTASAR_PROGRAM, folder, environment);
    if (!baseline.shown || !program.shown) {
      state.SkipWithError("a program did not reach its first paint");
      break;
    }
    state.SetIterationTime(program.seconds);
    muhtasar += program.seconds;
    bare += baseline.seconds;
    muhtasarCpu += program.cpuSeconds;
    bareCpu += baseline.cpuSeconds;
  }
  state.counters["store_MB"] = static_cast<double>(fs::file_size(folder / "muhtasar.ini")) / 1e6;
  if (state.iterations() > 0 && bare > 0) {
    state.counters["bare_ms"] = 1000 * bare / static_cast<double>(state.iterations());
    state.counters["ratio"] = muhtasar / bare;
    state.counters["cpu_ms"] = 1000 * muhtasarCpu / static_cast<double>(state.iterations());
    state.counters["bare_cpu_ms"] = 1000 * bareCpu / static_cast<double>(state.iterations());
    if (bareCpu > 0) state.counters["cpu_ratio"] = muhtasarCpu / bareCpu;
  }
  fs::remove_all(folder);
}

void storeSizes(benchmark::internal::Benchmark* b) {
  b->ArgName("sections")
      ->Arg(1)
      ->Arg(120)
      ->Arg(1200)
      ->Unit(benchmark::kMillisecond)
      ->UseManualTime()
      ->Iterations(5)
      ->Repetitions(7)
      ->ReportAggregatesOnly(true);
}

BENCHMARK_CAPTURE(BM_StartUpToFirstPaint, xcb, "xcb")->Apply(storeSizes);
BENCHMARK_CAPTURE(BM_StartUpToFirstPaint, offscreen, "offscreen")->Apply(storeSizes);

}  // namespace

BENCHMARK_MAIN();
