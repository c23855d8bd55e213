#pragma once

#include <string>
#include <vector>

namespace form {
class Form;
}

namespace print {

inline constexpr const char* kPrintFile = "BORDMHT1.DAT";
inline constexpr int kPrintFileLines = 548;

// The 548 lines of the print file, without their line ends.
std::vector<std::string> printLines(const form::Form& form);

// The bytes of the print file: every line ended by CR LF.
std::string printFileContent(const form::Form& form);

// Writes "BORDMHT1.DAT" in the current directory, replacing any earlier one.
// Throws period::Error with the input/output message when the file cannot be
// created, written or closed.
void WritePrintFile(const form::Form& form);

}  // namespace print
