// Placeholder bodies so the program links while the print file writer is being written.
#include "print/print_file.h"

namespace print {
std::vector<std::string> printLines(const form::Form&) { return {}; }
void WritePrintFile(const form::Form&) {}
}  // namespace print
