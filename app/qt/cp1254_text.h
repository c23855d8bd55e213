#pragma once

#include <QList>
#include <QString>
#include <string>
#include <string_view>

namespace app {

// Field texts cross the window's edge here: the form keeps code page 1254
// bytes, the widgets show Unicode. A character the code page has no place
// for becomes "?".
QString fromCp1254(std::string_view bytes);
std::string toCp1254(const QString& text);
char toCp1254(char32_t character);

}  // namespace app
