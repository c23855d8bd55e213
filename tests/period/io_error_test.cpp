#include "period/io_error.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "support/error_message.h"
#include "support/platform.h"

namespace {

struct ErrnoCase {
  int errnoValue;
  const char* message;
};

class IoMessages : public ::testing::TestWithParam<ErrnoCase> {
 protected:
  // The errno alone, with no system code of an earlier failure beside it.
  void SetUp() override { testing_support::forgetSystemErrorCode(); }
};

TEST_P(IoMessages, NameTheFailureAsTheUsersKnowIt) {
  EXPECT_EQ(testing_support::errorMessage([&] { period::throwIoError(GetParam().errnoValue); }),
            GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Errno, IoMessages,
    ::testing::Values(
        ErrnoCase{ENOENT, "File not found"}, ErrnoCase{ENOTDIR, "Invalid filename"},
        ErrnoCase{ENAMETOOLONG, "Invalid filename"}, ErrnoCase{EMFILE, "Too many open files"},
        ErrnoCase{ENFILE, "Too many open files"}, ErrnoCase{EACCES, "File access denied"},
        ErrnoCase{EPERM, "File access denied"}, ErrnoCase{EROFS, "File access denied"},
        ErrnoCase{EISDIR, "File access denied"}, ErrnoCase{ENOSPC, "I/O error 112"},
        ErrnoCase{EIO, "I/O error 31"}, ErrnoCase{EFBIG, "I/O error 27"}));

}  // namespace
