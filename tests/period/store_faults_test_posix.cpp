// Faults of the file system around the store and the payroll summary: folders
// that refuse new files, shared groups, pipes, links to files yet to be made.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "form/form.h"
#include "period/file_replace.h"
#include "period/period_test_support.h"
#include "period/startup.h"
#include "period/rewrite_journal.h"
#include "period/history.h"
#include "period/store.h"
#include "print/print_file.h"
#include "support/error_message.h"
#include "support/scratch_dir.h"

namespace {

using period_testing::filesIn;
using testing_support::errorMessage;
using testing_support::readFile;
using testing_support::ScratchDir;
using testing_support::writeFile;
namespace fs = std::filesystem;

const std::string kOldStore = "[Old]\r\nEdit1=kept\r\n";

// Runs the step in a child process and gives its exit status; 77 when the
// child could not take the identity asked for. A step that hangs is ended
// after ten seconds (status 142).
int inChild(const std::function<int()>& step, uid_t user = 0, gid_t group = 0,
            std::vector<gid_t> groups = {}, rlim_t fileSizeLimit = RLIM_INFINITY) {
  const pid_t child = fork();
  if (child == 0) {
    alarm(10);
    period::letFileSizeLimitFailWrites();
    const rlimit limit{fileSizeLimit, fileSizeLimit};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(77);
    if (user != 0 &&
        (setgroups(groups.size(), groups.data()) != 0 || setgid(group) != 0 || setuid(user) != 0))
      _exit(77);
    _exit(step());
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// 0 when the save went through, 1 when it reported "Unable to write to …",
// 2 for any other outcome.
int saveAs(const std::string& key, const std::string& edit1 = "") {
  form::Form form;
  form.edit(1).setText(edit1);
  const std::string message = errorMessage([&] { period::SaveDeclaration(form, key); });
  if (message == "no error") return 0;
  return message == "Unable to write to " + period::storePath() ? 1 : 2;
}

#define SKIP_UNLESS_ROOT() \
  if (geteuid() != 0) GTEST_SKIP() << "only root can act as the other users of a shared folder"

int saveOverHistoryAs();

// A shared folder where users may write the store but not create files: the
// store is rewritten where it lies, and a failed rewrite puts the old bytes
// back.
struct InPlaceCase {
  const char* name;
  rlim_t fileSizeLimit;
  int outcome;
};

class FolderRefusingNewFiles : public testing::TestWithParam<InPlaceCase> {};

TEST_P(FolderRefusingNewFiles, RewritesTheWritableStoreInPlace) {
  SKIP_UNLESS_ROOT();
  ScratchDir dir;
  writeFile("muhtasar.ini", kOldStore);
  fs::permissions("muhtasar.ini", fs::perms::all & ~fs::perms::owner_exec & ~fs::perms::group_exec &
                                      ~fs::perms::others_exec);
  fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
  struct stat before;
  ASSERT_EQ(stat("muhtasar.ini", &before), 0);
  const int outcome =
      inChild([] { return saveAs("K", "new"); }, 65534, 65534, {}, GetParam().fileSizeLimit);
  ASSERT_NE(outcome, 77) << "cannot become an unprivileged user";
  EXPECT_EQ(outcome, GetParam().outcome) << "0: saved, 1: Unable to write, 2: other";
  const std::string store = readFile("muhtasar.ini");
  if (GetParam().outcome == 0) {
    EXPECT_TRUE(store.starts_with(kOldStore + "[K]\r\nEdit1=new\r\nEdit2=\r\n"));
    EXPECT_TRUE(store.ends_with("\r\nCheckBox14=0\r\n"));
  } else {
    EXPECT_EQ(store, kOldStore);
  }
  struct stat after;
  ASSERT_EQ(stat("muhtasar.ini", &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(filesIn("."), std::vector<std::string>{"muhtasar.ini"});
}

// There the history cannot be made: the saves go through and say so once.
TEST(FolderRefusingNewFiles, KeepsNoHistoryAndSaysSo) {
  SKIP_UNLESS_ROOT();
  ScratchDir dir;
  writeFile("muhtasar.ini", kOldStore);
  fs::permissions("muhtasar.ini", fs::perms::owner_read | fs::perms::owner_write |
                                      fs::perms::others_read | fs::perms::others_write);
  fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
  EXPECT_EQ(inChild(saveOverHistoryAs, 65534, 65534, {}), 0) << "0: saved and said so";
  EXPECT_NE(readFile("muhtasar.ini").find("Edit1=second"), std::string::npos);
  EXPECT_EQ(filesIn("."), std::vector<std::string>{"muhtasar.ini"});
}

INSTANTIATE_TEST_SUITE_P(SharedFolder, FolderRefusingNewFiles,
                         testing::Values(InPlaceCase{"NoLimit", RLIM_INFINITY, 0},
                                         InPlaceCase{"FileSizeLimit", 4096, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// A store shared by the group of an office: one accountant owns it, the
// others write it through the group. A save by one of them must leave it
// writable for the next.
constexpr gid_t kOffice = 4100;

struct GroupCase {
  const char* name;
  std::vector<gid_t> saverGroups;  // beyond the saver's own group
  mode_t mode;
  bool sameFile;  // rewritten where it lies rather than replaced
};

class SharedGroupStore : public testing::TestWithParam<GroupCase> {};

TEST_P(SharedGroupStore, StaysWritableForTheNextColleague) {
  SKIP_UNLESS_ROOT();
  ScratchDir dir;
  writeFile("muhtasar.ini", kOldStore);
  ASSERT_EQ(chown("muhtasar.ini", 4001, kOffice), 0);
  ASSERT_EQ(chmod("muhtasar.ini", GetParam().mode), 0);
  fs::permissions(dir.path(), fs::perms::all);
  struct stat before;
  ASSERT_EQ(stat("muhtasar.ini", &before), 0);

  ASSERT_EQ(inChild([] { return saveAs("K1", "first"); }, 4002, 4202, GetParam().saverGroups), 0);
  struct stat after;
  ASSERT_EQ(stat("muhtasar.ini", &after), 0);
  EXPECT_EQ(after.st_gid, kOffice);
  EXPECT_EQ(after.st_mode & 07777, GetParam().mode);
  EXPECT_EQ(after.st_ino == before.st_ino, GetParam().sameFile);
  if (GetParam().sameFile) {
    EXPECT_EQ(after.st_uid, 4001u);
  }
  ASSERT_EQ(inChild([] { return saveAs("K2", "second"); }, 4003, 4203, {kOffice}), 0)
      << "the next colleague cannot save";
  EXPECT_EQ(period::StoredValue("K1", "Edit1"), "first");
  EXPECT_EQ(period::StoredValue("K2", "Edit1"), "second");
  EXPECT_EQ(period::StoredValue("Old", "Edit1"), "kept");
  EXPECT_EQ(filesIn("."), std::vector<std::string>{"muhtasar.ini"});
}

INSTANTIATE_TEST_SUITE_P(SharedFolder, SharedGroupStore,
                         testing::Values(GroupCase{"SaverInTheGroup", {kOffice}, 0664, false},
                                         // Writable by all, so the saver may write it but cannot
                                         // hand a new file to the group.
                                         GroupCase{"SaverOutsideTheGroup", {}, 0666, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A pipe of the name of a file that start-up reads is refused at once, as
// Windows refuses what is not a file, instead of waiting for a writer.
struct PipeCase {
  const char* name;
  const char* pipe;
  std::function<void()> operation;
  const char* message;  // empty: "Unable to write to" the store
};

class PipeInsteadOfAFile : public testing::TestWithParam<PipeCase> {};

TEST_P(PipeInsteadOfAFile, IsRefusedWithoutWaiting) {
  ScratchDir dir;
  writeFile("BORDMHT.DAT", "2026\r\n040506\r\n");
  ASSERT_EQ(mkfifo(GetParam().pipe, 0666), 0);
  const std::string expected = *GetParam().message != '\0'
                                   ? std::string(GetParam().message)
                                   : "Unable to write to " + period::storePath();
  const int outcome =
      inChild([&] { return errorMessage(GetParam().operation) == expected ? 0 : 1; });
  EXPECT_EQ(outcome, 0) << "1: other message, 142: hung";
  EXPECT_EQ(filesIn("."), (std::vector<std::string>{"BORDMHT.DAT", "muhtasar.ini"}));
}

INSTANTIATE_TEST_SUITE_P(Start, PipeInsteadOfAFile,
                         testing::Values(PipeCase{"StoreExists", "muhtasar.ini",
                                                  [] { period::DeclarationExists("K"); },
                                                  "File access denied"},
                                         PipeCase{"StoreSave", "muhtasar.ini",
                                                  [] {
                                                    form::Form form;
                                                    period::SaveDeclaration(form, "K");
                                                  },
                                                  ""},
                                         PipeCase{"StartUpStore", "muhtasar.ini",
                                                  [] {
                                                    form::Form form;
                                                    std::string key;
                                                    period::StartUp(form, key);
                                                  },
                                                  "File access denied"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PipeInsteadOfAFile, PayrollSummaryIsRefusedWithoutWaiting) {
  ScratchDir dir;
  ASSERT_EQ(mkfifo("BORDMHT.DAT", 0666), 0);
  const int outcome = inChild([] {
    form::Form form;
    std::string key;
    return errorMessage([&] { period::StartUp(form, key); }) == "File access denied" ? 0 : 1;
  });
  EXPECT_EQ(outcome, 0) << "1: other message, 142: hung";
}

// A link to a store that is to be made elsewhere: the save makes that file and
// the link stays.
TEST(DeclarationStore, ASaveThroughALinkToAMissingFileCreatesTheFile) {
  ScratchDir dir;
  fs::create_directory("shared");
  fs::create_symlink("shared/store.ini", "muhtasar.ini");
  form::Form form;
  form.edit(1).setText("new");
  period::SaveDeclaration(form, "K");
  EXPECT_TRUE(fs::is_symlink("muhtasar.ini"));
  EXPECT_TRUE(readFile("shared/store.ini").starts_with("[K]\r\nEdit1=new\r\n"));
  EXPECT_EQ(filesIn("shared"), std::vector<std::string>{"store.ini"});
  EXPECT_EQ(filesIn("."), (std::vector<std::string>{"muhtasar.ini", "shared"}));
}

// A company folder shared through its group (mode 2775). A colleague plants
// links named as the folder's files, pointing at files of the victim's
// outside the folder; the victim then saves, prints or starts. A link of
// another user is never followed and nothing outside the folder changes; the
// user's own links and the system's keep working.
constexpr uid_t kVictim = 4001;
constexpr uid_t kColleague = 4002;

struct PlantedLinkCase {
  const char* name;
  const char* link;    // in the folder
  const char* target;  // relative to the folder
  uid_t linkOwner;
  std::function<int()> step;  // run as the victim; its exit status
  int status;
  const char* changedOutside;  // the file outside the folder that the step may write, or ""
};

class PlantedLink : public testing::TestWithParam<PlantedLinkCase> {};

int printAs() {
  form::Form form;
  form.edit(1).setText("printed");
  const std::string message = errorMessage([&] { print::WritePrintFile(form); });
  return message == "no error" ? 0 : message == "File access denied" ? 1 : 2;
}

// Two saves that change the period: the second keeps a version in the
// history. 0 when both saved and the history said it could not keep it.
int saveOverHistoryAs() {
  if (saveAs("K", "first") != 0 || saveAs("K", "second") != 0) return 2;
  return period::takeHistoryNotice() ? 0 : 1;
}

int startAs() {
  const std::string message = errorMessage([] { (void)period::DeclarationExists("K"); });
  return message == "no error" ? 0 : message == "File access denied" ? 1 : 2;
}

TEST_P(PlantedLink, IsFollowedOnlyWhenTheUserOrTheSystemMadeIt) {
  SKIP_UNLESS_ROOT();
  const PlantedLinkCase& c = GetParam();
  ScratchDir dir;
  fs::permissions(dir.path(), fs::perms::all);
  const std::string shellStart = "# the victim's shell start-up\n";
  const std::string otherCompany = "[2026070809]\r\nEdit1=other company\r\n";
  fs::create_directories("home/other-company");
  writeFile("home/.bashrc", shellStart);
  writeFile("home/other-company/muhtasar.ini", otherCompany);
  fs::create_directory("firma");
  ASSERT_EQ(chown("firma", kVictim, kOffice), 0);
  ASSERT_EQ(chmod("firma", 02775), 0);
  for (const char* path : {"home", "home/.bashrc", "home/other-company",
                           "home/other-company/muhtasar.ini"})
    ASSERT_EQ(lchown(path, kVictim, kVictim), 0);
  fs::create_symlink(c.target, std::string("firma/") + c.link);
  ASSERT_EQ(lchown((std::string("firma/") + c.link).c_str(), c.linkOwner, kOffice), 0);

  fs::current_path("firma");
  const int status = inChild(c.step, kVictim, kVictim, {kOffice});
  fs::current_path("..");
  EXPECT_EQ(status, c.status);
  EXPECT_TRUE(fs::is_symlink(std::string("firma/") + c.link));
  const std::string changed = c.changedOutside;
  for (const auto& [path, bytes] : {std::pair{"home/.bashrc", shellStart},
                                     std::pair{"home/other-company/muhtasar.ini", otherCompany}}) {
    EXPECT_EQ(readFile(path) == bytes, changed != path) << path;
  }
  EXPECT_FALSE(fs::exists("home/new.ini"));
}

INSTANTIATE_TEST_SUITE_P(
    SharedFolder, PlantedLink,
    testing::Values(
        PlantedLinkCase{"ColleaguesStoreLinkIsNotSavedThrough", "muhtasar.ini", "../home/.bashrc",
                        kColleague, [] { return saveAs("K", "x; touch ~/PWNED #"); }, 1, ""},
        PlantedLinkCase{"ColleaguesStoreLinkIsNotRead", "muhtasar.ini", "../home/.bashrc",
                        kColleague, startAs, 1, ""},
        PlantedLinkCase{"ColleaguesPrintFileLinkIsNotWrittenThrough", "BORDMHT1.DAT",
                        "../home/other-company/muhtasar.ini", kColleague, printAs, 1, ""},
        PlantedLinkCase{"ColleaguesLinkToAFileYetToBeMadeIsNotFollowed", "muhtasar.ini",
                        "../home/new.ini", kColleague, [] { return saveAs("K", "x"); }, 1, ""},
        PlantedLinkCase{"ColleaguesHistoryLinkIsNeitherReadNorWrittenThrough",
                        "muhtasar-gecmis.ini", "../home/.bashrc", kColleague, saveOverHistoryAs, 0,
                        ""},
        PlantedLinkCase{"OwnStoreLinkIsSavedThrough", "muhtasar.ini",
                        "../home/other-company/muhtasar.ini", kVictim,
                        [] { return saveAs("K", "mine"); }, 0, "home/other-company/muhtasar.ini"},
        PlantedLinkCase{"OwnPrintFileLinkIsWrittenThrough", "BORDMHT1.DAT", "../home/.bashrc",
                        kVictim, printAs, 0, "home/.bashrc"},
        PlantedLinkCase{"TheSystemsLinkIsFollowed", "muhtasar.ini",
                        "../home/other-company/muhtasar.ini", 0,
                        [] { return saveAs("K", "mine"); }, 0, "home/other-company/muhtasar.ini"}),
    [](const auto& info) { return std::string(info.param.name); });

// Killed saves leave temporary files that hold the whole store. The next save
// removes those of its store that no save holds, and nothing else.
TEST(KilledSaves, TheirTemporaryFilesGoWithTheNextSave) {
  ScratchDir dir;
  writeFile("muhtasar.ini", kOldStore);
  const std::vector<std::string> kept = {"muhtasar.ini.notes.tmp", "muhtasar.ini.Ab12Cd.txt",
                                         "other.ini.Ab12Cd.tmp", "muhtasar.ini.Live01.tmp"};
  for (const std::string& name : kept) writeFile(name, kOldStore);
  for (const char* name : {"muhtasar.ini.Ab12Cd.tmp", "muhtasar.ini.zz99ZZ.tmp"})
    writeFile(name, kOldStore);
  // A save at work holds its temporary file locked.
  const int live = open("muhtasar.ini.Live01.tmp", O_RDWR);
  struct flock lock {};
  lock.l_type = F_WRLCK;
  ASSERT_EQ(fcntl(live, F_OFD_SETLK, &lock), 0);
  EXPECT_EQ(saveAs("K", "next"), 0);
  close(live);
  std::vector<std::string> expected = kept;
  expected.push_back("muhtasar.ini");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(filesIn("."), expected);
}

// Saves rewriting the store in place (a folder that refuses new files), killed
// at random moments, over and over: the next read finds every period as it
// was before the killed save or as that save meant it, never a mix. The
// period saved comes first, so a torn rewrite would shift every byte after it.
// A long soak sets MUHTASAR_STORE_SOAK_ROUNDS.
TEST(KilledRewrite, NeverLeavesATornPeriod) {
  SKIP_UNLESS_ROOT();
  constexpr uid_t kNobody = 65534;
  const char* soak = std::getenv("MUHTASAR_STORE_SOAK_ROUNDS");
  const int rounds = soak != nullptr ? std::atoi(soak) : 200;
  ScratchDir dir;
  std::string others;
  for (int section = 0; section < 40; ++section) {
    others += "[Other" + std::to_string(section) + "]\r\n";
    for (int entry = 0; entry < 100; ++entry)
      others += "Edit" + std::to_string(entry) + "=kept " + std::to_string(section) + "\r\n";
  }
  writeFile("muhtasar.ini", "[K]\r\nEdit1=start\r\n" + others);
  fs::permissions("muhtasar.ini", fs::perms::owner_read | fs::perms::owner_write |
                                      fs::perms::group_read | fs::perms::group_write |
                                      fs::perms::others_read | fs::perms::others_write);
  fs::create_directory("state");
  ASSERT_EQ(chown("state", kNobody, kNobody), 0);
  setenv("XDG_STATE_HOME", (dir.path() / "state").c_str(), 1);
  fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
  std::srand(20261209);
  int torn = 0, undone = 0;
  for (int round = 0; round < rounds && torn == 0; ++round) {
    // The saver tells how long its first save took; the kill then falls
    // anywhere within the next two saves, however fast this build saves.
    int took[2];
    ASSERT_EQ(pipe(took), 0);
    const pid_t saver = fork();
    if (saver == 0) {
      if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(77);
      const auto start = std::chrono::steady_clock::now();
      saveAs("K", std::string(1 + round % 50, 'x'));
      const long micros = static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(
                                                std::chrono::steady_clock::now() - start)
                                                .count());
      if (write(took[1], &micros, sizeof micros) != sizeof micros) _exit(1);
      for (int save = 1;; ++save) saveAs("K", std::string(1 + (round + save) % 50, 'x'));
    }
    close(took[1]);
    long micros = 0;
    const bool told = read(took[0], &micros, sizeof micros) == sizeof micros;
    close(took[0]);
    if (told) usleep(static_cast<useconds_t>(std::rand() % (2 * micros + 1)));
    kill(saver, SIGKILL);
    waitpid(saver, nullptr, 0);
    const int read = inChild([] {
      const std::string value = period::StoredValue("K", "Edit1");
      if (period::takeUndoneRewriteNotice()) return 10;
      return value.find_first_not_of('x') == std::string::npos || value == "start" ? 0 : 1;
    }, kNobody, kNobody);
    ASSERT_NE(read, 77);
    undone += read == 10;
    const std::string store = readFile("muhtasar.ini");
    const size_t other = store.find("[Other0]");
    torn += read == 1 || other == std::string::npos || store.substr(other) != others;
  }
  unsetenv("XDG_STATE_HOME");
  EXPECT_EQ(torn, 0) << "torn after " << undone << " undone rewrites";
  RecordProperty("undone_rewrites", undone);
  EXPECT_GT(undone, 0) << "no kill landed during a rewrite: the test proves nothing";
}

// A save that fails before anything was there leaves nothing behind.
TEST(FailedSave, FileSizeLimitOnAFirstSaveLeavesNoStore) {
  ScratchDir dir;
  EXPECT_EQ(inChild([] { return saveAs("K"); }, 0, 0, {}, 1024), 1);
  EXPECT_EQ(filesIn("."), std::vector<std::string>{});
}

}  // namespace
