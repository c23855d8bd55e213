#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace period {

// A Windows-style profile file in code page 1254, read the way the Windows
// profile functions read one and written so that they read back what was
// written:
// - a line "[name]" opens a section (blanks around the name do not count, the
//   last "]" closes it); a line "key=value" is an entry of the section above it;
// - section and key names are compared without regard to letter case, and the
//   first of duplicate sections or keys wins;
// - blanks around keys and values do not count, a value in matching double or
//   single quotes reads without them, and a value reads as at most 2047
//   characters;
// - lines end at LF, CR LF or a lone CR; every other line (comments, blank
//   lines, other programs' entries) is kept byte for byte.
class IniFile {
 public:
  static constexpr size_t kMaxValueLength = 2047;

  IniFile() = default;
  explicit IniFile(std::string_view bytes);
  // Takes over a buffer of size bytes, as a store is read: no copy, and no
  // filling of the buffer before the file's bytes go into it.
  IniFile(std::unique_ptr<char[]> buffer, size_t size);

  std::string_view bytes() const { return bytes_; }

  bool hasKey(std::string_view section, std::string_view key) const;
  // The value of an entry as read back; nullopt when the section or key is missing.
  std::optional<std::string> value(std::string_view section, std::string_view key) const;
  // Every entry of the section, keys in lower case, the first of duplicates kept.
  std::unordered_map<std::string, std::string> sectionValues(std::string_view section) const;

  // The file as it stands after writing these entries into the section: a key
  // the section holds has its line replaced in place (and kept byte for byte
  // when its value is already the same); new keys follow the last entry of the
  // section in the given order; a new section goes at the end of the file.
  // Lines written anew end with CR LF; all other lines keep their bytes.
  std::string withEntries(std::string_view section,
                          const std::vector<std::pair<std::string, std::string>>& entries) const;
  // Whether withEntries would give the file back unchanged: the section holds
  // every entry with the same value already.
  bool alreadyHolds(std::string_view section,
                    const std::vector<std::pair<std::string, std::string>>& entries) const;

 private:
  // A section as byte offsets into the file: only the section lines are
  // found when the file is read; the entries of a section are read when asked.
  struct Section {
    std::string name;
    size_t header;  // start of the "[name]" line
    size_t body;    // start of the line after it
    size_t end;     // start of the next section line, or the end of the file
  };
  // One line of a section body: its text and the offset just past its line end.
  struct Line {
    std::string_view text;
    size_t begin;
    size_t next;
  };

  void findSections();
  const Section* findSection(std::string_view name) const;
  std::vector<Line> bodyLines(const Section& section) const;

  std::unique_ptr<char[]> storage_;
  std::string_view bytes_;
  std::vector<Section> sections_;
  std::unordered_map<std::string, size_t> firstSectionNamed_;  // lower-case name -> index
};

// The pieces of a line as the profile functions see them.
std::optional<std::string_view> sectionHeaderName(std::string_view line);
struct IniEntry {
  std::string_view key;
  std::string_view rawValue;  // after "=", blanks and quotes still on it
};
std::optional<IniEntry> parseEntry(std::string_view line);
// The value as read back: blanks trimmed, one pair of matching quotes removed,
// cut to 2047 characters.
std::string readValue(std::string_view rawValue);
// The value as written, so that reading it gives it back (quoted when blanks or
// quotes at its ends would otherwise be lost).
std::string writtenValue(std::string_view value);
bool sameName(std::string_view a, std::string_view b);
// A line that opens a section: its first character other than a blank is "["
// and it reads as a section name.
struct SectionLine {
  std::string_view name;
  size_t start;  // where the line starts
  size_t next;   // where the line after it starts (the text's size at its end)
};
// The first section line of the text at or after from, a place where a line
// starts. Jumps from one "[" to the next instead of walking every line: a
// store of ten years has half a million entry lines.
std::optional<SectionLine> nextSectionLine(std::string_view text, size_t from);
// A name without the blanks around it, as section and key names are compared.
std::string_view trimBlanks(std::string_view name);

}  // namespace period
