#pragma once

#include <set>
#include <string>
#include <vector>

#include "muhtasar_print/print_file.h"

namespace muhtasar_print {

// The print file carries amounts without their signs. Its computed amounts are
// checked against the relations the window keeps (rows 17a, 17b, 19, 22 and
// 24 and Table II) with their operands from the same file.
struct SumCheck {
  // First lines of the amount pairs that the operands show to be negative:
  // they print with their minus sign.
  std::set<int> negative;
  // One line each, UTF-8: every minus sign put back, every relation that does
  // not hold (the file's value then prints as it stands).
  std::vector<std::string> reports;
  // The relations that do not hold, as they stand among the reports.
  std::vector<std::string> mismatches;
};

SumCheck checkSums(const PrintFile& file);

}  // namespace muhtasar_print
