// Starting a print program on POSIX systems.
#include <fcntl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>

#include "print/print_command.h"

namespace print {

std::string defaultPrintProgram() {
  return "/vbmbord/vbmexe/vbmrun";
}

std::string executableFolder() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  if (length <= 0 || static_cast<size_t>(length) >= sizeof path) return "";
  std::string folder(path, static_cast<size_t>(length));
  return folder.substr(0, folder.rfind('/') + 1);
}

std::string ownPrintProgram() {
  const std::string folder = executableFolder();
  return folder.empty() ? "" : folder + "muhtasar-print";
}

namespace {

// The highest file number to close in the print program: it gets the standard
// streams only, not the window's files.
int openFileLimit() {
  const long limit = sysconf(_SC_OPEN_MAX);
  return limit > 0 && limit < 65536 ? static_cast<int>(limit) : 65536;
}

// Runs in the grandchild: between fork and exec only async-signal-safe calls
// are allowed, since the window may run other threads. A failed exec writes its
// errno into the report pipe, whose write end a successful exec closes.
[[noreturn]] void execDetached(char* const argv[], int fileLimit, int report) {
  for (int fd = 3; fd < fileLimit; ++fd) {
    if (fd != report) close(fd);
  }
  setsid();
  execv(argv[0], argv);
  const int error = errno;
  [[maybe_unused]] ssize_t written = write(report, &error, sizeof error);
  _exit(127);
}

void reap(pid_t child) {
  while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace

bool startPrintProgram(const std::string& program) {
  if (program.empty()) return false;
  std::string path = program;
  char* const argv[] = {path.data(), nullptr};
  const int fileLimit = openFileLimit();
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;
  // Two forks: the intermediate child ends at once and is reaped here, so the
  // print program belongs to init and never stays behind as a zombie of ours.
  const pid_t child = fork();
  if (child < 0) {
    close(report[0]);
    close(report[1]);
    return false;
  }
  if (child == 0) {
    close(report[0]);
    const pid_t grandchild = fork();
    if (grandchild == 0) execDetached(argv, fileLimit, report[1]);
    // Without a grandchild nothing writes into the pipe; say so.
    if (grandchild < 0) {
      const int error = errno;
      [[maybe_unused]] ssize_t written = write(report[1], &error, sizeof error);
    }
    _exit(0);
  }
  close(report[1]);
  reap(child);
  // End of file without a word: the exec succeeded and closed the pipe.
  int error = 0;
  ssize_t got;
  while ((got = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
  }
  close(report[0]);
  return got == 0;
}

}  // namespace print
