// The print program is started by its bare path in the current directory,
// and the print command does not wait for it: on Windows through
// CreateProcessA, elsewhere through fork and exec.
#include <gtest/gtest.h>

#include <filesystem>

#include "print/print_command.h"
#include "support/scratch_dir.h"
#include "support/stand_in_program.h"

namespace print {
namespace {

#ifdef _WIN32
const char* const kProgramName = "vbmrun.exe";
#else
const char* const kProgramName = "vbmrun";
#endif

TEST(PrintProgramStart, BarePathInheritedFolderAndNoWaiting) {
  testing_support::ScratchDir dir;
  testing_support::StandInProgram program(kProgramName);
  startPrintProgram(program.path());
  // Back here while the program holds on: had the start waited, the program
  // would have timed out first and recorded so.
  program.release();
  EXPECT_EQ(program.awaitRecord("done"), "released");
  EXPECT_EQ(program.awaitRecord("cwd"), std::filesystem::current_path().string());
  EXPECT_EQ(program.awaitRecord("command line"), program.path());
}

}  // namespace
}  // namespace print
