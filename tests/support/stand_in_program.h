#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

// A copy of the stand-in print program (support/stand_in) in a folder of its
// own, where it leaves its records: "cwd", "command line" and, once released,
// "done". The same program on every platform: an .exe on Windows.
class StandInProgram {
 public:
  explicit StandInProgram(const std::string& name);
  ~StandInProgram();
  StandInProgram(const StandInProgram&) = delete;
  StandInProgram& operator=(const StandInProgram&) = delete;

  std::string path() const { return path_.string(); }
  bool started() const;
  // Lets the program end; until then it holds on.
  void release() const;
  // The record, without its line end, once the program has written it; empty
  // after 30 seconds without it.
  std::string awaitRecord(const std::string& name) const;

 private:
  std::filesystem::path folder_;
  std::filesystem::path path_;
};

}  // namespace testing_support
