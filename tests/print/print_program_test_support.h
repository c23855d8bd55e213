#pragma once

#include <filesystem>
#include <string>

namespace print {

// The name of a program file: with ".exe" on Windows.
std::string programFileName(const std::string& name);

// The command line the stand-in records when the print command starts path.
std::string commandLineOf(const std::string& path);

// Makes a file at path that exists but cannot be started, and gives its path.
std::string notStartable(const std::filesystem::path& path);

}  // namespace print
