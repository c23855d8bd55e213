#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace muhtasar_print {

inline constexpr const char* kPrintFileName = "BORDMHT1.DAT";
inline constexpr int kPrintFileLines = 548;
// No field of the form comes near this; a longer line is not a print file's.
inline constexpr std::size_t kLongestLine = 4096;

// A print file that cannot be printed; the message (UTF-8) names the file and
// says what is wrong with it.
class PrintFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The 548 values of the print file, code page 1254, without their line ends.
// Line n of the file is lines[n - 1].
struct PrintFile {
  std::vector<std::string> lines;
  const std::string& line(int number) const {
    return lines.at(static_cast<std::size_t>(number - 1));
  }
};

// Splits the bytes of a print file into its lines (CR LF or LF); throws
// PrintFileError for anything but 548 lines of text. `name` is the file's name
// in the messages.
PrintFile parsePrintFile(const std::string& bytes, const std::string& name);

// Reads a print file; throws PrintFileError when it is missing or unreadable.
PrintFile readPrintFile(const std::string& path);

}  // namespace muhtasar_print
