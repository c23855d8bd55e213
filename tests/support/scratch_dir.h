#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

// A new empty folder under the system's temporary folder; its name starts with prefix.
std::filesystem::path freshFolder(const std::string& prefix);

// A fresh folder that is the current directory while the object lives: the
// commands form every path from the current directory.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace testing_support
