#include "support/stand_in_program.h"

#include <chrono>
#include <thread>

#include "support/scratch_dir.h"

namespace testing_support {

namespace fs = std::filesystem;

StandInProgram::StandInProgram(const std::string& name)
    : folder_(freshFolder("muhtasar-stand-in-")), path_(folder_ / name) {
  fs::copy_file(PRINT_PROGRAM_STAND_IN, path_);
}

StandInProgram::~StandInProgram() {
  // A program still running holds its file on Windows; let it go first.
  release();
  if (started()) awaitRecord("done");
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

bool StandInProgram::started() const {
  return fs::exists(folder_ / "cwd");
}

void StandInProgram::release() const {
  writeFile(folder_ / "go", "");
}

std::string StandInProgram::awaitRecord(const std::string& name) const {
  for (int i = 0; i < 600 && !fs::exists(folder_ / name); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (!fs::exists(folder_ / name)) return "";
  std::string record = readFile(folder_ / name);
  if (!record.empty() && record.back() == '\n') record.pop_back();
  return record;
}

}  // namespace testing_support
