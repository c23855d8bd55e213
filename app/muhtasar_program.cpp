#include "app/muhtasar_program.h"

#include <QApplication>
#include <QEvent>

#include "app/carry_over_message.h"
#include "app/error_report.h"
#include "app/exit_question.h"
#include "app/tform1.h"
#include "app/window_texts.h"
#include "period/file_replace.h"

namespace app {
namespace {

// Ends the event loop once the window has been painted for the first time.
class QuitAfterFirstPaint : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    }
    return false;
  }
};

}  // namespace

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

  QuitAfterFirstPaint quitHook;
  if (qEnvironmentVariableIsSet(kQuitAfterShowVariable)) window.installEventFilter(&quitHook);
  window.show();
  application.exec();
  return 0;
}

}  // namespace app
