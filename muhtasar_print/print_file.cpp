#include "muhtasar_print/print_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

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
