// Start-up of muhtasar as a user meets it: the process starts in a folder
// holding the payroll summary, reads it, fills and saves the declaration,
// builds the window and paints it; then it quits (the program's quit-after-show
// hook) and the process ends. On a machine without a display the offscreen
// platform stands in.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/muhtasar_program.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

std::vector<std::string> programEnvironment() {
  std::vector<std::string> variables;
  for (char** v = environ; *v != nullptr; ++v) variables.emplace_back(*v);
  variables.push_back(std::string(app::kQuitAfterShowVariable) + "=1");
  if (std::getenv("DISPLAY") == nullptr && std::getenv("QT_QPA_PLATFORM") == nullptr)
    variables.emplace_back("QT_QPA_PLATFORM=offscreen");
  return variables;
}

// Returns the exit status, or -1 when the program could not run.
int runProgramIn(const fs::path& folder, std::vector<std::string>& environment) {
  std::vector<char*> envp;
  for (std::string& v : environment) envp.push_back(v.data());
  envp.push_back(nullptr);
  std::string program = MUHTASAR_PROGRAM;
  char* argv[] = {program.data(), nullptr};

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

void BM_StartUpToWindowShown(benchmark::State& state, bool storedDeclaration) {
  std::string pattern = (fs::temp_directory_path() / "muhtasar-startup-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    state.SkipWithError("no scratch folder");
    return;
  }
  const fs::path folder = pattern;
  fs::copy_file(fs::path(MUHTASAR_EXAMPLES_DIR) / "BORDMHT.DAT", folder / "BORDMHT.DAT");
  std::vector<std::string> environment = programEnvironment();
  if (storedDeclaration && runProgramIn(folder, environment) != 0) {
    state.SkipWithError("muhtasar did not run");
  }
  for (auto _ : state) {
    if (!storedDeclaration) fs::remove(folder / "muhtasar.ini");
    if (runProgramIn(folder, environment) != 0) {
      state.SkipWithError("muhtasar did not run to its window");
      break;
    }
  }
  fs::remove_all(folder);
}

// First start for a period: the declaration is computed from the summary.
BENCHMARK_CAPTURE(BM_StartUpToWindowShown, fresh_declaration, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
// Later starts: the declaration is loaded from the store.
BENCHMARK_CAPTURE(BM_StartUpToWindowShown, stored_declaration, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

}  // namespace
