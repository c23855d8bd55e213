#include "period/rewrite_journal.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <utility>

#include "period/byte_digest.h"
#include "period/file_replace.h"

namespace period {
namespace {

constexpr std::string_view kHeading = "muhtasar rewrite journal 1\n";

std::optional<std::string> undoneNotice;

// A journal whose bytes did not all reach the disk is no journal.
std::uint64_t checksum(std::string_view bytes) { return digestOfBytes(bytes); }

std::string decimal(std::uint64_t value) {
  char text[24];
  const auto written = std::to_chars(text, text + sizeof text, value);
  return std::string(text, written.ptr);
}

// Heading, the store's path, the old bytes' length, the bytes, their checksum.
std::string journalOf(const std::string& path, std::string_view old) {
  // Appended piece by piece: GCC 12 takes "\n" + text for an overlapping copy.
  const std::string length = decimal(old.size());
  std::string journal(kHeading);
  for (std::string_view piece : {std::string_view(path), std::string_view("\n"),
                                 std::string_view(length), std::string_view("\n"), old,
                                 std::string_view("\n")})
    journal += piece;
  journal += decimal(checksum(old));
  journal += '\n';
  return journal;
}

std::optional<std::string> readFile(const std::string& path) {
  std::FILE* file = openRegularFileForReading(path);
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  char buffer[1 << 14];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return bytes;
}

// The old bytes a journal keeps for the store at path; nothing when the
// journal is of another file or not whole.
std::optional<std::string> oldBytesIn(std::string_view journal, const std::string& path) {
  if (!journal.starts_with(kHeading)) return std::nullopt;
  journal.remove_prefix(kHeading.size());
  if (!journal.starts_with(path) || journal.substr(path.size(), 1) != "\n") return std::nullopt;
  journal.remove_prefix(path.size() + 1);
  std::uint64_t length = 0;
  const auto [end, error] = std::from_chars(journal.data(), journal.data() + journal.size(), length);
  if (error != std::errc() || end == journal.data() + journal.size() || *end != '\n')
    return std::nullopt;
  journal.remove_prefix(static_cast<size_t>(end - journal.data()) + 1);
  if (journal.size() < length) return std::nullopt;
  const std::string_view old = journal.substr(0, static_cast<size_t>(length));
  std::string tail(1, '\n');
  tail += decimal(checksum(old));
  tail += '\n';
  if (journal.substr(old.size()) != tail) return std::nullopt;
  return std::string(old);
}

}  // namespace

bool beginRewrite(std::FILE* store, const std::string& path, std::string_view old) {
  const std::string journalPath = rewriteJournalPath(store, true);
  if (journalPath.empty()) return false;
  const std::string journal = journalOf(path, old);
  std::string temporary;
  std::FILE* file = createTemporaryBeside(journalPath, temporary);
  if (file == nullptr) return false;
  bool written = std::fwrite(journal.data(), 1, journal.size(), file) == journal.size();
  written = std::fflush(file) == 0 && written && flushToDisk(file);
  written = std::fclose(file) == 0 && written;
  // Whole under its name or not there at all.
  if (written && replaceFile(temporary, journalPath)) {
    flushFolderToDisk(journalPath);
    return true;
  }
  removeFile(temporary);
  return false;
}

void endRewrite(std::FILE* store) {
  const std::string journalPath = rewriteJournalPath(store, false);
  if (!journalPath.empty()) removeFile(journalPath);
}

bool rewriteWasCutOff(std::FILE* store) {
  const std::string journalPath = rewriteJournalPath(store, false);
  if (journalPath.empty()) return false;
  std::FILE* journal = openRegularFileForReading(journalPath);
  if (journal != nullptr) std::fclose(journal);
  return journal != nullptr;
}

bool undoCutOffRewrite(std::FILE* store, const std::string& path) {
  const std::string journalPath = rewriteJournalPath(store, false);
  if (journalPath.empty()) return true;
  const std::optional<std::string> journal = readFile(journalPath);
  if (!journal) return true;
  const std::optional<std::string> old = oldBytesIn(*journal, path);
  // One that is not whole was cut off before the store was touched.
  if (old && !overwriteFile(store, *old)) return false;
  removeFile(journalPath);
  if (old) {
    undoneNotice =
        "\"muhtasar.ini\" yazılırken yarıda kalmış bir kayıt bulundu; beyanname deposu o kayıttan "
        "önceki haline getirildi. O kayıtla saklanacak değişiklikler saklanmadı: lütfen "
        "beyannameyi denetleyin.";
  }
  return true;
}

std::optional<std::string> takeUndoneRewriteNotice() {
  return std::exchange(undoneNotice, std::nullopt);
}

}  // namespace period
