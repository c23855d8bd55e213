#pragma once

#include <string>

namespace pagette {

// What differs between the systems in how the program is started: the path of
// the print job file it was given, and the process settings it needs.

// The path of the print job file, empty when none was given.
std::string jobPathOfThisProcess(int argc, char** argv);

// Sets the process up before anything else runs: a write beyond a file-size
// limit must fail as an error that the program reports and survives, not end
// the process without a word; memory freed between sheets is kept for the next.
void prepareProcess();

}  // namespace pagette
