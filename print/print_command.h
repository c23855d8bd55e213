#pragma once

#include <string>

namespace form {
class Form;
}

namespace print {

// The print program of the payroll package, started by the print command
// wherever it is installed.
std::string defaultPrintProgram();

// Our own print program, "muhtasar-print", installed beside this program's
// executable. It takes the payroll package's place where that is missing.
std::string ownPrintProgram();

// The folder of the running executable, ending with the path separator;
// empty when it cannot be told.
std::string executableFolder();

// Starts a program detached, in the current directory, with a normal shown
// window, without arguments and without waiting for it. False when it cannot
// be started: missing, not executable, or the start itself failed.
bool startPrintProgram(const std::string& program);

// The message of the general error report when no print program can be started.
std::string printProgramNotStartedMessage(const std::string& program);

// The print command: save, write the print file, start the payroll package's
// print program when it is installed, otherwise our own. A failure in the
// first two steps ends it there; when no print program starts it throws
// period::Error naming the payroll package's program, and the store and the
// print file stay as written.
void printDeclaration(form::Form& form, const std::string& periodKey,
                      const std::string& program = defaultPrintProgram(),
                      const std::string& fallback = ownPrintProgram());

}  // namespace print
