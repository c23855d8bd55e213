#include "print/print_program_test_support.h"
#include "support/scratch_dir.h"

namespace print {

std::string programFileName(const std::string& name) {
  return name + ".exe";
}

// The raw command line: the bare path, quoted only where it holds a blank.
std::string commandLineOf(const std::string& path) {
  return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

// Text under an .exe name: CreateProcessA refuses it as no program.
std::string notStartable(const std::filesystem::path& path) {
  testing_support::writeFile(path, "not a program\r\n");
  return path.string();
}

}  // namespace print
