#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QtGlobal>

// The Qt printer needs a platform for its fonts; tests run without a display,
// also when CTest lists them at build time.
int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QGuiApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
