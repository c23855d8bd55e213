// The store save on Windows with another program holding the store open.
// Nothing the accountant saved before may be lost, and a save that did not
// happen says so.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "period/period_test_support.h"
#include "period/store_rewrite.h"
#include "support/scratch_dir.h"

namespace {

using period_testing::filesIn;
using testing_support::readFile;
using testing_support::ScratchDir;
using testing_support::writeFile;

const std::string& kOldStore = period_testing::kTwoSectionStore;
const auto& kEntries = period_testing::kEntriesOfTheFirst;

// The bytes the save gives when nobody else holds the store.
std::string storeSavedAlone() {
  ScratchDir alone;
  writeFile("muhtasar.ini", kOldStore);
  EXPECT_TRUE(period::rewriteStore("muhtasar.ini", "2026070809", kEntries));
  return readFile("muhtasar.ini");
}

HANDLE openWith(const std::string& path, DWORD access, DWORD share) {
  return CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

// A rename does not replace a file that any handle holds, the save's own lock
// included (short of POSIX renames on newer NTFS), so the store is rewritten
// where it lies; a handle that does not share writing keeps the save out
// altogether, and the old store stays whole.
struct HolderCase {
  const char* name;
  DWORD access;
  DWORD share;
  bool saved;
};

class StoreHeldOpen : public testing::TestWithParam<HolderCase> {};

TEST_P(StoreHeldOpen, SavesWhereSharingAllowsAndLosesNothing) {
  const std::string expected = storeSavedAlone();
  ScratchDir dir;
  writeFile("muhtasar.ini", kOldStore);
  HANDLE holder = openWith("muhtasar.ini", GetParam().access, GetParam().share);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);

  EXPECT_EQ(period::rewriteStore("muhtasar.ini", "2026070809", kEntries), GetParam().saved);
  if (GetParam().saved) {
    // Through its own handle the holder reads a whole store, never a mix: the
    // new one where it was rewritten in place, the old one where a Windows
    // that renames over open files replaced it.
    std::string seen(expected.size() + kOldStore.size(), '\0');
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(holder, seen.data(), static_cast<DWORD>(seen.size()), &read, nullptr));
    seen.resize(read);
    EXPECT_TRUE(seen == expected || seen == kOldStore) << seen;
  }
  CloseHandle(holder);
  // Read once the holder is gone: an exclusive one lets nobody read.
  EXPECT_EQ(readFile("muhtasar.ini"), GetParam().saved ? expected : kOldStore);
  EXPECT_EQ(filesIn("."), std::vector<std::string>{"muhtasar.ini"});

  // Now the same save goes through.
  EXPECT_TRUE(period::rewriteStore("muhtasar.ini", "2026070809", kEntries));
  EXPECT_EQ(readFile("muhtasar.ini"), expected);
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

INSTANTIATE_TEST_SUITE_P(
    OtherHandle, StoreHeldOpen,
    testing::Values(HolderCase{"ReaderSharingAll", GENERIC_READ, kShareAll, true},
                    HolderCase{"ReaderWithoutShareDelete", GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, true},
                    HolderCase{"WriterWithoutShareDelete", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, true},
                    HolderCase{"ReaderSharingOnlyReading", GENERIC_READ, FILE_SHARE_READ, false},
                    HolderCase{"ExclusiveEditor", GENERIC_READ | GENERIC_WRITE, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
