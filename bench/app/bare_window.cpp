// The baseline of the start-up benchmark: the least a Qt Widgets program with
// a window like muhtasar's does, a main window of the same size with a menu
// bar of the same four commands. It ends after its first paint exactly as
// muhtasar does under MUHTASAR_QUIT_AFTER_SHOW, so both are timed alike.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <cstdio>

#include "app/qt/exit_after_first_paint.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.setWindowTitle("VBM Muhtasar Beyanname");
  for (const char* caption :
       {"Hesaplanan Değerleri &Güncelle", "Önceki Dönemden &Devir", "&Yazdır", "Çı&kış"})
    window.menuBar()->addAction(QString::fromUtf8(caption));
  window.resize(654, 683);
  window.installEventFilter(new app::ExitAfterFirstPaint(&window));
  window.show();
  return application.exec();
}
