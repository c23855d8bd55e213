// Reads its own raw command line the way pagette does on Windows and writes
// what it found into "probe.txt" in its current directory: the text after the
// program's name on the first line, the job path on the second.
#include <windows.h>

#include <fstream>
#include <string>

#include "command_line.h"

int main() {
  const std::string tail(pagette::windowsCommandTail(GetCommandLineA()));
  std::ofstream("probe.txt", std::ios::binary) << tail << '\n'
                                               << pagette::jobPathFromCommandLine(tail) << '\n';
  return 0;
}
