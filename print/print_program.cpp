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

// Between fork and exec only async-signal-safe calls are allowed: the window
// may run other threads.
[[noreturn]] void execDetached(const char* program) {
  const long maxFiles = sysconf(_SC_OPEN_MAX);
  const int limit = maxFiles > 0 && maxFiles < 65536 ? static_cast<int>(maxFiles) : 65536;
  // The print program gets the standard streams only, not the window's files.
  for (int fd = 3; fd < limit; ++fd) close(fd);
  setsid();
  char* const argv[] = {const_cast<char*>(program), nullptr};
  execv(program, argv);
  _exit(127);
}

}  // namespace

void startPrintProgram(const std::string& program) {
  // Two forks: the intermediate child ends at once and is reaped here, so the
  // print program belongs to init and never stays behind as a zombie of ours.
  const pid_t child = fork();
  if (child < 0) return;
  if (child == 0) {
    const pid_t grandchild = fork();
    if (grandchild == 0) execDetached(program.c_str());
    _exit(0);
  }
  while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
}

#endif

}  // namespace print
