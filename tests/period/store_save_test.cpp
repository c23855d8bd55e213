// The store save when its temporary file cannot be made: the old store stays
// as it was and nothing is left beside it.
#include <gtest/gtest.h>

#include <stdexcept>
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

// The temporary file cannot be made, on every platform alike. (A folder marked
// read-only still takes new files on Windows, the mark only tells Explorer to
// look for a desktop.ini, and a full disk cannot be had on demand.) A file name
// holds at most 255 characters, so a store whose name is that long leaves no room for the
// temporary file's suffix (13 characters), while one of 242 still does.
TEST(StoreSave, TemporaryFileThatCannotBeMadeLeavesTheOldStore) {
  for (const size_t length : {238, 251}) {
    SCOPED_TRACE(length);
    ScratchDir dir;
    const std::string store = std::string(length, 's') + ".ini";
    try {
      writeFile(store, kOldStore);
    } catch (const std::runtime_error&) {
      GTEST_SKIP() << "the path of the temporary folder leaves no room for a name of 255 "
                      "characters within MAX_PATH";
    }
    const bool saved = period::rewriteStore(store, "2026070809", kEntries);
    EXPECT_EQ(saved, length == 238);
    EXPECT_EQ(readFile(store) == kOldStore, !saved);
    EXPECT_EQ(filesIn("."), std::vector<std::string>{store});
  }
}

}  // namespace
