#include "period/section_reader.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "period/ini_file.h"

namespace period {
namespace {

bool isLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// Where the last line of the bytes that has its line end ends (just past it),
// or 0 when there is none. The first held bytes are known to hold no line end.
std::size_t endOfCompleteLines(const char* bytes, std::size_t held, std::size_t size) {
  for (std::size_t i = size; i > held; --i) {
    if (isLineEnd(bytes[i - 1])) return i;
  }
  return 0;
}

// Looks for the section in pieces of whole lines.
class SectionFinder {
 public:
  explicit SectionFinder(std::string_view name) : name_(trimBlanks(name)) {}

  // Goes through lines that start at the start of text and end at its end.
  // Returns true once the section is whole.
  bool scan(std::string_view text) {
    std::size_t keptFrom = 0;
    for (auto line = nextSectionLine(text, 0); line; line = nextSectionLine(text, line->next)) {
      if (inside_) {
        section_.append(text.substr(keptFrom, line->start - keptFrom));
        inside_ = false;
        return true;
      }
      if (sameName(line->name, name_)) {
        inside_ = true;
        keptFrom = line->start;
      }
    }
    if (inside_) section_.append(text.substr(keptFrom));
    return false;
  }

  std::string take() { return std::move(section_); }

 private:
  std::string_view name_;
  bool inside_ = false;
  std::string section_;
};

}  // namespace

std::optional<std::string> sectionOf(std::string_view bytes, std::string_view name) {
  SectionFinder finder(name);
  finder.scan(bytes);
  return finder.take();
}

std::optional<std::string> readSection(std::FILE* file, std::string_view name,
                                       std::size_t pieceSize) {
  SectionFinder finder(name);
  // Not zeroed first: fread fills what is used, and a store is mostly smaller
  // than one piece.
  std::size_t capacity = pieceSize;
  auto buffer = std::make_unique_for_overwrite<char[]>(capacity);
  std::size_t held = 0;  // bytes of a line still without its end, at the front
  for (;;) {
    if (capacity - held < pieceSize) {
      // Doubled, so that a line of many megabytes is copied only a few times.
      capacity = std::max(held + pieceSize, 2 * capacity);
      auto larger = std::make_unique_for_overwrite<char[]>(capacity);
      std::memcpy(larger.get(), buffer.get(), held);
      buffer = std::move(larger);
    }
    const std::size_t read = std::fread(buffer.get() + held, 1, pieceSize, file);
    if (read == 0 && std::ferror(file)) return std::nullopt;
    const std::size_t size = held + read;
    // At the end of the file the last line needs no line end.
    const std::size_t whole = read == 0 ? size : endOfCompleteLines(buffer.get(), held, size);
    if (finder.scan(std::string_view(buffer.get(), whole))) return finder.take();
    if (read == 0) return finder.take();
    if (whole > 0) std::memmove(buffer.get(), buffer.get() + whole, size - whole);
    held = size - whole;
  }
}

}  // namespace period
