#include "app/qt/error_report.h"

#include <QMessageBox>

#include "app/window_texts.h"

namespace app {

void MessageBoxErrorReport::show(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kApplicationTitle),
                  QString::fromStdString(text), QMessageBox::Ok);
  box.exec();
}

}  // namespace app
