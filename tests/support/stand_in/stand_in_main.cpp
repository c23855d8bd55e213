// Stands in for the payroll package's print program in the tests. Next to
// itself it writes "cwd" (the current directory it inherited) and "command
// line" (how it was started), then holds on until a file "go" appears there,
// and writes "done": "released", or "timed out" after 20 seconds. A start that
// waited for the program would never see "done" written as "released".
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "own_start.h"

namespace fs = std::filesystem;

namespace {

// Written under another name first, so that a reader never sees half a record.
void record(const fs::path& folder, const std::string& name, const std::string& text) {
  const fs::path partial = folder / (name + ".partial");
  std::ofstream(partial, std::ios::binary) << text << '\n';
  fs::rename(partial, folder / name);
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path folder = ownFolder(argv);
  record(folder, "cwd", fs::current_path().string());
  record(folder, "command line", ownCommandLine(argc, argv));
  for (int i = 0; i < 400; ++i) {
    if (fs::exists(folder / "go")) {
      record(folder, "done", "released");
      return 0;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  record(folder, "done", "timed out");
  return 0;
}
