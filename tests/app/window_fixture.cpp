#include "window_fixture.h"

#include <QApplication>
#include <QImage>
#include <QTest>

namespace app_testing {

int ringPixelsNotOf(QWidget* widget, QRgb colour, bool withNeighbours) {
  const QImage image = withNeighbours ? widget->parentWidget()->grab(widget->geometry()).toImage()
                                      : widget->grab().toImage();
  const int right = image.width() - 1, bottom = image.height() - 1;
  int found = 0;
  auto look = [&](int x, int y) {
    if ((image.pixel(x, y) & RGB_MASK) != (colour & RGB_MASK)) ++found;
  };
  for (int x = 0; x <= right; ++x) {
    look(x, 0);
    look(x, bottom);
  }
  for (int y = 1; y < bottom; ++y) {
    look(0, y);
    look(right, y);
  }
  return found;
}

void WindowTest::SetUp() {
  commands.startUp = [this](form::Form&, std::string& key) {
    log.calls.push_back("StartUp");
    key = "2026101112";
  };
  commands.updateComputedValues = [this](form::Form&, std::string&) {
    log.calls.push_back("UpdateComputedValues");
  };
  commands.carryOverPrevious = [this](form::Form&, const std::string&, period::CarryOverNotice&) {
    log.calls.push_back("CarryOverPrevious");
  };
  commands.printDeclaration = [this](form::Form&, const std::string&) {
    log.calls.push_back("printDeclaration");
  };
  commands.saveDeclaration = [this](const form::Form&, std::string_view key) {
    log.calls.push_back("SaveDeclaration");
    log.savedKeys.emplace_back(key);
  };
}

void WindowTest::TearDown() {
  // The window may still be open; it goes without running its close.
  window.reset();
}

void WindowTest::openWindow() {
  window = std::make_unique<app::TForm1>(errors, notice, commands);
  window->setExitQuestion(exitQuestion);
  window->FormCreate();
  window->show();
  QApplication::setActiveWindow(window.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QApplication::processEvents();
  window->completeForm();
}

QWidget* WindowTest::widget(const char* name) const {
  QWidget* w = window->findChild<QWidget*>(QString::fromUtf8(name));
  EXPECT_NE(w, nullptr) << name;
  return w;
}

QWidget* WindowTest::focused() const {
  return QApplication::focusWidget();
}

void WindowTest::focus(const char* name) {
  widget(name)->setFocus(Qt::OtherFocusReason);
  QApplication::processEvents();
}

// Types every character the way the keyboard delivers it, Turkish letters included.
void WindowTest::typeInto(const char* name, const QString& text) {
  focus(name);
  for (QChar ch : text) {
    QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
  }
  QApplication::processEvents();
}

void WindowTest::pressEnter() {
  QTest::keyClick(focused(), Qt::Key_Return);
  QApplication::processEvents();
}

}  // namespace app_testing
