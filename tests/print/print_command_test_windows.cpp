#include <gtest/gtest.h>

TEST(PrintCommandChildren, NoneIsLeftToReap) {
  GTEST_SKIP() << "Windows keeps no zombie processes to reap: CreateProcessA leaves two "
                  "handles, which the start closes at once";
}
