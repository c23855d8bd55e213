#include "period/store_rewrite.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "period/byte_digest.h"
#include "period/file_replace.h"
#include "period/ini_file.h"
#include "period/rewrite_journal.h"
#include "period/section_reader.h"

namespace period {
namespace {

// Reads the open file from its start to its end into a buffer of its size that
// nothing fills before the file's bytes do. Returns 0 or the errno of the failure.
int readWholeFile(std::FILE* file, std::unique_ptr<char[]>& bytes, size_t& size) {
  bytes.reset();
  size = 0;
  errno = 0;
  // The size the file has now, and one byte more to see that it has not grown
  // meanwhile; a file that grew is read on to its end.
  size_t capacity = size_t{1} << 12;
  if (std::fseek(file, 0, SEEK_END) != 0) return errno != 0 ? errno : EIO;
  const long end = std::ftell(file);
  if (end > 0) capacity = static_cast<size_t>(end) + 1;
  if (std::fseek(file, 0, SEEK_SET) != 0) return errno != 0 ? errno : EIO;
  bytes = std::make_unique_for_overwrite<char[]>(capacity);
  for (;;) {
    size += std::fread(bytes.get() + size, 1, capacity - size, file);
    if (size < capacity) return std::ferror(file) ? (errno != 0 ? errno : EIO) : 0;
    capacity *= 2;
    auto larger = std::make_unique_for_overwrite<char[]>(capacity);
    std::memcpy(larger.get(), bytes.get(), size);
    bytes = std::move(larger);
  }
}

// Writes the new store into a temporary file and puts it in the store's place.
// Closes the temporary file and removes it unless it became the store. Sets
// heldOpen when the new store was written whole but the old one could not be
// replaced because it is open.
bool replaceStore(std::FILE* file, const std::string& temporary, const std::string& path,
                  const std::string& renewed, bool& heldOpen) {
  bool written = std::fwrite(renewed.data(), 1, renewed.size(), file) == renewed.size();
  written = std::fflush(file) == 0 && written;
  written = written && flushToDisk(file);
  written = std::fclose(file) == 0 && written;
  if (written && replaceFile(temporary, path)) return true;
  heldOpen = written && replaceRefusedWhileOpen(errno);
  removeFile(temporary);
  return false;
}

// For a store in a folder that refuses new files, one whose group a new file
// could not keep, or one that Windows will not replace while it is open: the
// store is written over where it lies. The old bytes stay in memory until the
// new ones are on the disk, and go back when the write fails, so the store is
// never left cut short. The journal keeps them while the new ones go over
// them, so that a kill half-way can be undone by the next save or read.
bool rewriteInPlace(std::FILE* store, const std::string& path, std::string_view old,
                    const std::string& renewed) {
  if (!beginRewrite(store, path, old)) return false;
  const bool saved = overwriteFile(store, renewed);
  if (saved || overwriteFile(store, old)) endRewrite(store);
  return saved;
}

}  // namespace

SectionDigest digestOfSection(std::string_view sectionBytes) {
  return digestOfBytes(sectionBytes);  // header line included
}

bool rewriteStore(const std::string& storePath, std::string_view section,
                  const std::vector<std::pair<std::string, std::string>>& entries) {
  SectionDigest ignored = 0;
  return rewriteStore(storePath, section, entries, std::nullopt, ignored) ==
         RewriteOutcome::Written;
}

RewriteOutcome rewriteStore(const std::string& storePath, std::string_view section,
                            const std::vector<std::pair<std::string, std::string>>& entries,
                            std::optional<SectionDigest> lastSeen, SectionDigest& nowSeen,
                            const KeepPrevious& keepPrevious) {
  constexpr RewriteOutcome kFailed = RewriteOutcome::Failed;
  // Saves of the same store by other windows wait here, and each writes the
  // sections of the others as they stand once it holds the store, so that no
  // save undoes another. A read-only store refuses to open, as a write into it
  // would fail; the rename below would not ask.
  LockedFile store;
  if (!openLocked(storePath, store)) return kFailed;
  const std::string& path = store.path;
  if (!undoCutOffRewrite(store.file, path) || std::fseek(store.file, 0, SEEK_SET) != 0) {
    closeLocked(store, false);
    return kFailed;
  }
  removeAbandonedTemporaries(path);
  // A save that changes nothing (the start-up save of a stored period, a close
  // after no edit) leaves the store alone: nothing to write, nothing to risk.
  // Finding that out reads only the section into memory.
  const std::optional<std::string> stored = readSection(store.file, section);
  if (stored && IniFile(*stored).alreadyHolds(section, entries)) {
    closeLocked(store, false);
    nowSeen = digestOfSection(*stored);
    return RewriteOutcome::Written;
  }
  // Another window saved this period since this one last saw it: the caller
  // asks before anything is overwritten. Nobody waits on the lock meanwhile.
  if (stored && lastSeen && digestOfSection(*stored) != *lastSeen) {
    closeLocked(store, false);
    nowSeen = digestOfSection(*stored);
    return RewriteOutcome::ChangedElsewhere;
  }
  std::unique_ptr<char[]> bytes;
  size_t size = 0;
  if (!stored || readWholeFile(store.file, bytes, size) != 0) {
    closeLocked(store, true);
    return kFailed;
  }
  const IniFile current(std::move(bytes), size);
  const std::string_view old = current.bytes();
  const std::string renewed = current.withEntries(section, entries);
  // Before the store is replaced: a replaced store's lock no longer holds
  // other saves back, and a version kept of a save that then fails is only
  // what the store still holds.
  if (keepPrevious && !stored->empty()) keepPrevious(*stored, store.file);
  bool saved = false;
  std::string temporary;
  if (std::FILE* file = createTemporaryBeside(path, temporary)) {
    if (keepOwnership(store.file, file)) {
      bool heldOpen = false;
      saved = replaceStore(file, temporary, path, renewed, heldOpen);
      if (heldOpen) saved = rewriteInPlace(store.file, path, old, renewed);
    } else {
      std::fclose(file);
      removeFile(temporary);
      saved = rewriteInPlace(store.file, path, old, renewed);
    }
  } else if (folderRefusesNewFiles(errno)) {
    saved = rewriteInPlace(store.file, path, old, renewed);
  }
  closeLocked(store, !saved);
  if (!saved) return kFailed;
  nowSeen = digestOfSection(sectionOf(renewed, section).value_or(std::string()));
  return RewriteOutcome::Written;
}

bool undoCutOffRewriteOf(const std::string& storePath) {
  LockedFile store;
  if (!openLocked(storePath, store)) return false;
  const bool undone = undoCutOffRewrite(store.file, store.path);
  closeLocked(store, false);
  return undone;
}

}  // namespace period
