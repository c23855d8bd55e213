#include "form/cp1254.h"

#include <algorithm>
#include <array>
#include <utility>

namespace form {
namespace {

// Bytes 0x80-0x9F; the unassigned ones keep their own number.
constexpr char16_t kHigh80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x008E, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178};

constexpr char16_t mapByte(unsigned byte) {
  if (byte < 0x80) return static_cast<char16_t>(byte);
  if (byte < 0xA0) return kHigh80[byte - 0x80];
  switch (byte) {  // the Turkish letters in place of Latin-1's Icelandic ones
    case 0xD0: return 0x011E;  // Ğ
    case 0xDD: return 0x0130;  // İ
    case 0xDE: return 0x015E;  // Ş
    case 0xF0: return 0x011F;  // ğ
    case 0xFD: return 0x0131;  // ı
    case 0xFE: return 0x015F;  // ş
    default: return static_cast<char16_t>(byte);
  }
}

struct ReverseTable {
  std::array<std::pair<char16_t, unsigned char>, 256> entries{};
  ReverseTable() {
    for (unsigned b = 0; b < 256; ++b) entries[b] = {mapByte(b), static_cast<unsigned char>(b)};
    std::sort(entries.begin(), entries.end());
  }
};

const ReverseTable& reverseTable() {
  static const ReverseTable table;
  return table;
}

// Decodes one UTF-8 sequence at text[i]; malformed bytes read as U+FFFD.
char32_t decodeUtf8(std::string_view text, size_t& i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i++);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t cp = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
  } else {
    return 0xFFFD;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= text.size() || (byte(i) & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (byte(i++) & 0x3F);
  }
  return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

char16_t cp1254ToUnicode(unsigned char byte) { return mapByte(byte); }

char unicodeToCp1254(char32_t character) {
  if (character < 0x80) return static_cast<char>(character);
  const auto& entries = reverseTable().entries;
  auto it = std::lower_bound(entries.begin(), entries.end(), character,
                             [](const auto& e, char32_t c) { return e.first < c; });
  if (it != entries.end() && it->first == character) return static_cast<char>(it->second);
  return '?';
}

std::string utf8ToCp1254(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) out += unicodeToCp1254(decodeUtf8(utf8, i));
  return out;
}

std::string cp1254ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char b : bytes) appendUtf8(out, cp1254ToUnicode(static_cast<unsigned char>(b)));
  return out;
}

}  // namespace form
