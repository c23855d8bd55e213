#include "period/history.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <initializer_list>
#include <unordered_map>

#include "form/cp1254.h"
#include "form/form.h"
#include "period/file_replace.h"
#include "period/ini_file.h"
#include "period/io_error.h"
#include "period/store.h"

namespace period {
namespace {

constexpr const char* kReasonKey = "Neden";
constexpr std::size_t kMomentLength = 19;  // "2026-12-09 23:54:36"

std::optional<std::string>& pendingNotice() {
  static std::optional<std::string> notice;
  return notice;
}

// Built by appending: GCC 12 at -O3 takes "literal" + string for an overlapping copy.
std::string joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text += part;
  return text;
}

std::string twoDigits(int value) {
  return {char('0' + value / 10 % 10), char('0' + value % 10)};
}

std::string localMoment() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);  // one thread: its buffer is ours
  if (!local) return "1970-01-01 00:00:00";
  char year[8] = {};
  std::to_chars(year, year + sizeof year, local->tm_year + 1900);
  return joined({year, "-", twoDigits(local->tm_mon + 1), "-", twoDigits(local->tm_mday), " ",
                 twoDigits(local->tm_hour), ":", twoDigits(local->tm_min), ":",
                 twoDigits(local->tm_sec)});
}

std::function<std::string()>& clock() {
  static std::function<std::string()> now = localMoment;
  return now;
}

bool isMoment(std::string_view text) {
  static constexpr std::string_view kShape = "dddd-dd-dd dd:dd:dd";
  if (text.size() != kShape.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (kShape[i] == 'd' ? !digit : text[i] != kShape[i]) return false;
  }
  return true;
}

// The entries of a section's body lines, in their order.
Entries entriesOf(std::string_view body) {
  Entries entries;
  std::size_t from = 0;
  while (from < body.size()) {
    std::size_t end = body.find_first_of("\r\n", from);
    if (end == std::string_view::npos) end = body.size();
    if (const auto entry = parseEntry(body.substr(from, end - from)))
      entries.emplace_back(std::string(trimBlanks(entry->key)), readValue(entry->rawValue));
    from = end + 1;
  }
  return entries;
}

// A section of the history file: a version, or anything else, which is kept
// as it stands.
struct Section {
  std::size_t start = 0, end = 0;
  std::optional<Version> version;
};

std::optional<Version> versionOf(std::string_view name, std::string_view body) {
  std::string_view rest = trimBlanks(name);
  const std::size_t mark = rest.rfind(" #");
  if (mark != std::string_view::npos) rest = rest.substr(0, mark);
  if (rest.size() < kMomentLength + 2) return std::nullopt;
  const std::string_view moment = rest.substr(rest.size() - kMomentLength);
  if (!isMoment(moment) || rest[rest.size() - kMomentLength - 1] != ' ') return std::nullopt;
  Version version;
  version.periodKey = std::string(rest.substr(0, rest.size() - kMomentLength - 1));
  version.moment = std::string(moment);
  bool hasReason = false;
  for (auto& [key, value] : entriesOf(body)) {
    if (sameName(key, kReasonKey) && !hasReason) {
      version.reason = value;
      hasReason = true;
    } else {
      version.entries.emplace_back(std::move(key), std::move(value));
    }
  }
  if (!hasReason) return std::nullopt;
  return version;
}

std::vector<Section> sectionsOf(std::string_view text) {
  std::vector<Section> sections;
  std::optional<SectionLine> line = nextSectionLine(text, 0);
  while (line) {
    const std::optional<SectionLine> next = nextSectionLine(text, line->next);
    const std::size_t end = next ? next->start : text.size();
    sections.push_back(
        {line->start, end, versionOf(line->name, text.substr(line->next, end - line->next))});
    line = next;
  }
  return sections;
}

// Reads the history file; false with errno set where it is there but cannot
// be read.
bool readHistoryBytes(std::string& bytes) {
  bytes.clear();
  errno = 0;
  std::FILE* file = openRegularFileForReading(historyPath());
  if (!file) return errno == ENOENT;
  char buffer[1 << 16];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  const bool sound = !std::ferror(file);
  std::fclose(file);
  if (!sound && errno == 0) errno = EIO;
  return sound;
}

// Puts the new history in the old one's place in one step; false where any
// step failed, with nothing left behind.
bool replaceHistory(const std::string& bytes, std::FILE* ownershipFrom) {
  const std::string path = historyPath();
  removeAbandonedTemporaries(path);
  std::string temporary;
  std::FILE* file = createTemporaryBeside(path, temporary);
  if (!file) return false;
  if (ownershipFrom) keepOwnership(ownershipFrom, file);
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  written = std::fflush(file) == 0 && written;
  written = written && flushToDisk(file);
  written = std::fclose(file) == 0 && written;
  if (written && replaceFile(temporary, path)) return true;
  removeFile(temporary);
  return false;
}

std::string sectionName(const std::vector<Section>& sections, std::string_view key,
                        const std::string& moment) {
  std::string name = joined({key, " ", moment});
  int same = 0;
  for (const Section& s : sections) {
    if (s.version && s.version->periodKey == key && s.version->moment == moment) ++same;
  }
  if (same > 0) name += joined({" #", std::to_string(same + 1)});
  return name;
}

bool sameEntries(const Entries& a, const Entries& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!sameName(a[i].first, b[i].first) || a[i].second != b[i].second) return false;
  }
  return true;
}

// The history with the version added and the period's oldest versions past
// the cap taken out; every other byte stays. Nothing when the version equals
// the newest kept one.
std::optional<std::string> withVersion(std::string_view old, std::string_view key,
                                       const Entries& entries, const std::string& reason) {
  const std::vector<Section> sections = sectionsOf(old);
  std::vector<const Section*> ofPeriod;
  for (const Section& s : sections) {
    if (s.version && sameName(s.version->periodKey, key)) ofPeriod.push_back(&s);
  }
  const bool printed = reason == form::utf8ToCp1254(reasonText(VersionReason::Printed));
  if (!ofPeriod.empty()) {
    const Version& newest = *ofPeriod.back()->version;
    // What went to paper is always found again, even where it was saved just before.
    if (sameEntries(newest.entries, entries) && (newest.printed() || !printed)) return std::nullopt;
  }
  // With the new one, the period keeps its newest versions and every printed one.
  std::size_t unprinted = 1;
  std::vector<bool> dropped(sections.size(), false);
  for (auto it = ofPeriod.rbegin(); it != ofPeriod.rend(); ++it) {
    if ((*it)->version->printed()) continue;
    if (++unprinted > kVersionsKept) dropped[std::size_t(*it - sections.data())] = true;
  }
  std::string renewed;
  renewed.reserve(old.size() + entries.size() * 24);
  std::size_t kept = 0;
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (!dropped[i]) continue;
    renewed.append(old.substr(kept, sections[i].start - kept));
    kept = sections[i].end;
  }
  renewed.append(old.substr(kept));
  if (!renewed.empty() && renewed.back() != '\n' && renewed.back() != '\r') renewed += "\r\n";
  renewed += joined({"[", sectionName(sections, key, clock()()), "]\r\n"});
  for (const auto& [name, value] : entries) renewed += joined({name, "=", writtenValue(value), "\r\n"});
  renewed += joined({kReasonKey, "=", writtenValue(reason), "\r\n"});
  return renewed;
}

void keep(std::string_view key, const Entries& entries, VersionReason reason,
          std::FILE* ownershipFrom) {
  std::string old;
  bool kept = readHistoryBytes(old);
  if (kept) {
    const std::optional<std::string> renewed =
        withVersion(old, key, entries, form::utf8ToCp1254(reasonText(reason)));
    kept = !renewed || replaceHistory(*renewed, ownershipFrom);
  }
  if (!kept && !pendingNotice()) {
    pendingNotice() = joined({"Beyannamenin bu hali geçmişe (", kHistoryFile,
                              ") kaydedilemedi; beyanname yine de işlendi"});
  }
}

}  // namespace

const char* reasonText(VersionReason reason) {
  switch (reason) {
    case VersionReason::BeforeSave: return "Kaydetmeden önce";
    case VersionReason::BeforeUpdate: return "Güncellemeden önce";
    case VersionReason::BeforeCarryOver: return "Devirden önce";
    case VersionReason::Printed: return "Yazdırıldı";
  }
  return "";
}

bool Version::printed() const {
  return reason == form::utf8ToCp1254(reasonText(VersionReason::Printed));
}

std::string historyPath() {
  return pathInCurrentDirectory(kHistoryFile);
}

std::vector<Version> readHistory() {
  std::string bytes;
  if (!readHistoryBytes(bytes)) throwIoError(errno);
  std::vector<Version> versions;
  for (Section& s : sectionsOf(bytes)) {
    if (s.version) versions.push_back(std::move(*s.version));
  }
  return versions;
}

std::vector<Version> versionsOf(const std::vector<Version>& history, std::string_view periodKey) {
  std::vector<Version> versions;
  for (auto it = history.rbegin(); it != history.rend(); ++it) {
    if (sameName(it->periodKey, periodKey)) versions.push_back(*it);
  }
  return versions;
}

void keepFormVersion(const form::Form& form, std::string_view periodKey, VersionReason reason) {
  Entries entries;
  for (const std::string& name : storedFieldNames()) entries.emplace_back(name, storedText(form, name));
  // Under the store's lock, as a save: two windows never write the history at once.
  LockedFile store;
  if (!openLocked(storePath(), store)) {
    keep(periodKey, entries, reason, nullptr);
    return;
  }
  keep(periodKey, entries, reason, store.file);
  closeLocked(store, true);
}

void keepSectionVersion(std::string_view periodKey, std::string_view sectionBytes,
                        VersionReason reason, std::FILE* store) {
  const std::size_t body = sectionBytes.find('\n');
  if (body == std::string_view::npos) return;
  const Entries entries = entriesOf(sectionBytes.substr(body + 1));
  if (!entries.empty()) keep(periodKey, entries, reason, store);
}

void restoreVersion(form::Form& form, const Version& version) {
  std::unordered_map<std::string, std::string> values;
  for (const auto& [key, value] : version.entries) {
    std::string lowered = key;
    for (char& c : lowered) c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    values.emplace(std::move(lowered), value);
  }
  loadStoredValues(form, values, true);
}

std::optional<std::string> takeHistoryNotice() {
  return std::exchange(pendingNotice(), std::nullopt);
}

void setHistoryClock(std::function<std::string()> now) {
  clock() = now ? std::move(now) : localMoment;
}

}  // namespace period
