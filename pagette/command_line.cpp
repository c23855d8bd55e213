#include "command_line.h"

namespace pagette {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

std::string jobPathFromCommandLine(std::string_view commandLine) {
  std::size_t start = 0;
  while (start < commandLine.size() && isBlank(commandLine[start])) ++start;
  std::size_t end = commandLine.find(' ', start);
  if (end == std::string_view::npos) end = commandLine.size();
  return std::string(commandLine.substr(start, end - start));
}

std::string jobPathFromArguments(int argc, const char* const* argv) {
  return argc > 1 && argv[1] != nullptr ? std::string(argv[1]) : std::string();
}

std::string joinArguments(int argc, const char* const* argv) {
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }
  return commandLine;
}

std::string_view windowsCommandTail(std::string_view rawCommandLine) {
  std::size_t i = 0;
  if (!rawCommandLine.empty() && rawCommandLine[0] == '"') {
    // A quoted program name runs to the next quote; Windows allows no escapes there.
    std::size_t closing = rawCommandLine.find('"', 1);
    i = closing == std::string_view::npos ? rawCommandLine.size() : closing + 1;
  }
  while (i < rawCommandLine.size() && !isBlank(rawCommandLine[i])) ++i;
  while (i < rawCommandLine.size() && isBlank(rawCommandLine[i])) ++i;
  return rawCommandLine.substr(i);
}

}  // namespace pagette
