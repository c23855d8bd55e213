#include "period/ini_file.h"

#include <algorithm>

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

IniFile::IniFile(std::string bytes) : bytes_(std::move(bytes)) {
  const size_t size = bytes_.size();
  size_t position = 0;
  while (position < size) {
    size_t end = position;
    while (end < size && bytes_[end] != '\n' && bytes_[end] != '\r') ++end;
    size_t endingLength = 0;
    if (end < size)
      endingLength = bytes_[end] == '\r' && end + 1 < size && bytes_[end + 1] == '\n' ? 2 : 1;
    const size_t index = lines_.size();
    lines_.push_back(Line{position, end - position, endingLength});
    if (auto name = sectionHeaderName(text(index))) {
      if (!sections_.empty()) sections_.back().end = index;
      sections_.push_back(Section{std::string(*name), index, 0});
    }
    position = end + endingLength;
  }
  if (!sections_.empty()) sections_.back().end = lines_.size();
  for (size_t i = 0; i < sections_.size(); ++i)
    firstSectionNamed_.emplace(lowered(sections_[i].name), i);
}

std::string_view IniFile::text(size_t line) const {
  return std::string_view(bytes_).substr(lines_[line].begin, lines_[line].length);
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
  for (size_t i = s->header + 1; i < s->end; ++i) {
    const auto entry = parseEntry(text(i));
    if (entry && sameName(entry->key, key)) return readValue(entry->rawValue);
  }
  return std::nullopt;
}

std::unordered_map<std::string, std::string> IniFile::sectionValues(
    std::string_view section) const {
  std::unordered_map<std::string, std::string> values;
  const Section* s = findSection(section);
  if (s == nullptr) return values;
  for (size_t i = s->header + 1; i < s->end; ++i) {
    if (const auto entry = parseEntry(text(i))) {
      values.emplace(lowered(entry->key), readValue(entry->rawValue));
    }
  }
  return values;
}

std::string IniFile::withEntries(
    std::string_view section,
    const std::vector<std::pair<std::string, std::string>>& entries) const {
  std::string out;
  out.reserve(bytes_.size() + entries.size() * 40 + section.size() + 8);

  const Section* s = findSection(section);
  if (s == nullptr) {
    out = bytes_;
    if (!lines_.empty() && lines_.back().endingLength == 0) out += kLineEnd;
    out += '[';
    out += section;
    out += ']';
    out += kLineEnd;
    for (const auto& [key, value] : entries) {
      out += key;
      out += '=';
      out += writtenValue(value);
      out += kLineEnd;
    }
    return out;
  }

  // The section's entries, the first of duplicate keys winning.
  std::unordered_map<std::string, size_t> lineOfKey;
  size_t lastContentLine = s->header;
  for (size_t i = s->header + 1; i < s->end; ++i) {
    if (!trimmed(text(i)).empty()) lastContentLine = i;
    if (const auto entry = parseEntry(text(i))) lineOfKey.emplace(lowered(entry->key), i);
  }

  std::unordered_map<size_t, std::string> replaced;
  std::string added;
  for (const auto& [key, value] : entries) {
    const auto found = lineOfKey.find(lowered(key));
    if (found == lineOfKey.end()) {
      added += key;
      added += '=';
      added += writtenValue(value);
      added += kLineEnd;
      continue;
    }
    const IniEntry entry = *parseEntry(text(found->second));
    if (readValue(entry.rawValue) == value) continue;
    std::string line(entry.key);
    line += '=';
    line += writtenValue(value);
    line += kLineEnd;
    replaced[found->second] = std::move(line);
  }

  out.append(bytes_, 0, lines_[s->header].begin);
  for (size_t i = s->header; i < s->end; ++i) {
    const Line& line = lines_[i];
    if (auto r = replaced.find(i); r != replaced.end()) {
      out += r->second;
    } else {
      out.append(bytes_, line.begin, line.length + line.endingLength);
      if (i == lastContentLine && !added.empty() && line.endingLength == 0) out += kLineEnd;
    }
    if (i == lastContentLine) out += added;
  }
  if (s->end < lines_.size()) out.append(bytes_, lines_[s->end].begin, std::string::npos);
  return out;
}

}  // namespace period
