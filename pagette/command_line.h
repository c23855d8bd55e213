#pragma once

#include <string>
#include <string_view>

namespace pagette {

// The path of the print job file: everything before the first blank of the
// command line, taken as written (quotes included). A command line without a
// blank is the path as a whole. Empty when there is no path.
std::string jobPathFromCommandLine(std::string_view commandLine);

// Where the shell splits the command line into arguments: the first argument
// after the program's name, whole, blanks included; the others are ignored.
std::string jobPathFromArguments(int argc, const char* const* argv);

// The arguments after the program's name joined with single blanks, as a
// command line shows them.
std::string joinArguments(int argc, const char* const* argv);

// On Windows the command line is the raw one after the program's name.
std::string_view windowsCommandTail(std::string_view rawCommandLine);

}  // namespace pagette
