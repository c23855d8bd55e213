#include "help/qt/open_guide.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

#include "help/user_guide.h"
#include "period/path_text.h"

namespace help {

std::string openGuide(const char* section) {
  const std::filesystem::path folder =
      period::pathOfText(QCoreApplication::applicationDirPath().toStdString());
  const std::filesystem::path guide = findGuide(folder);
  if (guide.empty()) return guideMissing(folder);
  QUrl url = QUrl::fromLocalFile(QString::fromStdString(period::textOfPath(guide)));
  url.setFragment(QString::fromUtf8(section));
  return QDesktopServices::openUrl(url) ? std::string() : guideNotOpened(guide);
}

}  // namespace help
