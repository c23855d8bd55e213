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
  // Qt's PDF engine compresses every sheet through two buffers of sixteen
  // megabytes, taken and given back sheet by sheet, of which it touches only a
  // little. Mapped and unmapped each time, they cost system calls and fresh
  // pages for every sheet of a long job (a third of its time); taken from the
  // heap and kept there, they are simply used again.
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
}

}  // namespace pagette
