#include <windows.h>

#include "command_line.h"
#include "process_start.h"

namespace pagette {

// Windows hands over the raw command line; producers start the program with
// the path followed by a blank, so the path ends at the first blank.
std::string jobPathOfThisProcess(int, char**) {
  return jobPathFromCommandLine(windowsCommandTail(GetCommandLineA()));
}

// Windows has no signal for a file-size limit.
void prepareProcess() {}

}  // namespace pagette
