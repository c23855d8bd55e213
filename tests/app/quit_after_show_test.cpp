// The start-up benchmark's hook ends the program after the first paint
// without closing the window, so no save on close runs.
#include <QApplication>
#include <QTimer>
#include <algorithm>

#include "app/muhtasar_program.h"
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
