#include "app/history_view.h"

#include "check/field_captions.h"
#include "form/cp1254.h"
#include "form/form.h"
#include "period/ini_file.h"
#include "period/store.h"

namespace app {
namespace {

// A stored value as the form shows it: an amount without its empty places, a
// check box as ticked or not.
std::string shown(const form::Form& form, const std::string& name, const std::string& value) {
  if (form.field(name).kind() == form::FieldKind::Check) return value == "0" ? "boş" : "işaretli";
  std::string text;
  for (char c : value) text += c == '_' ? ' ' : c;
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "(boş)";
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  if (text.find_first_of("0123456789") == std::string::npos &&
      text.find_first_not_of(" ,.") == std::string::npos) {
    return "(boş)";  // an empty amount's places
  }
  return form::cp1254ToUtf8(text);
}

}  // namespace

HistoryView historyViewOf(std::string_view periodKey) {
  HistoryView view;
  view.versions = period::versionsOf(period::readHistory(), periodKey);
  for (const period::Version& version : view.versions) {
    std::string label = version.moment;
    label += "  ";
    label += form::cp1254ToUtf8(version.reason);
    view.labels.push_back(std::move(label));
  }
  return view;
}

std::vector<std::string> differencesOf(const period::Version& version, const form::Form& form) {
  std::vector<std::string> lines;
  for (const std::string& name : period::storedFieldNames()) {
    std::string kept;
    for (const auto& [key, value] : version.entries) {
      if (period::sameName(key, name)) {
        kept = value;
        break;
      }
    }
    const std::string now = period::storedText(form, name);
    if (kept == now) continue;
    const std::string before = shown(form, name, kept);
    const std::string after = shown(form, name, now);
    if (before == after) continue;
    std::string line = check::fieldCaption(name);
    line += ": «";
    line += before;
    line += "», şimdi «";
    line += after;
    line += "»";
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace app
