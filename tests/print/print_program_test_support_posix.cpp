#include "print/print_program_test_support.h"
#include "support/scratch_dir.h"

namespace print {

std::string programFileName(const std::string& name) {
  return name;
}

// The stand-in joins its arguments, the path first.
std::string commandLineOf(const std::string& path) {
  return path;
}

// A script without the right to run it: exec fails although the path exists.
std::string notStartable(const std::filesystem::path& path) {
  testing_support::writeFile(path, "#!/bin/sh\nexit 0\n");
  std::filesystem::permissions(
      path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  return path.string();
}

}  // namespace print
