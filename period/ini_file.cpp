#include "period/ini_file.h"

#include <algorithm>
#include <cstring>

#include "period/line_source.h"

namespace period {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), lowerAscii);
  return out;
}

bool isQuote(char c) {
  return c == '"' || c == '\'';
}

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

std::string_view trimBlanks(std::string_view name) {
  return trimmed(name);
}

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return lowerAscii(x) == lowerAscii(y);
         });
}

std::optional<std::string_view> sectionHeaderName(std::string_view line) {
  const std::string_view content = trimmed(line);
  if (content.empty() || content.front() != '[') return std::nullopt;
  const size_t close = content.rfind(']');
  if (close == 0 || close == std::string_view::npos) return std::nullopt;
  return trimmed(content.substr(1, close - 1));
}

std::optional<IniEntry> parseEntry(std::string_view line) {
  const std::string_view content = trimmed(line);
  if (content.empty() || content.front() == ';' || content.front() == '[') return std::nullopt;
  const size_t equals = content.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const std::string_view key = trimmed(content.substr(0, equals));
  if (key.empty()) return std::nullopt;
  return IniEntry{key, content.substr(equals + 1)};
}

std::string readValue(std::string_view rawValue) {
  std::string_view value = trimmed(rawValue);
  if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, IniFile::kMaxValueLength));
}

std::string writtenValue(std::string_view value) {
  // A value is one line: a line break in it would end the entry and let the
  // rest of the text pose as further entries or sections.
  std::string text(value);
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  const bool needsQuotes =
      !text.empty() && (isBlank(text.front()) || isBlank(text.back()) ||
                        (text.size() >= 2 && isQuote(text.front()) && text.back() == text.front()));
  return needsQuotes ? '"' + text + '"' : text;
}

namespace {

// The start of the next line after a line that ends at end.
size_t nextLine(std::string_view text, size_t end) {
  if (end >= text.size()) return text.size();
  if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') return end + 2;
  return end + 1;
}

}  // namespace

IniFile::IniFile(std::string_view bytes)
    : storage_(std::make_unique_for_overwrite<char[]>(bytes.size())) {
  std::copy(bytes.begin(), bytes.end(), storage_.get());
  bytes_ = std::string_view(storage_.get(), bytes.size());
  findSections();
}

IniFile::IniFile(std::unique_ptr<char[]> buffer, size_t size)
    : storage_(std::move(buffer)), bytes_(storage_.get(), size) {
  findSections();
}

std::optional<SectionLine> nextSectionLine(std::string_view text, size_t from) {
  while (from < text.size()) {
    const void* found = std::memchr(text.data() + from, '[', text.size() - from);
    if (found == nullptr) break;
    const size_t bracket = static_cast<size_t>(static_cast<const char*>(found) - text.data());
    size_t start = bracket;
    while (start > 0 && isBlank(text[start - 1])) --start;
    size_t end = bracket;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    const size_t next = nextLine(text, end);
    const bool atLineStart = start == 0 || text[start - 1] == '\n' || text[start - 1] == '\r';
    if (atLineStart) {
      if (auto name = sectionHeaderName(text.substr(start, end - start)))
        return SectionLine{*name, start, next};
    }
    from = next;
  }
  return std::nullopt;
}

void IniFile::findSections() {
  const std::string_view all(bytes_);
  for (auto line = nextSectionLine(all, 0); line; line = nextSectionLine(all, line->next)) {
    if (!sections_.empty()) sections_.back().end = line->start;
    sections_.push_back(Section{std::string(line->name), line->start, line->next, all.size()});
  }
  for (size_t i = 0; i < sections_.size(); ++i) {
    firstSectionNamed_.emplace(lowered(sections_[i].name), i);
  }
}

std::vector<IniFile::Line> IniFile::bodyLines(const Section& section) const {
  const std::string_view all(bytes_);
  std::vector<Line> lines;
  LineEndFinder ends(all.substr(0, section.end));
  size_t position = section.body;
  while (position < section.end) {
    const size_t end = ends.endOfLine(position);
    const size_t next = nextLine(all, end);
    lines.push_back(Line{all.substr(position, end - position), position, next});
    position = next;
  }
  return lines;
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
  const auto found = firstSectionNamed_.find(lowered(trimmed(name)));
  return found == firstSectionNamed_.end() ? nullptr : &sections_[found->second];
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const {
  return value(section, key).has_value();
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
  const Section* s = findSection(section);
  if (s == nullptr) return std::nullopt;
  for (const Line& line : bodyLines(*s)) {
    const auto entry = parseEntry(line.text);
    if (entry && sameName(entry->key, key)) return readValue(entry->rawValue);
  }
  return std::nullopt;
}

std::unordered_map<std::string, std::string> IniFile::sectionValues(
    std::string_view section) const {
  std::unordered_map<std::string, std::string> values;
  const Section* s = findSection(section);
  if (s == nullptr) return values;
  for (const Line& line : bodyLines(*s)) {
    if (const auto entry = parseEntry(line.text)) {
      values.emplace(lowered(entry->key), readValue(entry->rawValue));
    }
  }
  return values;
}

bool IniFile::alreadyHolds(
    std::string_view section,
    const std::vector<std::pair<std::string, std::string>>& entries) const {
  const Section* s = findSection(section);
  if (s == nullptr) return false;
  std::unordered_map<std::string, std::string_view> rawValues;
  for (const Line& line : bodyLines(*s)) {
    if (const auto entry = parseEntry(line.text)) rawValues.emplace(lowered(entry->key), entry->rawValue);
  }
  return std::all_of(entries.begin(), entries.end(), [&](const auto& entry) {
    const auto found = rawValues.find(lowered(entry.first));
    return found != rawValues.end() && readValue(found->second) == entry.second;
  });
}

namespace {

void appendEntry(std::string& out, std::string_view key, std::string_view value) {
  out += key;
  out += '=';
  out += writtenValue(value);
  out += kLineEnd;
}

}  // namespace

std::string IniFile::withEntries(
    std::string_view section,
    const std::vector<std::pair<std::string, std::string>>& entries) const {
  std::string out;
  out.reserve(bytes_.size() + entries.size() * 48 + section.size() + 8);

  const Section* s = findSection(section);
  if (s == nullptr) {
    out = bytes_;
    const char last = bytes_.empty() ? '\n' : bytes_.back();
    if (last != '\n' && last != '\r') out += kLineEnd;
    out += '[';
    out += section;
    out += ']';
    out += kLineEnd;
    for (const auto& [key, value] : entries) appendEntry(out, key, value);
    return out;
  }

  // The section's entries, the first of duplicate keys winning. New entries
  // follow the last line that is not blank, so that blank lines between
  // sections stay where they are.
  const std::vector<Line> lines = bodyLines(*s);
  std::unordered_map<std::string, size_t> lineOfKey;
  size_t insertAfter = s->body;  // offset after which new entries go
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!trimmed(lines[i].text).empty()) {
      insertAfter = lines[i].next;
    }
    if (const auto entry = parseEntry(lines[i].text)) lineOfKey.emplace(lowered(entry->key), i);
  }

  std::vector<std::pair<size_t, std::string>> replaced;  // line index, new line
  std::string added;
  for (const auto& [key, value] : entries) {
    const auto found = lineOfKey.find(lowered(key));
    if (found == lineOfKey.end()) {
      appendEntry(added, key, value);
      continue;
    }
    const IniEntry entry = *parseEntry(lines[found->second].text);
    if (readValue(entry.rawValue) == value) continue;
    std::string line;
    appendEntry(line, entry.key, value);
    replaced.emplace_back(found->second, std::move(line));
  }
  std::sort(replaced.begin(), replaced.end());

  // Copy the file in runs of untouched bytes between the changed lines.
  size_t copied = 0;
  auto copyUpTo = [&](size_t offset) {
    if (offset > copied) out.append(bytes_, copied, offset - copied);
    copied = std::max(copied, offset);
  };
  auto insertAdded = [&] {
    if (added.empty()) return;
    copyUpTo(insertAfter);
    // The line before the new entries may be the file's last, without a line end.
    const char last = out.empty() ? '\n' : out.back();
    if (last != '\n' && last != '\r') out += kLineEnd;
    out += added;
  };
  bool inserted = false;
  for (const auto& [index, line] : replaced) {
    copyUpTo(lines[index].begin);
    out += line;
    copied = lines[index].next;
    if (!inserted && lines[index].next == insertAfter) {
      insertAdded();
      inserted = true;
    }
  }
  if (!inserted) insertAdded();
  copyUpTo(bytes_.size());
  return out;
}

}  // namespace period
