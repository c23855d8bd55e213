// pagette on Windows reads its raw command line, quotes and all: a program
// started with a command line of the test's choosing reports what it found.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "scratch_folder.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace pagette {
namespace {

namespace fs = std::filesystem;

struct RawCase {
  const char* commandLine;  // {probe} stands for the probe's own path
  const char* tail;
  const char* path;
};

#ifdef _WIN32

// Starts the program with exactly this command line in the folder and waits for it.
void runWithCommandLine(const fs::path& program, std::string commandLine, const fs::path& folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(program.string().c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                             0, nullptr, folder.string().c_str(), &startup, &process))
      << "error " << GetLastError();
  WaitForSingleObject(process.hProcess, 30000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

TEST(RawCommandLine, TheJobPathIsTheTextAfterTheProgramNameUpToTheFirstBlank) {
  testing::ScratchFolder folder;
  // A program folder with a blank in its name: Windows quotes the program's path.
  const fs::path program = folder.path() / "Print Tools" / "pagette.exe";
  fs::create_directories(program.parent_path());
  fs::copy_file(PAGETTE_COMMAND_LINE_PROBE, program);
  const std::string quoted = "\"" + program.string() + "\"";
  const std::vector<RawCase> cases = {
      {"pagette.exe job.txt ", "job.txt ", "job.txt"},
      {"pagette.exe C:\\VBM\\JOB.TXT extra words", "C:\\VBM\\JOB.TXT extra words",
       "C:\\VBM\\JOB.TXT"},
      {"pagette.exe \"C:\\Print Jobs\\a.txt\" x", "\"C:\\Print Jobs\\a.txt\" x", "\"C:\\Print"},
      {"{probe}   job.txt more", "job.txt more", "job.txt"},
      {"{probe}", "", ""},
  };
  for (const RawCase& c : cases) {
    std::string commandLine = c.commandLine;
    if (const auto at = commandLine.find("{probe}"); at != std::string::npos)
      commandLine.replace(at, 7, quoted);
    fs::remove(folder.path() / "probe.txt");
    runWithCommandLine(program, commandLine, folder.path());
    std::ifstream in(folder.path() / "probe.txt", std::ios::binary);
    const std::string found{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(found, std::string(c.tail) + "\n" + c.path + "\n")
        << "command line «" << commandLine << "»";
  }
}

#else

TEST(RawCommandLine, TheJobPathIsTheTextAfterTheProgramNameUpToTheFirstBlank) {
  GTEST_SKIP() << "a POSIX program gets its arguments already split; only Windows hands over "
                  "the raw command line";
}

#endif

}  // namespace
}  // namespace pagette
