#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <cstdio>

namespace app {

// Ends the event loop once the watched window has painted for the first time,
// and says "shown" on standard output, so that a benchmark times start-up
// alone. Not quit(): that closes the windows first, and closing saves.
class ExitAfterFirstPaint : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      // Queued, so that the painted window is on the screen first.
      QMetaObject::invokeMethod(this, &ExitAfterFirstPaint::end, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  void end() {
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
    QCoreApplication::exit(0);
  }
};

}  // namespace app
