#include "job_reader.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <system_error>

#include "job_error.h"

namespace pagette {
namespace {

constexpr int kEndOfFileMark = 26;

bool isBlank(int c) {
  return c == ' ' || c == '\t';
}
bool isLineEnd(int c) {
  return c == '\r' || c == '\n';
}
bool endsField(int c) {
  return c == ',' || isLineEnd(c) || c == std::char_traits<char>::eof();
}

void trimTrailingBlanks(std::string& text) {
  while (!text.empty() && isBlank(static_cast<unsigned char>(text.back()))) text.pop_back();
}

// A bad field goes to a terminal or a log: control characters and bytes
// outside ASCII are shown by their number, so that they can neither upset the
// terminal nor hide what is wrong.
std::string printable(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string shown;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '\\') {
      shown += "\\\\";
    } else if (byte >= 0x20 && byte < 0x7F) {
      shown += c;
    } else {
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 0xF];
    }
  }
  return shown;
}

std::string quotedForMessage(const std::string& text) {
  constexpr std::size_t kShown = 40;
  if (text.size() <= kShown) return "\"" + printable(text) + "\"";
  return "\"" + printable(std::string_view(text).substr(0, kShown)) + "...\"";
}

// Sign, digits with an optional fraction, an optional exponent: nothing else,
// so that words such as "inf" or "nan" are no numbers.
bool isPlainNumber(std::string_view text) {
  std::size_t i = 0;
  auto digits = [&] {
    std::size_t start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    return i - start;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t mantissa = digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  return i == text.size();
}

// The power of ten of the first significant digit of a plain number: 2 for
// "123", -3 for "0.001e0". Below 0 a number too small to hold is simply 0.
long decimalMagnitude(std::string_view number) {
  std::size_t e = number.find_first_of("eE");
  long exponent = 0;
  if (e != std::string_view::npos) {
    std::string_view digits = number.substr(e + 1);
    bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
      digits.remove_prefix(1);
    for (char d : digits) exponent = std::min(exponent * 10 + (d - '0'), 1000000000L);
    if (negative) exponent = -exponent;
    number = number.substr(0, e);
  }
  std::size_t point = number.find('.');
  if (point == std::string_view::npos) point = number.size();
  std::size_t first = number.find_first_of("123456789");
  if (first == std::string_view::npos) return -1;
  long lead =
      first < point ? static_cast<long>(point - first - 1) : -static_cast<long>(first - point);
  return lead + exponent;
}

}  // namespace

double parseNumberField(const std::string& text, int line, int field) {
  std::string_view number = text;
  while (!number.empty() && isBlank(static_cast<unsigned char>(number.front())))
    number.remove_prefix(1);
  while (!number.empty() && isBlank(static_cast<unsigned char>(number.back())))
    number.remove_suffix(1);
  if (number.empty()) return 0.0;
  // Nearly every field is a short whole number, whose value needs no general parsing.
  constexpr std::size_t kExactDigits = 15;
  if (number.size() <= kExactDigits &&
      std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    std::int64_t whole = 0;
    for (char digit : number) whole = whole * 10 + (digit - '0');
    return static_cast<double>(whole);
  }
  if (!isPlainNumber(number))
    throw RecordError(line, field, quotedForMessage(text) + " is not a number");
  if (number.front() == '+') number.remove_prefix(1);
  double value = 0.0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range && decimalMagnitude(number) < 0) return 0.0;
  if (error != std::errc() || end != number.data() + number.size())
    throw RecordError(line, field, quotedForMessage(text) + " is out of range");
  return value;
}

int JobReader::peek() {
  if (ended_) return std::char_traits<char>::eof();
  int c = in_->sgetc();
  if (c == kEndOfFileMark) {
    ended_ = true;
    return std::char_traits<char>::eof();
  }
  return c;
}

void JobReader::skip() {
  in_->sbumpc();
  ++recordLength_;
}

// Producers write records of a line or two; a file without separators (a
// stray binary file, say) must not be taken into memory whole before it is
// found wrong.
void JobReader::checkRecordLength(int line, int field) const {
  if (recordLength_ > kLongestRecord) {
    throw RecordError(
        line, field, "the record is longer than " + std::to_string(kLongestRecord) + " characters");
  }
}

void JobReader::skipBlanks() {
  while (isBlank(peek())) skip();
}

void JobReader::skipLineEnd() {
  int c = peek();
  skip();
  if (c == '\r' && peek() == '\n') skip();
  ++line_;
}

bool JobReader::skipBlankLinesUntilEnd() {
  for (;;) {
    skipBlanks();
    int c = peek();
    if (!isLineEnd(c)) return c == std::char_traits<char>::eof();
    skipLineEnd();
  }
}

JobReader::RawField JobReader::readField(int field, int recordLine, int fieldsRead) {
  if (afterLineEnd_ && skipBlankLinesUntilEnd()) {
    throw RecordError(recordLine, field,
                      "the file ends after " + std::to_string(fieldsRead) + " of the " +
                          std::to_string(JobRecord::kFieldCount) + " fields of a record");
  }
  skipBlanks();
  RawField raw;
  raw.line = line_;
  if (peek() == '"') {
    skip();
    for (;;) {
      int c = peek();
      if (c == std::char_traits<char>::eof() || isLineEnd(c))
        throw RecordError(raw.line, field, "the text has no closing quote");
      skip();
      if (c == '"') break;
      raw.text.push_back(static_cast<char>(c));
      checkRecordLength(raw.line, field);
    }
    skipBlanks();
    if (!endsField(peek()))
      throw RecordError(raw.line, field, "characters follow the closing quote");
  } else {
    for (int c = peek(); !endsField(c); c = peek()) {
      raw.text.push_back(static_cast<char>(c));
      skip();
      checkRecordLength(raw.line, field);
    }
    trimTrailingBlanks(raw.text);
  }
  int separator = peek();
  if (separator == ',') {
    skip();
    afterLineEnd_ = false;
  } else {
    if (isLineEnd(separator)) skipLineEnd();
    afterLineEnd_ = true;
  }
  return raw;
}

std::optional<JobRecord> JobReader::next() {
  if (afterLineEnd_ && skipBlankLinesUntilEnd()) return std::nullopt;
  JobRecord record;
  const int recordLine = line_;
  recordLength_ = 0;
  for (int field = 1; field <= JobRecord::kFieldCount; ++field) {
    RawField raw = readField(field, recordLine, field - 1);
    record.lines[static_cast<std::size_t>(field - 1)] = raw.line;
    if (field == JobRecord::kTextField) {
      // Producers cannot write a double quote inside the text and write "~" instead.
      for (char& c : raw.text)
        if (c == '~') c = '"';
      while (!raw.text.empty() && raw.text.back() == ' ') raw.text.pop_back();
      record.text = std::move(raw.text);
    } else {
      record.numbers[static_cast<std::size_t>(field - 1)] =
          parseNumberField(raw.text, raw.line, field);
    }
  }
  return record;
}

}  // namespace pagette
