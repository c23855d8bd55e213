#pragma once

#include <string>
#include <vector>

namespace form {
class Form;
}

namespace print {

inline constexpr const char* kPrintFile = "BORDMHT1.DAT";

// The 548 lines of the print file, without their line ends.
std::vector<std::string> printLines(const form::Form& form);

// Writes "BORDMHT1.DAT" in the current directory, replacing any earlier one.
void WritePrintFile(const form::Form& form);

}  // namespace print
