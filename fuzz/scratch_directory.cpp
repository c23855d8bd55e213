#include "scratch_directory.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fuzz {
namespace {

std::filesystem::path scratch;

void removeScratch() {
  std::error_code ignored;
  std::filesystem::remove_all(scratch, ignored);
}

const std::filesystem::path& scratchFolder() {
  if (scratch.empty()) {
    std::error_code error;
    const bool shm = std::filesystem::is_directory("/dev/shm", error);
    std::string pattern =
        (shm ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path()) /
        "muhtasar-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) fail("cannot make a scratch folder at " + pattern);
    scratch = pattern;
    std::atexit(removeScratch);
  }
  return scratch;
}

}  // namespace

InScratchDirectory::InScratchDirectory() : startFolder_(open(".", O_RDONLY | O_DIRECTORY)) {
  if (startFolder_ < 0) fail("cannot hold on to the current folder");
  if (chdir(scratchFolder().c_str()) != 0) fail("cannot enter the scratch folder");
}

InScratchDirectory::~InScratchDirectory() {
  if (fchdir(startFolder_) != 0) fail("cannot go back to the folder the fuzzer started in");
  close(startFolder_);
}

void writeFile(const char* name, std::string_view bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) fail(std::string("cannot write ") + name);
}

std::string readFile(const char* name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) fail(std::string("cannot read ") + name);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void fail(const std::string& what) {
  std::fprintf(stderr, "FINDING: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

}  // namespace fuzz
