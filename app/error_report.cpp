#include "app/error_report.h"

#include <QMessageBox>
#include <exception>
#include <optional>
#include <string>

#include "app/window_texts.h"
#include "period/rewrite_journal.h"
#include "period/store.h"

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
  bool ran = false;
  try {
    handler();
    ran = true;
  } catch (const period::CommandCancelled&) {
    // The user's own choice at a question: nothing to report.
  } catch (const std::exception& error) {
    report_.show(errorReportText(error.what()));
  } catch (...) {
    report_.show(errorReportText("Unknown error"));
  }
  // A store put back after a cut-off rewrite is told of once, in the same box.
  if (const std::optional<std::string> notice = period::takeUndoneRewriteNotice())
    report_.show(errorReportText(*notice));
  return ran;
}

}  // namespace app
