#include "app/qt/muhtasar_program.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <cstdio>

#include "app/qt/carry_over_message.h"
#include "app/qt/error_report.h"
#include "app/qt/exit_after_first_paint.h"
#include "app/qt/exit_question.h"
#include "app/qt/tform1.h"
#include "app/window_texts.h"
#include "period/file_replace.h"
#include "period/store.h"

namespace app {

void quitAfterFirstPaint(QWidget& window) {
  window.installEventFilter(new ExitAfterFirstPaint(&window));
}

int runMuhtasar(int argc, char** argv) {
  period::letFileSizeLimitFailWrites();
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));

  MessageBoxErrorReport errors;
  CarryOverMessageBox notice;
  TForm1 window(errors, notice);
  MessageBoxExitQuestion exitQuestion;
  window.setExitQuestion(exitQuestion);
  period::setOverwriteQuestion(askBeforeOverwriting);
  window.setOpenElsewhereNotice([&window] {
    QMessageBox::warning(&window, QString::fromUtf8(kApplicationTitle),
                         QString::fromUtf8(kOpenElsewhereNotice));
  });
  window.FormCreate();

  if (qEnvironmentVariableIsSet(kQuitAfterShowVariable)) quitAfterFirstPaint(window);
  window.show();
  application.exec();
  return 0;
}

}  // namespace app
