#include "period/store_rewrite.h"

#include <cerrno>
#include <cstdio>

#include "period/file_replace.h"
#include "period/ini_file.h"
#include "period/line_source.h"

namespace period {
namespace {

// Collects the new store in a buffer and writes it in large pieces.
class Output {
 public:
  explicit Output(std::FILE* file) : file_(file) { buffer_.reserve(kPiece); }
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
    if (!bytes.empty())
      ok_ = ok_ && std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
  }

  std::FILE* file_;
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

}  // namespace

bool rewriteStore(const std::string& storePath, std::string_view section,
                  const std::vector<std::pair<std::string, std::string>>& entries) {
  const std::string path = replacementTarget(storePath);
  // The old store is opened for update, though only read: a store the user
  // has made read-only must refuse the save as a write into it would, and the
  // rename below would not ask.
  errno = 0;
  std::FILE* old = std::fopen(path.c_str(), "r+b");
  if (old == nullptr && errno != ENOENT) return false;

  const std::string temporary = path + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) {
    if (old != nullptr) std::fclose(old);
    return false;
  }
  std::setvbuf(file, nullptr, _IOFBF, size_t{1} << 16);
  Output out(file);
  bool written = old == nullptr || copyAccessRights(old, file);
  written = written && (old == nullptr ? (out.write(IniFile().withEntries(section, entries)), true)
                                       : copyWithSection(old, out, section, entries));
  if (old != nullptr) std::fclose(old);
  written = out.flush() && written;
  written = std::fflush(file) == 0 && written;
  written = written && flushToDisk(file);
  written = std::fclose(file) == 0 && written;
  if (written && replaceFile(temporary, path)) return true;
  std::remove(temporary.c_str());
  return false;
}

}  // namespace period
