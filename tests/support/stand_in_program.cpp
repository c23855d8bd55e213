#include "support/stand_in_program.h"

#include <chrono>
#include <fstream>
#include <iterator>
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
  // Under Wine a record that has just been renamed into place may refuse to
  // open for a moment; it is read again until it opens.
  std::string record;
  bool read = false;
  for (int i = 0; i < 600 && !read; ++i) {
    std::ifstream in(folder_ / name, std::ios::binary);
    if (in) {
      record.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      read = !in.bad();
    }
    if (!read) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (!read) return "";
  if (!record.empty() && record.back() == '\n') record.pop_back();
  return record;
}

}  // namespace testing_support
