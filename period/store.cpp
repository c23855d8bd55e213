#include "period/store.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "form/cp1254.h"
#include "form/form.h"
#include "period/file_replace.h"
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

std::string lowered(const std::string& name) {
  std::string out = name;
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
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
  const auto values = store.file().sectionValues(periodKey);
  for (const std::string& name : storedFieldNames()) {
    const auto found = values.find(lowered(name));
    const std::string value = found == values.end() ? std::string() : found->second;
    form::Field& field = form.field(name);
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
        if (!value.empty()) static_cast<form::TextField&>(field).setText(value);
        break;
      case form::FieldKind::Amount:
        if (!value.empty()) static_cast<form::AmountField&>(field).setEditText(value);
        break;
      case form::FieldKind::Display:
        if (!value.empty()) static_cast<form::DisplayField&>(field).setCaption(value);
        break;
    }
  }
}

void SaveDeclaration(const form::Form& form, std::string_view periodKey) {
  const std::string path = storePath();
  std::vector<std::pair<std::string, std::string>> entries;
  entries.reserve(storedFieldNames().size());
  for (const std::string& name : storedFieldNames()) {
    entries.emplace_back(name, storedText(form, name));
  }
  if (!rewriteStore(path, periodKey, entries)) throw Error("Unable to write to " + path);
}

}  // namespace period
