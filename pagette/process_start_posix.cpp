#include <malloc.h>

#include <csignal>

#include "command_line.h"
#include "process_start.h"

namespace pagette {

// The shell has already split the command line: the path is the first
// argument, blanks and all.
std::string jobPathOfThisProcess(int argc, char** argv) {
  return jobPathFromArguments(argc, argv);
}

void prepareProcess() {
  std::signal(SIGXFSZ, SIG_IGN);
  // Qt's PDF engine compresses every sheet with buffers of a quarter megabyte,
  // taken and given back sheet by sheet. Returned to the system each time, they
  // cost a system call and fresh pages for every sheet of a long job; kept,
  // they are simply used again.
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  mallopt(M_MMAP_THRESHOLD, 4 << 20);
}

}  // namespace pagette
