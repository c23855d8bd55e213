#include "app/muhtasar_program.h"

#include <QApplication>
#include <QEvent>
#include <cstdio>

#include "app/carry_over_message.h"
#include "app/error_report.h"
#include "app/exit_question.h"
#include "app/tform1.h"
#include "app/window_texts.h"
#include "period/file_replace.h"

namespace app {
namespace {

class QuitAfterFirstPaint : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      // Queued, so that the painted window is on the screen first.
      QMetaObject::invokeMethod(this, &QuitAfterFirstPaint::end, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  void end() {
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
    // Not quit(): that closes the windows first, and closing saves.
    QCoreApplication::exit(0);
  }
};

}  // namespace

void quitAfterFirstPaint(QWidget& window) {
  window.installEventFilter(new QuitAfterFirstPaint(&window));
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
  window.FormCreate();

  if (qEnvironmentVariableIsSet(kQuitAfterShowVariable)) quitAfterFirstPaint(window);
  window.show();
  application.exec();
  return 0;
}

}  // namespace app
