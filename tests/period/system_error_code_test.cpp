// The I/O messages of real failed file operations, from the code the system
// gives: on Windows its own error code, which tells a missing folder (3) from a
// missing file (2) and names a file held by another program (32).
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "form/form.h"
#include "period/io_error.h"
#include "period/payroll_summary.h"
#include "print/print_file.h"
#include "support/error_message.h"
#include "support/platform.h"
#include "support/scratch_dir.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdlib>
#endif

namespace {

using testing_support::errorMessage;
using testing_support::kWindows;

// Opens the file the way the program does and reports the failure as it would.
void openForWriting(const char* path) {
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) period::throwIoError(errno);
  std::fclose(file);
}

struct FailureCase {
  const char* name;
  std::function<void()> prepare;
  std::function<void()> operation;
  const char* posixMessage;
  const char* windowsMessage;
};

TEST(SystemErrorCode, NamesTheFailureOfARealFileOperation) {
  const form::Form form;
  const std::vector<FailureCase> cases = {
      {"missing payroll summary", [] {}, [] { period::PayrollSummaryReader reader("BORDMHT.DAT"); },
       "File not found", "File not found"},
      {"folder in place of the print file",
       [] { std::filesystem::create_directory("BORDMHT1.DAT"); },
       [&] { print::WritePrintFile(form); }, "File access denied", "File access denied"},
      // POSIX tells a missing folder by the missing-file errno only.
      {"file in a missing folder", [] {}, [] { openForWriting("no-such-folder/BORDMHT1.DAT"); },
       "File not found", "Invalid filename"},
  };
  for (const FailureCase& c : cases) {
    testing_support::ScratchDir dir;
    c.prepare();
    EXPECT_EQ(errorMessage(c.operation), kWindows ? c.windowsMessage : c.posixMessage) << c.name;
  }
}

#ifdef _WIN32

// Another program holds the print file open and lets nobody else in.
TEST(SystemErrorCode, PrintFileHeldByAnotherProgramIsASharingViolation) {
  testing_support::ScratchDir dir;
  const HANDLE held = CreateFileW(L"BORDMHT1.DAT", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(errorMessage([] { print::WritePrintFile(form::Form()); }), "I/O error 32");
  CloseHandle(held);
  EXPECT_EQ(errorMessage([] { print::WritePrintFile(form::Form()); }), "no error");
}

// The run-time keeps the last system code; it names a failure only when it
// is the one that gave the errno, never an older one.
TEST(SystemErrorCode, IsTakenOnlyWhenItGaveTheErrno) {
  struct Case {
    unsigned long systemCode;
    int errnoValue;
    const char* message;
  };
  const std::vector<Case> cases = {
      {ERROR_FILE_NOT_FOUND, ENOENT, "File not found"},
      {ERROR_PATH_NOT_FOUND, ENOENT, "Invalid filename"},
      {ERROR_TOO_MANY_OPEN_FILES, EMFILE, "Too many open files"},
      {ERROR_ACCESS_DENIED, EACCES, "File access denied"},
      {ERROR_SHARING_VIOLATION, EACCES, "I/O error 32"},
      {ERROR_LOCK_VIOLATION, EACCES, "I/O error 33"},
      {ERROR_DISK_FULL, ENOSPC, "I/O error 112"},
      {ERROR_INVALID_NAME, EINVAL, "I/O error 123"},
      {0, ENOENT, "File not found"},
      {ERROR_PATH_NOT_FOUND, EACCES, "File access denied"},  // an older failure's code
      {ERROR_SHARING_VIOLATION, ENOSPC, "I/O error 112"},
  };
  for (const Case& c : cases) {
    _doserrno = c.systemCode;
    EXPECT_EQ(errorMessage([&] { period::throwIoError(c.errnoValue); }), c.message)
        << "code " << c.systemCode << ", errno " << c.errnoValue;
  }
  _doserrno = 0;
}

#else

TEST(SystemErrorCode, PrintFileHeldByAnotherProgramIsASharingViolation) {
  GTEST_SKIP() << "POSIX lets any number of programs open a file: there is no sharing violation";
}

TEST(SystemErrorCode, IsTakenOnlyWhenItGaveTheErrno) {
  GTEST_SKIP() << "errno is the only code POSIX gives";
}

#endif

}  // namespace
