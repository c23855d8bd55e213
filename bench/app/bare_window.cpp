// The baseline of the start-up benchmark: the least a Qt Widgets program with
// a window like muhtasar's does, a main window of the same size with a menu
// bar of the same four commands. It ends after its first paint exactly as
// muhtasar does under MUHTASAR_QUIT_AFTER_SHOW, so both are timed alike.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <cstdio>

namespace {

class QuitAfterFirstPaint : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QMetaObject::invokeMethod(this, &QuitAfterFirstPaint::end, Qt::QueuedConnection);
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

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.setWindowTitle("VBM Muhtasar Beyanname");
  for (const char* caption :
       {"Hesaplanan Değerleri &Güncelle", "Önceki Dönemden &Devir", "&Yazdır", "Çı&kış"})
    window.menuBar()->addAction(QString::fromUtf8(caption));
  window.resize(654, 683);
  window.installEventFilter(new QuitAfterFirstPaint(&window));
  window.show();
  return application.exec();
}
