#include "muhtasar_print/print_file_lines.h"

#include <map>
#include <vector>

#include "form/catalogue.h"

namespace muhtasar_print {
namespace {

constexpr int kLastLine = 548;

using form::checkBoxName;
using form::editName;
using form::maskEditName;
using form::staticTextName;

std::map<std::string, FileLine> buildLines() {
  std::map<std::string, FileLine> lines;
  int next = 1;
  auto add = [&](const std::string& name, LineKind kind) {
    lines[name] = {next, kind};
    next += kind == LineKind::AmountPair ? 2 : 1;
  };
  auto text = [&](const std::string& name) { add(name, LineKind::Text); };
  auto amount = [&](const std::string& name) { add(name, LineKind::AmountPair); };

  text("Edit1");
  text("Edit2");
  text("Edit28");
  for (int n = 1; n <= 14; ++n) add(checkBoxName(n), LineKind::Check);
  for (const char* name : {"Edit3", "Edit5_1", "Edit6", "Edit7", "Edit4", "Edit5_2", "Edit5_3"})
    text(name);
  for (int row = 8; row <= 16; ++row) {
    text(editName(row));
    amount(maskEditName(row - 7));
    amount(maskEditName(row + 2));
  }
  for (const std::string& name :
       {staticTextName(1), staticTextName(2), maskEditName(19), staticTextName(41),
        maskEditName(20), maskEditName(21), staticTextName(42), maskEditName(22),
        staticTextName(45), maskEditName(23)}) {
    amount(name);
  }
  text("Edit5");
  text("Edit17");
  text(staticTextName(36));
  for (int n : {37, 38, 39, 40, 46, 52}) amount(staticTextName(n));
  for (int n = 19; n <= 27; ++n) text(editName(n));
  ++next;  // line 114: row 16's code once more
  for (int r = 1; r <= form::kPayeeRows; ++r) {
    text(editName(3 * r + 26));
    text(editName(3 * r + 27));
    text(editName(3 * r + 28));
    amount(maskEditName(2 * r + 23));
    amount(maskEditName(2 * r + 24));
  }
  return lines;
}

const std::map<std::string, FileLine>& lines() {
  static const std::map<std::string, FileLine> built = buildLines();
  return built;
}

}  // namespace

LineShape lineShape(int number) {
  static const std::vector<LineShape> shapes = [] {
    std::vector<LineShape> built(kLastLine + 1, LineShape::Text);
    for (const auto& [name, line] : lines()) {
      if (line.kind == LineKind::Check) built[line.number] = LineShape::Check;
      if (line.kind == LineKind::AmountPair) {
        built[line.number] = LineShape::AmountInteger;
        built[line.number + 1] = LineShape::AmountDecimals;
      }
    }
    return built;
  }();
  return shapes.at(static_cast<std::size_t>(number));
}

FileLine lineOfField(const std::string& fieldName) {
  const auto found = lines().find(fieldName);
  return found == lines().end() ? FileLine{} : found->second;
}

}  // namespace muhtasar_print
