#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// The preview tests need a widget platform; where no display exists at test
// discovery or in CTest, the one that needs none.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
