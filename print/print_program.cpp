// Starting the payroll package's print program: the one platform call of the
// print command.
#include "print/print_command.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace print {

#ifdef _WIN32

std::string defaultPrintProgram() {
  return "\\vbmbord\\vbmexe\\vbmrun.exe";
}

void startPrintProgram(const std::string& program) {
  // The command line is the bare path, not quoted; without a drive letter it
  // names the folder on the drive of the current directory.
  std::string commandLine = program;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

#else

std::string defaultPrintProgram() {
  return "/vbmbord/vbmexe/vbmrun";
}

namespace {

// The highest file number to close in the print program: it gets the standard
// streams only, not the window's files.
int openFileLimit() {
  const long limit = sysconf(_SC_OPEN_MAX);
  return limit > 0 && limit < 65536 ? static_cast<int>(limit) : 65536;
}

// Runs in the child: between fork and exec only async-signal-safe calls are
// allowed, since the window may run other threads.
[[noreturn]] void execDetached(char* const argv[], int fileLimit) {
  for (int fd = 3; fd < fileLimit; ++fd) close(fd);
  setsid();
  execv(argv[0], argv);
  _exit(127);
}

}  // namespace

void startPrintProgram(const std::string& program) {
  std::string path = program;
  char* const argv[] = {path.data(), nullptr};
  const int fileLimit = openFileLimit();
  // Two forks: the intermediate child ends at once and is reaped here, so the
  // print program belongs to init and never stays behind as a zombie of ours.
  const pid_t child = fork();
  if (child < 0) return;
  if (child == 0) {
    if (fork() == 0) execDetached(argv, fileLimit);
    _exit(0);
  }
  while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
}

#endif

}  // namespace print
