// A window that opens a period another running window holds is told so; a
// window that crashed holds nothing, and the last window to end removes the
// lock file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "period/period_hold.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::ScratchDir;
namespace fs = std::filesystem;

// Another window: holds the period, then waits until it is ended (killed for a
// crash) or ends by itself, as a program that exits normally does.
pid_t otherWindowHolding(const std::string& key, bool endsByItself) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    period::holdOpenPeriod(key);
    const char held = 1;
    if (write(ready[1], &held, 1) != 1) _exit(1);
    if (endsByItself) std::exit(0);
    pause();
    _exit(0);
  }
  char held = 0;
  if (read(ready[0], &held, 1) != 1) held = 0;
  close(ready[0]);
  close(ready[1]);
  return held == 1 ? child : -1;
}

TEST(PeriodHold, TellsOnlyOfAWindowThatIsRunningOnTheSamePeriod) {
  ScratchDir dir;
  const pid_t other = otherWindowHolding("2026101112", false);
  ASSERT_GT(other, 0);
  EXPECT_TRUE(period::holdOpenPeriod("2026101112"));
  EXPECT_FALSE(period::holdOpenPeriod("2026070809")) << "another period";
  kill(other, SIGKILL);  // a crash: its lock file stays, held by nobody
  waitpid(other, nullptr, 0);
  EXPECT_TRUE(fs::exists(period::periodLockPath("2026101112")));
  EXPECT_FALSE(period::holdOpenPeriod("2026101112"));
}

TEST(PeriodHold, TheLastWindowToEndRemovesTheLockFile) {
  ScratchDir dir;
  const pid_t other = otherWindowHolding("2026101112", true);
  ASSERT_GT(other, 0);
  waitpid(other, nullptr, 0);
  EXPECT_FALSE(fs::exists(period::periodLockPath("2026101112")));
  EXPECT_EQ(fs::path(period::periodLockPath("20/6 Ka")).filename(), "muhtasar.ini.20%2f6%20ka.lock");
}

}  // namespace
