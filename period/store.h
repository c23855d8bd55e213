#pragma once

#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "period/ini_file.h"

namespace form {
class Form;
}

namespace period {

// The declaration store "muhtasar.ini" in the current directory: one section
// per period key, one entry per stored field. Every operation reads the store
// whole and releases it before it returns.

// The store's path, formed anew from the current directory.
std::string storePath();

// What a save writes for a stored field: its text, edit text, caption, or
// "-1" / "0" for a check box.
std::string storedText(const form::Form& form, const std::string& name);

// The stored fields in the order a save writes them (421 names).
const std::vector<std::string>& storedFieldNames();

// A snapshot of one section of the store, read once: for operations that look
// up many values of a period (load, carry-over). The rest of the store passes
// through a small buffer, so that its size costs little.
class StoreSnapshot {
 public:
  // Reads the section of the store of the current directory; a missing store
  // or section reads as empty.
  static StoreSnapshot read(std::string_view section);
  bool declarationExists(std::string_view key) const;
  // The value of an entry, cut to 2047 characters; empty when the section or
  // the entry does not exist.
  std::string storedValue(std::string_view section, std::string_view name) const;
  // The section as read.
  const IniFile& file() const { return file_; }

 private:
  StoreSnapshot() = default;
  IniFile file_;
};

bool DeclarationExists(std::string_view key);
std::string StoredValue(std::string_view section, std::string_view name);

// Sets the fields of the form from the section of the key. Throws
// "'%s' is not a valid boolean value" at a check box it cannot read.
void LoadDeclaration(form::Form& form, std::string_view periodKey);
// The same from a snapshot already read, so that start-up reads the store once
// for the existence test and the load.
void LoadDeclaration(form::Form& form, std::string_view periodKey, const StoreSnapshot& store);

// Sets the fields of the form from stored values by lowered field name. An
// empty value leaves its field as it is, unless emptyClears is set.
void loadStoredValues(form::Form& form, const std::unordered_map<std::string, std::string>& values,
                      bool emptyClears);

// Writes every stored field under the key, replacing the store atomically.
// Throws "Unable to write to %s" and leaves the old store as it was.
void SaveDeclaration(const form::Form& form, std::string_view periodKey);

// Two windows on one period: the answer of the user when this window's save
// would overwrite what another window saved after this one last read or wrote
// the period.
enum class OverwriteAnswer {
  SaveThisWindow,  // "Evet": the other window's changes are lost
  TakeStored,      // "Hayır": the stored declaration comes into this window
  Cancel,          // "İptal": nothing happens
};
// The window's question; without one, a save overwrites as it always did.
void setOverwriteQuestion(std::function<OverwriteAnswer()> ask);

// Thrown where the user cancelled a command at the question: the command stops
// with nothing saved, and no error is reported.
class CommandCancelled : public std::exception {
 public:
  const char* what() const noexcept override { return "cancelled"; }
};

// The save of the close, the print command and the carry-over: as
// SaveDeclaration, but asks first when the period was saved in another window
// meanwhile and this window would write something else. With "Hayır" the form
// takes the stored declaration and nothing is written; false then. Throws
// CommandCancelled for "İptal".
bool SaveDeclarationAskingFirst(form::Form& form, std::string_view periodKey);

}  // namespace period
