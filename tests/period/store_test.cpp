#include "period/store.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>

#include "form/catalogue.h"
#include "form/cp1254.h"
#include "form/form.h"
#include "period/file_replace.h"
#include "period/io_error.h"
#include "period/period_test_support.h"
#include "support/error_message.h"
#include "support/platform.h"
#include "support/scratch_dir.h"

namespace {

using period_testing::cp;
using period_testing::formState;
using testing_support::readFile;
using testing_support::ScratchDir;
using testing_support::writeFile;

TEST(StoredFieldNames, AreThe421FieldsInTheOrderOfASave) {
  const auto& names = period::storedFieldNames();
  ASSERT_EQ(names.size(), 421u);
  std::vector<std::string> expected;
  for (int n = 1; n <= 214; ++n) expected.push_back(form::editName(n));
  for (const char* name : {"Edit5_1", "Edit5_2", "Edit5_3"}) expected.push_back(name);
  for (int n = 1; n <= 148; ++n) {
    if (n != 24) expected.push_back(form::maskEditName(n));
  }
  for (int n = 1; n <= 52; ++n) {
    if (n != 3 && (n < 29 || n > 31) && (n < 47 || n > 51))
      expected.push_back(form::staticTextName(n));
  }
  for (int n = 1; n <= 14; ++n) expected.push_back(form::checkBoxName(n));
  EXPECT_EQ(names, expected);
}

// A value for every stored field that exercises the store: Turkish letters,
// blanks at the ends, quotes, long texts.
std::string testValue(const std::string& name, size_t index) {
  switch (index % 7) {
    case 0:
      return cp("Şirket İĞÜÖÇ ığüöç ") + name;
    case 1:
      return "  " + name + "  ";
    case 2:
      return "\"" + name + "\"";
    case 3:
      return std::string(2047 - name.size(), 'x') + name;
    case 4:
      return "'" + name;
    case 5:
      return name + "=value; [x]";
    default:
      return "\t" + name;
  }
}

void fillEveryStoredField(form::Form& form) {
  const auto& names = period::storedFieldNames();
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string& name = names[i];
    switch (form.field(name).kind()) {
      case form::FieldKind::Text:
        form.edit(name).setText(testValue(name, i));
        break;
      case form::FieldKind::Amount:
        form.maskEdit(name).setEditText(testValue(name, i));
        break;
      case form::FieldKind::Display:
        form.staticText(name).setCaption(testValue(name, i));
        break;
      case form::FieldKind::Check:
        form.checkBox(name).setChecked(i % 2 == 0);
        break;
    }
  }
}

TEST(DeclarationStore, EveryStoredFieldLoadsBackUnchanged) {
  ScratchDir dir;
  form::Form saved;
  fillEveryStoredField(saved);
  const auto expected = formState(saved);
  period::SaveDeclaration(saved, "2026040506");

  form::Form loaded;
  period::LoadDeclaration(loaded, "2026040506");
  EXPECT_EQ(formState(loaded), expected);
  EXPECT_EQ(loaded.staticText(3).caption(), "TOPLAM");
}

TEST(DeclarationStore, ASecondSaveOfTheSameFormKeepsEveryByte) {
  ScratchDir dir;
  form::Form form;
  fillEveryStoredField(form);
  period::SaveDeclaration(form, "K");
  const std::string first = readFile("muhtasar.ini");
  period::SaveDeclaration(form, "K");
  EXPECT_EQ(readFile("muhtasar.ini"), first);
  EXPECT_FALSE(std::filesystem::exists("muhtasar.ini.tmp"));
}

// A save that changes nothing does not write the store at all; one that
// changes a field does.
TEST(DeclarationStore, ASaveThatChangesNothingLeavesTheFileUntouched) {
  namespace fs = std::filesystem;
  ScratchDir dir;
  form::Form form;
  fillEveryStoredField(form);
  period::SaveDeclaration(form, "K");
  const fs::file_time_type past = fs::last_write_time("muhtasar.ini") - std::chrono::hours(24);
  fs::last_write_time("muhtasar.ini", past);
  period::SaveDeclaration(form, "K");
  EXPECT_EQ(fs::last_write_time("muhtasar.ini"), past);
  form.edit(1).setText("changed");
  period::SaveDeclaration(form, "K");
  EXPECT_NE(fs::last_write_time("muhtasar.ini"), past);
}

TEST(DeclarationStore, CutsLongerValuesAtTwoThousandFortySevenCharacters) {
  ScratchDir dir;
  form::Form form;
  form.edit("Edit20").setText(std::string(3000, 'y'));
  period::SaveDeclaration(form, "K");
  EXPECT_EQ(period::StoredValue("K", "Edit20"), std::string(2047, 'y'));
}

TEST(DeclarationStore, WritesEmptyTextsChecksAndEditTexts) {
  ScratchDir dir;
  form::Form form;
  form.checkBox(2).setChecked(true);
  period::SaveDeclaration(form, "K");
  const std::string store = readFile("muhtasar.ini");
  EXPECT_TRUE(store.starts_with("[K]\r\nEdit1=\r\nEdit2=\r\n"));
  EXPECT_NE(store.find("\r\nEdit18=.0075\r\n"), std::string::npos);
  EXPECT_NE(store.find(
                "\r\nEdit214=\r\nEdit5_1=\r\nEdit5_2=\r\nEdit5_3=\r\nMaskEdit1=___,___,___.__\r\n"),
            std::string::npos);
  EXPECT_NE(store.find("\r\nMaskEdit23=___,___,___.__\r\nMaskEdit25="), std::string::npos);
  EXPECT_EQ(store.find("StaticText3="), std::string::npos);
  EXPECT_TRUE(
      store.ends_with("\r\nCheckBox1=0\r\nCheckBox2=-1\r\nCheckBox3=0\r\n"
                      "CheckBox4=0\r\nCheckBox5=0\r\nCheckBox6=0\r\nCheckBox7=0\r\n"
                      "CheckBox8=0\r\nCheckBox9=0\r\nCheckBox10=0\r\nCheckBox11=0\r\n"
                      "CheckBox12=0\r\nCheckBox13=0\r\nCheckBox14=0\r\n"));
  EXPECT_EQ(std::count(store.begin(), store.end(), '\n'), 422);
}

TEST(DeclarationStore, TwoKeysAreTwoIndependentSections) {
  ScratchDir dir;
  form::Form form;
  form.edit("Edit1").setText("first");
  period::SaveDeclaration(form, "2026010203");
  const std::string firstOnly = readFile("muhtasar.ini");
  form.edit("Edit1").setText("second");
  period::SaveDeclaration(form, "2026040506");
  const std::string both = readFile("muhtasar.ini");
  EXPECT_TRUE(both.starts_with(firstOnly));
  EXPECT_EQ(period::StoredValue("2026010203", "Edit1"), "first");
  EXPECT_EQ(period::StoredValue("2026040506", "Edit1"), "second");
}

// A store as Windows and other programs leave it.
const std::string kForeignStore =
    "; muhtasar declarations\r\n"
    "[OtherProgram]\r\n"
    "Setting = 1\r\n"
    "\r\n"
    "[2026040506]\r\n"
    "edit1 = \"  Kadıköy  \"\r\n"
    "EDIT2='İstanbul'\r\n"
    "maskedit1 = ___,__1,234.50\r\n"
    "; kept note\r\n"
    "checkbox1=TRUE\r\n"
    "CheckBox2=false\r\n"
    "CheckBox3 = 1\r\n"
    "CheckBox4=0.0\r\n"
    "CheckBox5=-1\r\n"
    "CheckBox6=0\r\n"
    "CheckBox7=0\r\n"
    "CheckBox8=0\r\n"
    "CheckBox9=0\r\n"
    "CheckBox10=0\r\n"
    "CheckBox11=0\r\n"
    "CheckBox12=0\r\n"
    "CheckBox13=0\r\n"
    "CheckBox14=+2\r\n"
    "\r\n"
    "[Trailer]\r\n"
    "x=y\r\n";

TEST(DeclarationStore, LoadsAStoreWrittenTheWindowsWay) {
  ScratchDir dir;
  writeFile("muhtasar.ini", cp(kForeignStore.c_str()));
  form::Form form;
  period::LoadDeclaration(form, "2026040506");
  EXPECT_EQ(form.edit("Edit1").text(), cp("  Kadıköy  "));
  EXPECT_EQ(form.edit("Edit2").text(), cp("İstanbul"));
  EXPECT_EQ(form.maskEdit(1).editText(), "___,__1,234.50");
  EXPECT_EQ(form.staticText(1).caption(), "___,__1,234.50");  // the totals followed
  EXPECT_EQ(form.edit("Edit18").text(), ".0075");             // missing: kept
  const bool expectedBoxes[] = {true,  false, true,  false, true,  false, false,
                                false, false, false, false, false, false, true};
  for (int n = 1; n <= 14; ++n) EXPECT_EQ(form.checkBox(n).checked(), expectedBoxes[n - 1]) << n;
  EXPECT_TRUE(period::DeclarationExists("2026040506"));
}

TEST(DeclarationStore, ASaveChangesOnlyTheLinesOfTheCurrentSection) {
  ScratchDir dir;
  const std::string before = cp(kForeignStore.c_str());
  writeFile("muhtasar.ini", before);
  form::Form form;
  period::LoadDeclaration(form, "2026040506");
  form.edit("Edit2").setText("Ankara");
  period::SaveDeclaration(form, "2026040506");
  const std::string after = readFile("muhtasar.ini");

  // Everything up to the section's last entry stays, but for the changed lines.
  std::string expected = before;
  auto replace = [&](const std::string& from, const std::string& to) {
    const size_t at = expected.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    expected.replace(at, from.size(), to);
  };
  replace("EDIT2='\xDDstanbul'\r\n", "EDIT2=Ankara\r\n");
  replace("checkbox1=TRUE\r\n", "checkbox1=-1\r\n");
  replace("CheckBox2=false\r\n", "CheckBox2=0\r\n");
  replace("CheckBox3 = 1\r\n", "CheckBox3=-1\r\n");
  replace("CheckBox4=0.0\r\n", "CheckBox4=0\r\n");
  replace("CheckBox14=+2\r\n", "CheckBox14=-1\r\n");
  // The entries the section lacked follow its last entry, in the order of a save.
  std::string added;
  for (const std::string& name : period::storedFieldNames()) {
    if (name == "Edit1" || name == "Edit2" || name == "MaskEdit1" || name.starts_with("CheckBox"))
      continue;
    std::string value;
    switch (form.field(name).kind()) {
      case form::FieldKind::Text:
        value = form.edit(name).text();
        break;
      case form::FieldKind::Amount:
        value = form.maskEdit(name).editText();
        break;
      default:
        value = form.staticText(name).caption();
        break;
    }
    added += name + "=" + value + "\r\n";
  }
  replace("CheckBox14=-1\r\n", "CheckBox14=-1\r\n" + added);
  EXPECT_EQ(after, expected);
}

struct BooleanCase {
  const char* stored;
  std::optional<bool> checked;
};

class StoredBooleans : public ::testing::TestWithParam<BooleanCase> {};

TEST_P(StoredBooleans, SetTheBoxOrStopTheLoad) {
  ScratchDir dir;
  std::string store =
      "[K]\r\nEdit1=loaded\r\nCheckBox1=-1\r\nCheckBox2=" + std::string(GetParam().stored) + "\r\n";
  for (int n = 3; n <= 14; ++n) store += "CheckBox" + std::to_string(n) + "=-1\r\n";
  writeFile("muhtasar.ini", store);
  form::Form form;
  form.checkBox(2).setChecked(true);
  try {
    period::LoadDeclaration(form, "K");
    ASSERT_TRUE(GetParam().checked.has_value()) << "read as a Boolean";
    EXPECT_EQ(form.checkBox(2).checked(), *GetParam().checked);
    EXPECT_TRUE(form.checkBox(14).checked());
  } catch (const period::Error& e) {
    ASSERT_FALSE(GetParam().checked.has_value()) << e.what();
    EXPECT_EQ(e.what(),
              "'" + form::cp1254ToUtf8(GetParam().stored) + "' is not a valid boolean value");
    // Fields before the box are loaded, the boxes before it set; it and later ones keep their
    // state.
    EXPECT_EQ(form.edit("Edit1").text(), "loaded");
    EXPECT_TRUE(form.checkBox(1).checked());
    EXPECT_TRUE(form.checkBox(2).checked());
    EXPECT_FALSE(form.checkBox(3).checked());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoredBooleans,
    ::testing::Values(BooleanCase{"-1", true}, BooleanCase{"0", false}, BooleanCase{"1", true},
                      BooleanCase{"+0", false}, BooleanCase{"0.0", false}, BooleanCase{"2.5", true},
                      BooleanCase{".5", true}, BooleanCase{"1e3", true}, BooleanCase{"0E-2", false},
                      BooleanCase{"00000000000000000000000000000000000000001", true},
                      BooleanCase{"True", true}, BooleanCase{"TRUE", true},
                      BooleanCase{"tRuE", true}, BooleanCase{"False", false},
                      BooleanCase{"false", false}, BooleanCase{" 1 ", true},
                      BooleanCase{"", std::nullopt}, BooleanCase{"yes", std::nullopt},
                      BooleanCase{"1x", std::nullopt}, BooleanCase{".", std::nullopt},
                      BooleanCase{"-", std::nullopt}, BooleanCase{"1e", std::nullopt},
                      BooleanCase{"0x1", std::nullopt}, BooleanCase{"Truee", std::nullopt},
                      BooleanCase{"Do\xF0ru", std::nullopt},
                      BooleanCase{"\xDD\xFD", std::nullopt}));

TEST(DeclarationStore, AMissingCheckBoxEntryStopsTheLoadWithAnEmptyText) {
  ScratchDir dir;
  writeFile("muhtasar.ini", "[K]\r\nEdit1=x\r\n");
  form::Form form;
  EXPECT_EQ(testing_support::errorMessage([&] { period::LoadDeclaration(form, "K"); }),
            "'' is not a valid boolean value");
  EXPECT_EQ(form.edit("Edit1").text(), "x");
}

TEST(DeclarationStore, EmptyStoredValuesLeaveTheFieldsAsTheyAre) {
  ScratchDir dir;
  writeFile("muhtasar.ini",
            "[K]\r\nEdit1=\r\nEdit18=\r\nMaskEdit1=\r\nStaticText1=\r\n"
            "CheckBox1=0\r\nCheckBox2=0\r\nCheckBox3=0\r\nCheckBox4=0\r\n"
            "CheckBox5=0\r\nCheckBox6=0\r\nCheckBox7=0\r\nCheckBox8=0\r\n"
            "CheckBox9=0\r\nCheckBox10=0\r\nCheckBox11=0\r\nCheckBox12=0\r\n"
            "CheckBox13=0\r\nCheckBox14=0\r\n");
  form::Form form;
  form.edit("Edit1").setText("typed");
  form.maskEdit(1).setEditText("___,___,__1.00");
  form.checkBox(7).setChecked(true);
  period::LoadDeclaration(form, "K");
  EXPECT_EQ(form.edit("Edit1").text(), "typed");
  EXPECT_EQ(form.edit("Edit18").text(), ".0075");
  EXPECT_EQ(form.maskEdit(1).editText(), "___,___,__1.00");
  EXPECT_FALSE(form.checkBox(7).checked());
}

struct ExistsCase {
  const char* store;
  const char* key;
  bool exists;
};

class DeclarationExistence : public ::testing::TestWithParam<ExistsCase> {};

TEST_P(DeclarationExistence, DependsOnlyOnTheEntryEdit1) {
  ScratchDir dir;
  if (GetParam().store != nullptr) writeFile("muhtasar.ini", GetParam().store);
  EXPECT_EQ(period::DeclarationExists(GetParam().key), GetParam().exists);
  EXPECT_EQ(period::StoreSnapshot::read(GetParam().key).declarationExists(GetParam().key), GetParam().exists);
}

INSTANTIATE_TEST_SUITE_P(Store, DeclarationExistence,
                         ::testing::Values(ExistsCase{nullptr, "K", false},
                                           ExistsCase{"[K]\r\nEdit1=\r\n", "K", true},
                                           ExistsCase{"[K]\r\nEDIT1=x\r\n", "k", true},
                                           ExistsCase{"[K]\r\nEdit2=x\r\n", "K", false},
                                           ExistsCase{"[K]\r\n[L]\r\nEdit1=x\r\n", "K", false},
                                           ExistsCase{"[K]\r\nEdit10=x\r\n", "K", false},
                                           ExistsCase{"[]\r\nEdit1=\r\n", "", true},
                                           ExistsCase{"Edit1=x\r\n", "", false}));

TEST(DeclarationStore, StoredValueOfAMissingStoreSectionOrEntryIsEmpty) {
  ScratchDir dir;
  EXPECT_EQ(period::StoredValue("K", "Edit1"), "");
  writeFile("muhtasar.ini", "[K]\r\nEdit1=x\r\n");
  EXPECT_EQ(period::StoredValue("K", "Edit2"), "");
  EXPECT_EQ(period::StoredValue("L", "Edit1"), "");
  EXPECT_EQ(period::StoredValue("k", "EDIT1"), "x");
}

TEST(DeclarationStore, PathIsTheCurrentDirectoryAndTheStoreName) {
  ScratchDir dir;
  const char separator = testing_support::kWindows ? '\\' : '/';
  EXPECT_EQ(period::storePath(),
            std::filesystem::current_path().string() + separator + "muhtasar.ini");
}

// The store may hold the taxpayer's data under a mode its owner chose; a save
// keeps that mode.
class StoreMode : public ::testing::TestWithParam<std::filesystem::perms> {};

TEST_P(StoreMode, IsKeptBySaving) {
  if (testing_support::kWindows)
    GTEST_SKIP() << "Windows keeps a file's rights in its folder's access list, not in mode bits";
  ScratchDir dir;
  writeFile("muhtasar.ini", "[Old]\r\nEdit1=kept\r\n");
  std::filesystem::permissions("muhtasar.ini", GetParam());
  form::Form form;
  period::SaveDeclaration(form, "K");
  EXPECT_TRUE(readFile("muhtasar.ini").starts_with("[Old]\r\nEdit1=kept\r\n[K]\r\n"));
  EXPECT_EQ(std::filesystem::status("muhtasar.ini").permissions(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    DeclarationStore, StoreMode,
    ::testing::Values(std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                      std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                          std::filesystem::perms::group_read,
                      std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                          std::filesystem::perms::group_read | std::filesystem::perms::group_write |
                          std::filesystem::perms::others_read |
                          std::filesystem::perms::others_write));

// A store kept elsewhere behind a link stays there: a save writes the file the
// link names and leaves the link in place.
TEST(DeclarationStore, ASaveThroughALinkWritesTheLinkedStore) {
  if (testing_support::kWindows)
    GTEST_SKIP() << "a link on Windows needs a privilege that the users' accounts lack";
  ScratchDir dir;
  std::filesystem::create_directory("shared");
  writeFile("shared/store.ini", "[Old]\r\nEdit1=kept\r\n");
  std::filesystem::create_symlink("shared/store.ini", "muhtasar.ini");
  form::Form form;
  form.edit("Edit1").setText("new");
  period::SaveDeclaration(form, "K");
  EXPECT_TRUE(std::filesystem::is_symlink("muhtasar.ini"));
  EXPECT_TRUE(
      readFile("shared/store.ini").starts_with("[Old]\r\nEdit1=kept\r\n[K]\r\nEdit1=new\r\n"));
  EXPECT_EQ(period::StoredValue("K", "Edit1"), "new");
  EXPECT_EQ(period_testing::filesIn("shared"), std::vector<std::string>{"store.ini"});
}

// --- failed saves ---

const std::string kOldStore = "[Old]\r\nEdit1=kept\r\n";

void expectUnableToWrite(const form::Form& form) {
  EXPECT_EQ(testing_support::errorMessage([&] { period::SaveDeclaration(form, "K"); }),
            "Unable to write to " + period::storePath());
}

// Every save writes a temporary file of its own: whatever holds the name a
// save once used for it stands in no save's way and is left alone.
TEST(DeclarationStore, AFolderNamedLikeATemporaryFileDoesNotStopTheSave) {
  ScratchDir dir;
  writeFile("muhtasar.ini", kOldStore);
  std::filesystem::create_directory("muhtasar.ini.tmp");
  form::Form form;
  period::SaveDeclaration(form, "K");
  EXPECT_TRUE(readFile("muhtasar.ini").starts_with(kOldStore + "[K]\r\nEdit1=\r\n"));
  EXPECT_EQ(period_testing::filesIn("."),
            (std::vector<std::string>{"muhtasar.ini", "muhtasar.ini.tmp"}));
}

TEST(FailedSave, FolderWhereTheStoreGoes) {
  ScratchDir dir;
  std::filesystem::create_directories("muhtasar.ini/inside");
  form::Form form;
  expectUnableToWrite(form);
  EXPECT_TRUE(std::filesystem::is_directory("muhtasar.ini/inside"));
  EXPECT_EQ(period_testing::filesIn("."), std::vector<std::string>{"muhtasar.ini"});
}

TEST(FailedSave, FileSizeLimitLeavesTheOldStoreAndNoTemporaryFile) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no file-size limit to put on a child process";
#else
  ScratchDir dir;
  writeFile("muhtasar.ini", kOldStore);
  form::Form form;
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    period::letFileSizeLimitFailWrites();
    const rlimit limit{4096, 4096};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(3);
    try {
      period::SaveDeclaration(form, "K");
      _exit(1);
    } catch (const period::Error& e) {
      _exit(e.what() == "Unable to write to " + period::storePath() ? 0 : 2);
    } catch (...) {
      _exit(4);
    }
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: saved, 2: other message, 3: no limit, 4: other error";
  EXPECT_EQ(readFile("muhtasar.ini"), kOldStore);
  EXPECT_EQ(period_testing::filesIn("."), std::vector<std::string>{"muhtasar.ini"});
#endif
}

// A store the user has made read-only is not replaced: the save fails as a
// write into it would. Run by an unprivileged user, whom the mode bits stop.
struct ProtectionCase {
  const char* name;
  std::filesystem::perms storeMode;
  bool saved;
};

class StoreProtection : public ::testing::TestWithParam<ProtectionCase> {};

TEST_P(StoreProtection, DecidesWhetherAnUnprivilegedSaveReplacesTheStore) {
#ifdef _WIN32
  GTEST_SKIP() << "mode bits and users switched by setuid are POSIX";
#else
  if (geteuid() != 0) GTEST_SKIP() << "only root can act as the unprivileged user here";
  ScratchDir dir;
  writeFile("muhtasar.ini", kOldStore);
  std::filesystem::permissions("muhtasar.ini", GetParam().storeMode);
  std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
  form::Form form;
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
    const std::string message =
        testing_support::errorMessage([&] { period::SaveDeclaration(form, "K"); });
    if (message == "no error") _exit(1);
    _exit(message == "Unable to write to " + period::storePath() ? 0 : 2);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_NE(WEXITSTATUS(status), 3) << "cannot become an unprivileged user";
  EXPECT_EQ(WEXITSTATUS(status), GetParam().saved ? 1 : 0) << "0: refused, 1: saved, 2: other";
  const std::string store = readFile("muhtasar.ini");
  if (GetParam().saved) {
    EXPECT_TRUE(store.starts_with(kOldStore + "[K]\r\nEdit1=\r\n"));
  } else {
    EXPECT_EQ(store, kOldStore);
  }
  EXPECT_EQ(period_testing::filesIn("."), std::vector<std::string>{"muhtasar.ini"});
#endif
}

using std::filesystem::perms;
INSTANTIATE_TEST_SUITE_P(
    FailedSave, StoreProtection,
    ::testing::Values(ProtectionCase{"ReadOnlyStore",
                                     perms::owner_read | perms::group_read | perms::others_read,
                                     false},
                      ProtectionCase{"WritableStore",
                                     perms::owner_read | perms::owner_write | perms::group_read |
                                         perms::group_write | perms::others_read |
                                         perms::others_write,
                                     true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FailedSave, UnreadableStoreIsReportedToTheReaders) {
  ScratchDir dir;
  std::filesystem::create_directory("muhtasar.ini");
  EXPECT_EQ(testing_support::errorMessage([&] { period::DeclarationExists("K"); }),
            "File access denied");
}

// --- bad input ---

TEST(BadStore, TenThousandSections) {
  ScratchDir dir;
  std::string store;
  for (int i = 0; i < 10000; ++i) {
    store += "[S" + std::to_string(i) + "]\r\nEdit1=" + std::to_string(i) + "\r\n";
  }
  writeFile("muhtasar.ini", store);
  EXPECT_TRUE(period::DeclarationExists("S9999"));
  EXPECT_EQ(period::StoredValue("s5000", "edit1"), "5000");

  form::Form form;
  form.edit("Edit1").setText("5000");
  period::SaveDeclaration(form, "S5000");
  const std::string after = readFile("muhtasar.ini");
  const std::string sectionEnd = "[S5000]\r\nEdit1=5000\r\n";
  const size_t at = store.find(sectionEnd) + sectionEnd.size();
  EXPECT_TRUE(after.starts_with(store.substr(0, at)));
  EXPECT_TRUE(after.ends_with(store.substr(at)));
  EXPECT_TRUE(after.substr(at).starts_with("Edit2=\r\n"));
}

// Lines that end with a lone CR: no line feed anywhere in a large store.
TEST(BadStore, CarriageReturnsOnly) {
  ScratchDir dir;
  std::string store;
  for (int i = 0; i < 200000; ++i) {
    store += "[S" + std::to_string(i) + "]\rEdit1=" + std::to_string(i) + "\r";
  }
  writeFile("muhtasar.ini", store);
  EXPECT_TRUE(period::DeclarationExists("S199999"));
  EXPECT_EQ(period::StoredValue("S100000", "Edit1"), "100000");

  form::Form form;
  form.edit("Edit1").setText("changed");
  period::SaveDeclaration(form, "S100000");
  const std::string after = readFile("muhtasar.ini");
  const size_t at = store.find("[S100000]\r");
  const size_t next = store.find("[S100001]\r");
  EXPECT_TRUE(after.starts_with(store.substr(0, at) + "[S100000]\rEdit1=changed\r\nEdit2=\r\n"));
  EXPECT_TRUE(after.ends_with("CheckBox14=0\r\n" + store.substr(next)));
}

// Line ends that fall on the edge of the pieces in which a save reads the
// store: every byte outside the section stays, and the section is found.
TEST(BadStore, LineEndsOnTheEdgeOfTheReadPieces) {
  ScratchDir dir;
  for (size_t shift = 0; shift < 4; ++shift) {
    for (const char* ending : {"\r\n", "\r", "\n"}) {
      const std::string filler = "; " + std::string((1u << 16) - 3 - shift, 'f');
      const std::string before = filler + ending + "[K]" + ending + "Edit1=old" + ending +
                                 "[Other]" + ending + filler + ending + "Edit1=x";
      writeFile("muhtasar.ini", before);
      form::Form form;
      form.edit("Edit1").setText("new");
      period::SaveDeclaration(form, "K");
      const std::string after = readFile("muhtasar.ini");
      const std::string head = filler + ending + "[K]" + ending + "Edit1=new\r\n";
      EXPECT_TRUE(after.starts_with(head)) << shift << " " << ending;
      EXPECT_TRUE(after.ends_with("\r\n[Other]" + (ending + filler) + ending + "Edit1=x"))
          << shift << " " << ending;
      EXPECT_EQ(period::StoredValue("K", "Edit1"), "new");
      EXPECT_EQ(period::StoredValue("Other", "Edit1"), "x");
    }
  }
}

TEST(BadStore, FiftyMegabyteLineAndBinaryBytes) {
  ScratchDir dir;
  std::mt19937 random(1254);
  std::string binary(1 << 16, '\0');
  for (char& c : binary) c = static_cast<char>(random());
  const std::string store = "; " + std::string(50u << 20, 'z') + "\r\n" + binary + "\r\n";
  writeFile("muhtasar.ini", store);
  form::Form form;
  EXPECT_FALSE(period::DeclarationExists("2026040506"));
  period::SaveDeclaration(form, "2026040506");
  const std::string after = readFile("muhtasar.ini");
  EXPECT_TRUE(after.starts_with(store));
  EXPECT_TRUE(period::DeclarationExists("2026040506"));
}

TEST(BadStore, BinaryBytesInASectionLoadWithoutHarm) {
  ScratchDir dir;
  std::mt19937 random(26);
  for (int round = 0; round < 20; ++round) {
    std::string junk(4096, '\0');
    for (char& c : junk) c = static_cast<char>(random());
    writeFile("muhtasar.ini", "[K]\r\nEdit1=\x01\x02\r\n" + junk);
    form::Form form;
    try {
      period::LoadDeclaration(form, "K");
    } catch (const period::Error& e) {
      EXPECT_NE(std::string(e.what()).find("is not a valid boolean value"), std::string::npos);
    }
    EXPECT_EQ(form.edit("Edit1").text(), "\x01\x02");
  }
}

}  // namespace
