#include "app/error_report.h"

#include <QMessageBox>
#include <exception>

#include "app/window_texts.h"

namespace app {

void MessageBoxErrorReport::show(const QString& text) {
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kApplicationTitle), text,
                  QMessageBox::Ok);
  box.exec();
}

QString errorReportText(std::string_view utf8Message) {
  QString text = QString::fromUtf8(utf8Message.data(), static_cast<qsizetype>(utf8Message.size()));
  if (!text.isEmpty() && text.back() > QChar(u'.')) text += u'.';
  return text;
}

bool HandlerEdge::run(const std::function<void()>& handler) const {
  try {
    handler();
    return true;
  } catch (const std::exception& error) {
    report_.show(errorReportText(error.what()));
  } catch (...) {
    report_.show(errorReportText("Unknown error"));
  }
  return false;
}

}  // namespace app
