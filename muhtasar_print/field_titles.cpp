#include "muhtasar_print/field_titles.h"

#include "check/field_captions.h"
#include "muhtasar_print/print_file.h"
#include "muhtasar_print/print_file_lines.h"

namespace muhtasar_print {
namespace {

std::string withLine(std::string title, int line) {
  if (line == 0) return title;
  title += " (";
  title += kPrintFileName;
  title += " ";
  title += std::to_string(line);
  title += ". satır)";
  return title;
}

}  // namespace

std::string fieldTitle(const std::string& fieldName) {
  return withLine(check::fieldCaption(fieldName), lineOfField(fieldName).number);
}

std::string payeeCellTitle(int row, int column) {
  static const int offsets[] = {0, 1, 2, 3, 5};
  return withLine(check::payeeCellCaption(row, column), payeeRowLine(row) + offsets[column]);
}

}  // namespace muhtasar_print
