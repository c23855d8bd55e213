// The history of the declarations: the versions kept byte for byte after saves,
// updates and prints (a golden file), the cap with printed versions kept, a
// damaged history read as far as it is sound and nothing of it lost, a
// history that cannot be written, and a version brought back.
#include "period/history.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "form/form.h"
#include "form/totals.h"
#include "period/store.h"
#include "support/platform.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::readFile;
using testing_support::ScratchDir;
using testing_support::writeFile;

constexpr const char* kKey = "2026101112";

// Moments one second apart, from 2026-12-09 10:00:00, so that files compare.
class HistoryTest : public testing::Test {
 protected:
  void SetUp() override {
    period::setHistoryClock([this] {
      const int s = seconds_++;
      return "2026-12-09 10:" + std::string(1, char('0' + s / 600 % 6)) +
             std::string(1, char('0' + s / 60 % 10)) + ":" + std::string(1, char('0' + s / 10 % 6)) +
             std::string(1, char('0' + s % 10));
    });
    form::bindChangeHandlers(form);
  }
  void TearDown() override {
    period::setHistoryClock(nullptr);
    period::takeHistoryNotice();
  }
  void saveWith(const char* taxOffice) {
    form.edit("Edit1").setText(taxOffice);
    period::SaveDeclaration(form, kKey);
  }

  ScratchDir dir;
  form::Form form;
  int seconds_ = 0;
};

TEST_F(HistoryTest, KeepsWhatSavesUpdatesAndPrintsWriteOver) {
  saveWith("BIR");  // a first save has nothing to keep
  EXPECT_FALSE(std::filesystem::exists(period::kHistoryFile));
  saveWith("BIR");  // nor has a save that changes nothing
  EXPECT_FALSE(std::filesystem::exists(period::kHistoryFile));
  form.maskEdit("MaskEdit1").setText("        100.00");
  saveWith("IKI");  // keeps "BIR" as it was stored
  period::keepFormVersion(form, kKey, period::VersionReason::BeforeUpdate);
  period::keepFormVersion(form, kKey, period::VersionReason::BeforeCarryOver);  // the same: not again
  period::keepFormVersion(form, kKey, period::VersionReason::Printed);  // printed: kept all the same
  period::keepFormVersion(form, kKey, period::VersionReason::Printed);  // printed again: not again
  period::keepFormVersion(form, "2026070809", period::VersionReason::Printed);
  EXPECT_EQ(readFile(period::kHistoryFile),
            readFile(std::string(MUHTASAR_TESTDATA_DIR) + "/history/saves_update_print.ini"));
  EXPECT_EQ(period::takeHistoryNotice(), std::nullopt);

  const auto versions = period::versionsOf(period::readHistory(), kKey);
  ASSERT_EQ(versions.size(), 3u);
  EXPECT_TRUE(versions[0].printed());
  EXPECT_EQ(versions[2].moment, "2026-12-09 10:00:00");
  // The store holds nothing but its periods.
  EXPECT_EQ(readFile("muhtasar.ini").find("Neden"), std::string::npos);
}

TEST_F(HistoryTest, KeepsTheNewestFiftyAndEveryPrintedOne) {
  saveWith("0");
  for (int i = 1; i <= 70; ++i) {
    saveWith(std::to_string(i).c_str());
    if (i == 3 || i == 7) period::keepFormVersion(form, kKey, period::VersionReason::Printed);
  }
  const auto versions = period::versionsOf(period::readHistory(), kKey);
  ASSERT_EQ(versions.size(), 52u);
  EXPECT_EQ(versions.front().entries.front().second, "69");  // the last save kept "69"
  int printed = 0;
  for (const auto& v : versions) printed += v.printed();
  EXPECT_EQ(printed, 2);
}

TEST_F(HistoryTest, ADamagedHistoryLosesNothingOfWhatItHeld) {
  const std::string foreign =
      "garbage before any section\r\n[Not a version]\r\nkey=value\r\n"
      "[2026101112 2026-12-09 09:00:00]\r\nEdit1=no reason: not ours\r\n\x01\xff\r\n";
  writeFile(period::kHistoryFile, foreign);
  saveWith("BIR");
  saveWith("IKI");
  const std::string after = readFile(period::kHistoryFile);
  EXPECT_EQ(after.substr(0, foreign.size()), foreign);
  ASSERT_EQ(period::versionsOf(period::readHistory(), kKey).size(), 1u);
}

// A history write that was killed left its temporary file: the next one takes it away.
TEST_F(HistoryTest, AKilledWriteLeavesNothingBehindTheNext) {
  // Named as each system's saves name their temporary files.
  const std::string left = testing_support::kWindows ? "muhtasar-gecmis.ini.0123abcd.tmp"
                                                     : "muhtasar-gecmis.ini.Ab12Cd.tmp";
  writeFile(left, "[2026101112 2026-12-09 09:00:00]\r\nEdit1=ha");
  saveWith("BIR");
  saveWith("IKI");
  EXPECT_FALSE(std::filesystem::exists(left));
  EXPECT_EQ(period::versionsOf(period::readHistory(), kKey).size(), 1u);
}

TEST_F(HistoryTest, AHistoryThatCannotBeWrittenStopsNoSave) {
  std::filesystem::create_directory(period::kHistoryFile);
  saveWith("BIR");
  saveWith("IKI");
  EXPECT_EQ(period::StoredValue(kKey, "Edit1"), "IKI");
  const auto notice = period::takeHistoryNotice();
  ASSERT_TRUE(notice);
  EXPECT_NE(notice->find("muhtasar-gecmis.ini"), std::string::npos);
  EXPECT_EQ(period::takeHistoryNotice(), std::nullopt) << "said once";
}

TEST_F(HistoryTest, AVersionComesBackWholeWithItsTotals) {
  form.maskEdit("MaskEdit1").setText("        100.00");
  saveWith("BIR");
  form.edit("Edit2").setText("typed since");
  form.maskEdit("MaskEdit1").setText("        250.00");
  saveWith("IKI");
  const auto versions = period::versionsOf(period::readHistory(), kKey);
  ASSERT_EQ(versions.size(), 1u);
  period::restoreVersion(form, versions.front());
  EXPECT_EQ(form.edit("Edit1").text(), "BIR");
  EXPECT_EQ(form.edit("Edit2").text(), "");
  EXPECT_NE(form.staticText("StaticText1").caption().find("100.00"), std::string::npos);
}

}  // namespace
