#include "app/qt/cp1254_text.h"

#include "form/cp1254.h"

namespace app {

QString fromCp1254(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char byte : bytes) text += QChar(form::cp1254ToUnicode(static_cast<unsigned char>(byte)));
  return text;
}

std::string toCp1254(const QString& text) {
  std::string bytes;
  for (char32_t character : text.toUcs4()) bytes += form::unicodeToCp1254(character);
  return bytes;
}

char toCp1254(char32_t character) {
  return form::unicodeToCp1254(character);
}

}  // namespace app
