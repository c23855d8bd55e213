#pragma once

#include <array>
#include <string>

namespace pagette {

// One record of a print job file: 13 numbers and a text.
struct JobRecord {
  static constexpr int kFieldCount = 14;
  static constexpr int kTextField = 14;

  std::array<double, kFieldCount - 1> numbers{};
  std::string text;
  // The line of the job file on which each field begins.
  std::array<int, kFieldCount> lines{};

  // Fields are numbered from 1, as producers count them.
  double field(int number) const { return numbers[static_cast<std::size_t>(number - 1)]; }
  int lineOf(int number) const { return lines[static_cast<std::size_t>(number - 1)]; }
};

}  // namespace pagette
