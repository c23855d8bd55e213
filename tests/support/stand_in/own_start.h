#pragma once

#include <filesystem>
#include <string>

// How the stand-in program was started, as its system tells it.

// The folder that holds the program file.
std::filesystem::path ownFolder(char** argv);

// The command line: on Windows the raw one, quotes and all; elsewhere the
// arguments, program path first, joined with single blanks.
std::string ownCommandLine(int argc, char** argv);
