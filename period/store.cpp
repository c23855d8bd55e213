#include "period/store.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>

#include "form/cp1254.h"
#include "form/form.h"
#include "period/file_replace.h"
#include "period/history.h"
#include "period/io_error.h"
#include "period/rewrite_journal.h"
#include "period/section_reader.h"
#include "period/store_rewrite.h"
#include "period/stored_boolean.h"

namespace period {
namespace {

constexpr const char* kStoreFile = "muhtasar.ini";

// Reads the section of the store. A missing store reads as empty. Returns 0
// or the errno of the failure.
int readStoreSection(const std::string& path, std::string_view section, std::string& bytes) {
  bytes.clear();
  errno = 0;
  std::FILE* file = openRegularFileForReading(path);
  if (file == nullptr) return errno == ENOENT ? 0 : (errno != 0 ? errno : EIO);
  // A store torn by a rewrite that was cut off is put back before it is read.
  if (rewriteWasCutOff(file)) {
    std::fclose(file);
    if (!undoCutOffRewriteOf(path)) return errno != 0 ? errno : EIO;
    file = openRegularFileForReading(path);
    if (file == nullptr) return errno != 0 ? errno : EIO;
  }
  int error = lockForReading(file) ? 0 : (errno != 0 ? errno : EIO);
  if (error == 0) {
    if (auto read = readSection(file, section))
      bytes = std::move(*read);
    else
      error = errno != 0 ? errno : EIO;
  }
  std::fclose(file);
  return error;
}

// What this program last read or wrote of each section, by lowered name: the
// window's one copy of "what it has seen". Sections it never saw have none.
std::unordered_map<std::string, SectionDigest>& lastSeenSections() {
  static std::unordered_map<std::string, SectionDigest> seen;
  return seen;
}

std::function<OverwriteAnswer()>& overwriteQuestion() {
  static std::function<OverwriteAnswer()> ask;
  return ask;
}

std::string lowered(const std::string& name) {
  std::string out = name;
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// Sections are named without regard to letter case or blanks around.
std::string seenName(std::string_view section) {
  return lowered(std::string(trimBlanks(section)));
}

}  // namespace

std::string storedText(const form::Form& form, const std::string& name) {
  // One look-up by name: a save and a load make one for each of 421 fields.
  const form::Field& field = form.field(name);
  switch (field.kind()) {
    case form::FieldKind::Text:
      return static_cast<const form::TextField&>(field).text();
    case form::FieldKind::Amount:
      return static_cast<const form::AmountField&>(field).editText();
    case form::FieldKind::Display:
      return static_cast<const form::DisplayField&>(field).caption();
    case form::FieldKind::Check:
      return static_cast<const form::CheckBox&>(field).checked() ? "-1" : "0";
  }
  return {};
}

std::string storePath() {
  return pathInCurrentDirectory(kStoreFile);
}

StoreSnapshot StoreSnapshot::read(std::string_view section) {
  std::string bytes;
  if (const int error = readStoreSection(storePath(), section, bytes)) throwIoError(error);
  lastSeenSections()[seenName(section)] = digestOfSection(bytes);
  StoreSnapshot snapshot;
  snapshot.file_ = IniFile(bytes);
  return snapshot;
}

bool StoreSnapshot::declarationExists(std::string_view key) const {
  return file_.hasKey(key, "Edit1");
}

std::string StoreSnapshot::storedValue(std::string_view section, std::string_view name) const {
  return file_.value(section, name).value_or(std::string());
}

bool DeclarationExists(std::string_view key) {
  return StoreSnapshot::read(key).declarationExists(key);
}

std::string StoredValue(std::string_view section, std::string_view name) {
  return StoreSnapshot::read(section).storedValue(section, name);
}

void LoadDeclaration(form::Form& form, std::string_view periodKey) {
  LoadDeclaration(form, periodKey, StoreSnapshot::read(periodKey));
}

void LoadDeclaration(form::Form& form, std::string_view periodKey, const StoreSnapshot& store) {
  loadStoredValues(form, store.file().sectionValues(periodKey), false);
}

void loadStoredValues(form::Form& form, const std::unordered_map<std::string, std::string>& values,
                      bool emptyClears) {
  for (const std::string& name : storedFieldNames()) {
    const auto found = values.find(lowered(name));
    const std::string value = found == values.end() ? std::string() : found->second;
    form::Field& field = form.field(name);
    const bool set = emptyClears || !value.empty();
    switch (field.kind()) {
      case form::FieldKind::Check: {
        const auto checked = readStoredBoolean(value);
        if (!checked)
          throw Error("'" + form::cp1254ToUtf8(value) + "' is not a valid boolean value");
        static_cast<form::CheckBox&>(field).setChecked(*checked);
        break;
      }
      // An empty stored value leaves the field as it is.
      case form::FieldKind::Text:
        if (set) static_cast<form::TextField&>(field).setText(value);
        break;
      case form::FieldKind::Amount:
        if (!value.empty())
          static_cast<form::AmountField&>(field).setEditText(value);
        else if (set)
          static_cast<form::AmountField&>(field).setText("");
        break;
      case form::FieldKind::Display:
        if (set) static_cast<form::DisplayField&>(field).setCaption(value);
        break;
    }
  }
}

namespace {

std::vector<std::pair<std::string, std::string>> entriesOf(const form::Form& form) {
  std::vector<std::pair<std::string, std::string>> entries;
  entries.reserve(storedFieldNames().size());
  for (const std::string& name : storedFieldNames()) {
    entries.emplace_back(name, storedText(form, name));
  }
  return entries;
}

RewriteOutcome save(const form::Form& form, std::string_view periodKey, bool askingFirst) {
  const std::string path = storePath();
  const std::string name = seenName(periodKey);
  std::optional<SectionDigest> lastSeen;
  if (askingFirst) {
    const auto found = lastSeenSections().find(name);
    if (found != lastSeenSections().end()) lastSeen = found->second;
  }
  SectionDigest nowSeen = 0;
  // The section as it was goes into the history, under the same lock.
  const auto keepPrevious = [periodKey](std::string_view previous, std::FILE* store) {
    keepSectionVersion(periodKey, previous, VersionReason::BeforeSave, store);
  };
  const RewriteOutcome outcome =
      rewriteStore(path, periodKey, entriesOf(form), lastSeen, nowSeen, keepPrevious);
  if (outcome == RewriteOutcome::Failed) throw Error("Unable to write to " + path);
  // What the other window saved is seen only once the user has chosen.
  if (outcome == RewriteOutcome::Written) lastSeenSections()[name] = nowSeen;
  return outcome;
}

}  // namespace

void SaveDeclaration(const form::Form& form, std::string_view periodKey) {
  save(form, periodKey, false);
}

void setOverwriteQuestion(std::function<OverwriteAnswer()> ask) {
  overwriteQuestion() = std::move(ask);
}

bool SaveDeclarationAskingFirst(form::Form& form, std::string_view periodKey) {
  if (!overwriteQuestion()) {
    SaveDeclaration(form, periodKey);
    return true;
  }
  if (save(form, periodKey, true) == RewriteOutcome::Written) return true;
  switch (overwriteQuestion()()) {
    case OverwriteAnswer::SaveThisWindow:
      SaveDeclaration(form, periodKey);
      return true;
    case OverwriteAnswer::TakeStored:
      LoadDeclaration(form, periodKey);
      return false;
    case OverwriteAnswer::Cancel:
      break;
  }
  throw CommandCancelled();
}

}  // namespace period
