#pragma once

#include <string>

namespace form {
class Form;
}

namespace print {

// The print program of the payroll package, started by the print command.
std::string defaultPrintProgram();

// Starts a program detached, in the current directory, with a normal shown
// window, without arguments and without waiting; the result is not looked at.
void startPrintProgram(const std::string& program);

// The print command: save, write the print file, start the print program.
// A failure in the first two steps ends it there.
void printDeclaration(form::Form& form, const std::string& periodKey,
                      const std::string& program = defaultPrintProgram());

}  // namespace print
