#pragma once

#include <string>

namespace muhtasar_print {

// Where a field of the form stands in the print file. The print file names no
// value: this table, built the way the file is written, is the only key.
enum class LineKind { Text, Check, AmountPair };

struct FileLine {
  int number = 0;  // first line; an amount pair takes this line and the next
  LineKind kind = LineKind::Text;
};

// The line of a field of the form; number 0 for a field the file leaves out
// (the rate field Edit18).
FileLine lineOfField(const std::string& fieldName);

// What muhtasar writes on a line of the print file.
enum class LineShape { Text, Check, AmountInteger, AmountDecimals };
LineShape lineShape(int number);

// The payee row r (1..62) takes seven lines from this one on.
constexpr int payeeRowLine(int row) {
  return 115 + 7 * (row - 1);
}

// Line 114 carries the code of row 16 a second time, the same as line 65.
constexpr int kRow16CodeLine = 65;
constexpr int kRepeatedRow16CodeLine = 114;

}  // namespace muhtasar_print
