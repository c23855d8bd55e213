// The start-up benchmark's hook ends the program after the first paint
// without closing the window, so no save on close runs.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "app/qt/muhtasar_program.h"
#include "form/catalogue.h"
#include "window_fixture.h"

namespace app_testing {
namespace {

TEST_F(WindowTest, QuitAfterFirstPaintEndsTheLoopWithoutTheCloseSave) {
  window = std::make_unique<app::TForm1>(errors, notice, commands);
  window->FormCreate();
  app::quitAfterFirstPaint(*window);
  window->show();
  // A hook that never fires fails the test instead of hanging it.
  QTimer::singleShot(10000, [] { QCoreApplication::exit(1); });
  testing::internal::CaptureStdout();
  const int status = QApplication::exec();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "shown\n");
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(std::count(log.calls.begin(), log.calls.end(), "SaveDeclaration"), 0);
}

}  // namespace
}  // namespace app_testing

namespace app_testing {
namespace {

// The lower part of the form is built once the window has been painted: after
// that paint, with nothing asking for it, every component is there, shown, and
// Tab runs through the payee list's cells.
TEST_F(WindowTest, TheWholeFormIsBuiltOnceTheWindowHasBeenPainted) {
  window = std::make_unique<app::TForm1>(errors, notice, commands);
  window->FormCreate();
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  QTimer::singleShot(10000, [] { QCoreApplication::exit(1); });
  QTimer::singleShot(200, [] { QCoreApplication::exit(0); });
  ASSERT_EQ(QApplication::exec(), 0);
  for (const form::Component& c : form::catalogue()) {
    const auto* w = window->findChild<QWidget*>(QString::fromStdString(c.name));
    ASSERT_NE(w, nullptr) << c.name;
    EXPECT_TRUE(w->isVisibleTo(window.get())) << c.name;
  }
  QWidget* lastPayeeCell = window->findChild<QWidget*>("MaskEdit148");
  lastPayeeCell->setFocus();
  QTest::keyClick(lastPayeeCell, Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget(), window->findChild<QWidget*>("MaskEdit147"));
}

}  // namespace
}  // namespace app_testing
