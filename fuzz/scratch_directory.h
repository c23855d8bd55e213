#pragma once

#include <string>
#include <string_view>

namespace fuzz {

// While it lives, a folder of this process's own is the current directory: the
// readers open their files by bare name there. The folder lies under /dev/shm
// where there is one, so that those files cost no disk, else under the
// temporary folder; it is made on first use and goes when the process ends.
// libFuzzer itself reads and writes its corpus and findings by paths relative
// to the folder it was started in, so that folder is current again in between.
class InScratchDirectory {
 public:
  InScratchDirectory();
  ~InScratchDirectory();
  InScratchDirectory(const InScratchDirectory&) = delete;
  InScratchDirectory& operator=(const InScratchDirectory&) = delete;

 private:
  int startFolder_;
};

void writeFile(const char* name, std::string_view bytes);
std::string readFile(const char* name);

// Stops the fuzzer with a message: the input that got here is a finding.
[[noreturn]] void fail(const std::string& what);

}  // namespace fuzz
