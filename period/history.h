#pragma once
// The history of the declarations: every earlier version of each period,
// kept in "muhtasar-gecmis.ini" beside the store, in the store's own form
// (code page 1254, one section a version). A version's section is named by
// the period key and the moment it was kept, and holds every entry of the
// period's section as it was, and its reason ("Neden").

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace form {
class Form;
}

namespace period {

inline constexpr const char* kHistoryFile = "muhtasar-gecmis.ini";
// Per period the newest this many versions are kept, and every printed one.
inline constexpr std::size_t kVersionsKept = 50;

enum class VersionReason { BeforeSave, BeforeUpdate, BeforeCarryOver, Printed };
// "Kaydetmeden önce", "Güncellemeden önce", "Devirden önce", "Yazdırıldı" (UTF-8).
const char* reasonText(VersionReason reason);

using Entries = std::vector<std::pair<std::string, std::string>>;

struct Version {
  std::string periodKey;  // code page 1254, as the store names the section
  std::string moment;     // local time, "2026-12-09 23:54:36"
  std::string reason;     // code page 1254, as kept
  Entries entries;        // the period's entries as they were, in their order
  bool printed() const;
};

std::string historyPath();

// The versions of the history file of the current directory, oldest first;
// none where there is no history. Sections of any other kind are passed
// over. Throws the input/output error where the file cannot be read.
std::vector<Version> readHistory();
// The versions of one period, newest first.
std::vector<Version> versionsOf(const std::vector<Version>& history, std::string_view periodKey);

// Keeps a version of the form under the period key, under the store's lock.
// Never throws: a version that cannot be kept is told of once through
// takeHistoryNotice, and the command goes on.
void keepFormVersion(const form::Form& form, std::string_view periodKey, VersionReason reason);

// For the store's save, with the store locked: keeps the period's section as
// it was before the save (its bytes, header line included). The new history
// file takes the store's owner, group and mode.
void keepSectionVersion(std::string_view periodKey, std::string_view sectionBytes,
                        VersionReason reason, std::FILE* store);

// Puts a version into the form: every stored field, an empty one too, so
// that what was typed since goes; the totals follow as a load's do.
void restoreVersion(form::Form& form, const Version& version);

// Said once, after the command, where a version could not be kept (UTF-8).
std::optional<std::string> takeHistoryNotice();

// The moment a version is kept; tests set their own clock.
void setHistoryClock(std::function<std::string()> clock);

}  // namespace period
