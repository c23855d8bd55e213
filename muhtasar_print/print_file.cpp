#include "muhtasar_print/print_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "form/cp1254.h"
#include "muhtasar_print/print_file_lines.h"

namespace muhtasar_print {
namespace {

// A print file is a few kilobytes; reading stops well past the largest one.
constexpr std::size_t kLargestFile = kPrintFileLines * (kLongestLine + 2) + 1;

std::string quoted(const std::string& name) {
  return "\"" + name + "\"";
}

// Control characters other than the tab mark a file that is not text: a
// value of the form holds none, and the print would go out garbled.
bool isTextByte(unsigned char c) {
  return c >= 0x20 ? c != 0x7F : c == '\t';
}

std::string hexByte(unsigned char c) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", c);
  return text;
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Blanks, then up to nine digits: the integer part as muhtasar right-aligns it.
bool isAmountInteger(const std::string& line) {
  const std::size_t digits = std::min(line.find_first_not_of(' '), line.size());
  return line.size() - digits <= 9 && std::all_of(line.begin() + digits, line.end(), isDigit);
}

bool isAmountDecimals(const std::string& line) {
  return line.size() == 2 && isDigit(line[0]) && isDigit(line[1]);
}

// A line quoted in a message: a long one is shortened, it is only pointed at.
std::string shown(const std::string& line) {
  constexpr std::size_t kShownLength = 40;
  std::string text = line.size() > kShownLength ? line.substr(0, kShownLength) + "\x85" : line;
  return "\xC2\xAB" + form::cp1254ToUtf8(text) + "\xC2\xBB";
}

// What no muhtasar writes: the print program would put it on paper as if it
// were a declaration's value, so the file is refused at its first such line.
void refuseWhatMuhtasarDoesNotWrite(const PrintFile& file, const std::string& name) {
  auto refuse = [&](int number, const std::string& why) {
    throw PrintFileError("Yazdırma dosyası " + quoted(name) + " muhtasar'ın yazdığı gibi değil: " +
                         std::to_string(number) + ". satır " + shown(file.line(number)) + " " +
                         why);
  };
  for (int number = 1; number <= kPrintFileLines; ++number) {
    const std::string& line = file.line(number);
    switch (lineShape(number)) {
      case LineShape::AmountInteger:
        if (!isAmountInteger(line)) refuse(number, "bir tutar değil; boşluk ve en çok 9 rakam olmalı.");
        break;
      case LineShape::AmountDecimals:
        if (!isAmountDecimals(line)) refuse(number, "bir tutarın kuruşu değil; iki rakam olmalı.");
        break;
      case LineShape::Check:
        if (line != "X" && line != " ") refuse(number, "bir işaret değil; \"X\" ya da tek boşluk olmalı.");
        break;
      case LineShape::Text:
        break;
    }
  }
  if (file.line(kRepeatedRow16CodeLine) != file.line(kRow16CodeLine)) {
    refuse(kRepeatedRow16CodeLine, "65. satırdaki 16. satırın tür koduyla aynı olmalı.");
  }
}

}  // namespace

PrintFile parsePrintFile(const std::string& bytes, const std::string& name) {
  PrintFile file;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
    if (end == std::string::npos) end = bytes.size();
    if (end > start && bytes[end - 1] == '\r' && end < bytes.size()) --end;
    const int number = static_cast<int>(file.lines.size()) + 1;
    if (end - start > kLongestLine) {
      throw PrintFileError("Yazdırma dosyası " + quoted(name) +
                           " okunamadı: " + std::to_string(number) + ". satır " +
                           std::to_string(end - start) + " karakter; bir satır en çok " +
                           std::to_string(kLongestLine) + " karakter olabilir.");
    }
    for (std::size_t i = start; i < end; ++i) {
      const auto c = static_cast<unsigned char>(bytes[i]);
      if (!isTextByte(c)) {
        throw PrintFileError("Yazdırma dosyası " + quoted(name) + " metin dosyası değil: " +
                             std::to_string(number) + ". satırda " + hexByte(c) + " baytı var.");
      }
    }
    file.lines.emplace_back(bytes, start, end - start);
    start = next;
  }
  if (file.lines.size() != static_cast<std::size_t>(kPrintFileLines)) {
    throw PrintFileError("Yazdırma dosyası " + quoted(name) + " " +
                         std::to_string(file.lines.size()) + " satır; " +
                         std::to_string(kPrintFileLines) + " satır olmalı.");
  }
  refuseWhatMuhtasarDoesNotWrite(file, name);
  return file;
}

PrintFile readPrintFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    const int error = errno;
    if (error == ENOENT) throw PrintFileError("Yazdırma dosyası " + quoted(path) + " bulunamadı.");
    throw PrintFileError("Yazdırma dosyası " + quoted(path) +
                         " açılamadı: " + std::strerror(error) + ".");
  }
  std::string bytes(kLargestFile + 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) throw PrintFileError("Yazdırma dosyası " + quoted(path) + " okunamadı.");
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (bytes.size() > kLargestFile) {
    throw PrintFileError("Yazdırma dosyası " + quoted(path) +
                         " bir yazdırma dosyası için çok büyük.");
  }
  return parsePrintFile(bytes, path);
}

}  // namespace muhtasar_print
