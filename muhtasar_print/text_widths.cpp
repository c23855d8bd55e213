#include "muhtasar_print/text_widths.h"

#include <array>
#include <cstdint>

namespace muhtasar_print {
namespace {

#include "muhtasar_print/text_widths_table.inc"

constexpr double kUnitsPerEm = 2048;
constexpr double kTwipsPerPoint = 20;

}  // namespace

double textWidth(std::string_view cp1254, double points, bool bold) {
  const std::array<std::uint16_t, 256>& widths = bold ? kBoldWidths : kRegularWidths;
  long units = 0;
  for (char c : cp1254) units += widths[static_cast<unsigned char>(c)];
  return double(units) / kUnitsPerEm * points * kTwipsPerPoint;
}

}  // namespace muhtasar_print
