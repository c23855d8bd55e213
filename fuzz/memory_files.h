#pragma once

#include <string>
#include <string_view>

#include "finding.h"

namespace fuzz {

// The fuzzers run the declaration logic over files kept in memory: this
// build's platform half of the store's file calls (period/file_replace.h)
// keeps every file in a table instead of on a disk, with no fsync and no
// folder, so an input costs microseconds. Files are named by their last
// path component.

// While it lives, the table starts empty; it is emptied again at its end.
class MemoryFiles {
 public:
  MemoryFiles();
  ~MemoryFiles();
  MemoryFiles(const MemoryFiles&) = delete;
  MemoryFiles& operator=(const MemoryFiles&) = delete;
};

void writeFile(const char* name, std::string_view bytes);
std::string readFile(const char* name);

}  // namespace fuzz
