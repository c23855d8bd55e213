#include "period/store_rewrite.h"

#include <cerrno>
#include <cstdio>

#include "period/file_replace.h"
#include "period/ini_file.h"
#include "period/line_source.h"

namespace period {
namespace {

// Collects the new store in a buffer and writes it in large pieces to the
// file, or keeps it all in memory when there is no file.
class Output {
 public:
  explicit Output(std::FILE* file) : file_(file) { buffer_.reserve(kPiece); }
  explicit Output(std::string& memory) : memory_(&memory) {}
  void write(std::string_view bytes) {
    if (bytes.empty()) return;
    last_ = bytes.back();
    if (buffer_.size() + bytes.size() > kPiece) flush();
    if (bytes.size() >= kPiece) {
      put(bytes);
    } else {
      buffer_ += bytes;
    }
  }
  bool flush() {
    put(buffer_);
    buffer_.clear();
    return ok_;
  }
  bool ok() const { return ok_; }
  // Whether what was written so far ends with a line end (or is nothing).
  bool atLineStart() const { return last_ == '\n' || last_ == '\r'; }

 private:
  static constexpr size_t kPiece = size_t{1} << 16;
  void put(std::string_view bytes) {
    if (bytes.empty()) return;
    if (memory_ != nullptr)
      memory_->append(bytes);
    else
      ok_ = ok_ && std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
  }

  std::FILE* file_ = nullptr;
  std::string* memory_ = nullptr;
  std::string buffer_;
  bool ok_ = true;
  char last_ = '\n';
};

// Whether a line can open a section: its first character other than a blank is "[".
bool mayBeHeader(std::string_view text) {
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\v' && c != '\f') return c == '[';
  }
  return false;
}

// Copies the old store into out with the section's entries written. Returns
// false when the old store cannot be read.
bool copyWithSection(std::FILE* old, Output& out, std::string_view section,
                     const std::vector<std::pair<std::string, std::string>>& entries) {
  enum class Place { Before, Inside, After } place = Place::Before;
  std::string sectionText;  // the first section of that name, header included
  auto writeSection = [&] {
    out.write(IniFile(std::move(sectionText)).withEntries(section, entries));
    place = Place::After;
  };

  LineSource lines(old);
  std::string_view line;
  size_t textLength = 0;
  while (out.ok() && place != Place::After && lines.next(line, textLength)) {
    const std::string_view text = line.substr(0, textLength);
    const auto header = mayBeHeader(text) ? sectionHeaderName(text) : std::nullopt;
    if (place == Place::Inside) {
      if (!header) {
        sectionText += line;
        continue;
      }
      writeSection();
      out.write(line);
      continue;
    }
    if (header && sameName(*header, trimBlanks(section))) {
      sectionText.assign(line);
      place = Place::Inside;
    } else {
      out.write(line);
    }
  }
  // The rest of the store after the section passes through unread.
  std::string_view piece;
  while (out.ok() && place == Place::After && lines.nextPiece(piece)) out.write(piece);
  if (lines.failed()) return false;
  if (place == Place::Inside) writeSection();
  if (place == Place::Before) {
    if (!out.atLineStart()) out.write("\r\n");
    out.write(IniFile().withEntries(section, entries));
  }
  return true;
}

// Reads the file from its start to its end.
bool readWhole(std::FILE* file, std::string& bytes) {
  if (std::fseek(file, 0, SEEK_SET) != 0) return false;
  bytes.clear();
  char piece[1 << 14];
  size_t read = 0;
  while ((read = std::fread(piece, 1, sizeof piece, file)) > 0) bytes.append(piece, read);
  return !std::ferror(file);
}

// Puts bytes in place of the file's content.
bool overwrite(std::FILE* file, const std::string& bytes) {
  std::clearerr(file);
  return std::fseek(file, 0, SEEK_SET) == 0 &&
         std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
         std::fflush(file) == 0 && truncateFile(file, static_cast<long long>(bytes.size())) &&
         flushToDisk(file);
}

// Writes the new store into a temporary file and puts it in the store's place.
// Closes the temporary file and removes it unless it became the store. Sets
// heldOpen when the new store was written whole but the old one could not be
// replaced because it is open.
bool replaceStore(std::FILE* store, std::FILE* file, const std::string& temporary,
                  const std::string& path, std::string_view section,
                  const std::vector<std::pair<std::string, std::string>>& entries, bool& heldOpen) {
  std::setvbuf(file, nullptr, _IOFBF, size_t{1} << 16);
  Output out(file);
  bool written = copyWithSection(store, out, section, entries);
  written = out.flush() && written;
  written = std::fflush(file) == 0 && written;
  written = written && flushToDisk(file);
  written = std::fclose(file) == 0 && written;
  if (written && replaceFile(temporary, path)) return true;
  heldOpen = written && replaceRefusedWhileOpen(errno);
  std::remove(temporary.c_str());
  return false;
}

// For a store in a folder that refuses new files, one whose group a new file
// could not keep, or one that Windows will not replace while it is open: the store is written over
// where it lies. The old bytes stay in memory until the new ones are on the disk, and go back when
// the write fails, so the store is never left cut short.
bool rewriteInPlace(std::FILE* store, std::string_view section,
                    const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string old, renewed;
  if (!readWhole(store, old) || std::fseek(store, 0, SEEK_SET) != 0) return false;
  Output out(renewed);
  if (!copyWithSection(store, out, section, entries)) return false;
  out.flush();
  if (renewed == old) return true;
  if (overwrite(store, renewed)) return true;
  overwrite(store, old);
  return false;
}

}  // namespace

bool rewriteStore(const std::string& storePath, std::string_view section,
                  const std::vector<std::pair<std::string, std::string>>& entries) {
  const std::string path = replacementTarget(storePath);
  // Saves of the same store by other windows wait here, and each writes the
  // sections of the others as they stand once it holds the store, so that no
  // save undoes another. A read-only store refuses to open, as a write into it
  // would fail; the rename below would not ask.
  LockedFile store;
  if (!openLocked(path, store)) return false;
  bool saved = false;
  std::string temporary;
  if (std::FILE* file = createTemporaryBeside(path, temporary)) {
    if (keepOwnership(store.file, file)) {
      bool heldOpen = false;
      saved = replaceStore(store.file, file, temporary, path, section, entries, heldOpen);
      if (heldOpen) saved = rewriteInPlace(store.file, section, entries);
    } else {
      std::fclose(file);
      std::remove(temporary.c_str());
      saved = rewriteInPlace(store.file, section, entries);
    }
  } else if (folderRefusesNewFiles(errno)) {
    saved = rewriteInPlace(store.file, section, entries);
  }
  closeLocked(path, store, !saved);
  return saved;
}

}  // namespace period
