// The print program runs as a grandchild of the window, so that it never
// becomes a zombie the window would have to reap, whether it started or not.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "form/form.h"
#include "print/print_command.h"
#include "print/print_program_test_support.h"
#include "support/error_message.h"
#include "support/scratch_dir.h"
#include "support/stand_in_program.h"

namespace print {
namespace {

bool noChildLeft() {
  errno = 0;
  return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

TEST(PrintCommandChildren, NoneIsLeftToReap) {
  testing_support::ScratchDir dir;
  testing_support::StandInProgram program("vbmrun");
  const std::string missing = (dir.path() / "missing").string();
  const std::string plain = notStartable(dir.path() / "plain-file");
  const struct {
    std::string program, fallback;
  } cases[] = {{program.path(), ""}, {missing, program.path()}, {plain, missing}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.program + " / " + c.fallback);
    form::Form form;
    testing_support::errorMessage(
        [&] { printDeclaration(form, "2026101112", c.program, c.fallback); });
    EXPECT_TRUE(noChildLeft());
  }
  program.release();
  EXPECT_EQ(program.awaitRecord("done"), "released");
}

}  // namespace
}  // namespace print
