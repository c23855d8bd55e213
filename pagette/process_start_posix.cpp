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
}

}  // namespace pagette
