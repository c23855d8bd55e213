#include "own_start.h"

std::filesystem::path ownFolder(char**) {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

std::string ownCommandLine(int argc, char** argv) {
  std::string line;
  for (int i = 0; i < argc; ++i) {
    if (i > 0) line += ' ';
    line += argv[i];
  }
  return line;
}
