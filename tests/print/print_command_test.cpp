#include "print/print_command.h"

#include <gtest/gtest.h>

// The print command's start of its program, as POSIX does it. On Windows the
// start is tested with the stand-in program (print_program_start_test.cpp).
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "form/form.h"
#include "period/io_error.h"
#include "period/store.h"
#include "print/print_file.h"
#include "support/error_message.h"
#include "support/scratch_dir.h"

namespace print {
namespace {

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::ScratchDir;
using testing_support::writeFile;

const std::string kKey = "2026101112";

// A stand-in for the print program. It records where it runs and what it was
// given, then holds on until the test lets it go: a launcher that waited for
// it would keep it from ever being let go, and it would record that.
class StandInProgram {
 public:
  explicit StandInProgram(const std::string& name) : record_(makeRecordDir()) {
    path_ = record_ / name;
    writeFile(
        path_,
        "#!/bin/sh\n"
        "R='" +
            record_.string() +
            "'\n"
            "pwd -P > \"$R/cwd.tmp\"; mv \"$R/cwd.tmp\" \"$R/cwd\"\n"
            "echo \"$# $*\" > \"$R/args\"\n"
            "i=0\n"
            "while [ ! -e \"$R/go\" ]; do\n"
            "  i=$((i+1)); if [ $i -gt 400 ]; then echo 'timed out' > \"$R/done\"; exit 0; fi\n"
            "  sleep 0.05\n"
            "done\n"
            "echo released > \"$R/done\"\n");
    fs::permissions(path_, fs::perms::owner_all);
  }
  ~StandInProgram() {
    std::error_code ignored;
    fs::remove_all(record_, ignored);
  }

  std::string path() const { return path_.string(); }
  bool started() const { return fs::exists(record_ / "cwd"); }
  void release() const { writeFile(record_ / "go", ""); }
  // The record file once the program has written it; empty after 30 seconds.
  std::string awaitRecord(const std::string& name) const {
    for (int i = 0; i < 600 && !fs::exists(record_ / name); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return fs::exists(record_ / name) ? readFile(record_ / name) : std::string();
  }

 private:
  static fs::path makeRecordDir() {
    std::string pattern = (fs::temp_directory_path() / "muhtasar-standin-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    return pattern;
  }

  fs::path record_;
  fs::path path_;
};

bool noChildLeft() {
  errno = 0;
  return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

TEST(PrintCommand, StartsTheProgramInTheFolderOfThePrintFileWithoutWaiting) {
  ScratchDir dir;
  StandInProgram program("vbmrun");
  form::Form form;
  form.edit(1).setText("KADIK\xD6Y");

  printDeclaration(form, kKey, program.path());

  // Returned while the program still waits to be let go.
  EXPECT_TRUE(noChildLeft());
  EXPECT_EQ(readFile(kPrintFile), printFileContent(form));
  program.release();
  EXPECT_EQ(program.awaitRecord("done"), "released\n");
  EXPECT_EQ(program.awaitRecord("cwd"), fs::canonical(dir.path()).string() + "\n");
  EXPECT_EQ(program.awaitRecord("args"), "0 \n");
}

TEST(PrintCommand, WithoutThePayrollProgramStartsOurOwn) {
  ScratchDir dir;
  StandInProgram own("muhtasar-print");
  form::Form form;
  printDeclaration(form, kKey, (dir.path() / "no-such-program").string(), own.path());
  own.release();
  EXPECT_EQ(own.awaitRecord("done"), "released\n");
  EXPECT_EQ(own.awaitRecord("cwd"), fs::canonical(dir.path()).string() + "\n");
  EXPECT_TRUE(noChildLeft());
}

// A file that cannot be run: exec fails although the path exists.
std::string notExecutable(const fs::path& path) {
  writeFile(path, "#!/bin/sh\nexit 0\n");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  return path.string();
}

TEST(PrintCommand, NoStartablePrintProgramIsReportedAndKeepsTheFiles) {
  ScratchDir dir;
  const std::string missing = (dir.path() / "no-such-program").string();
  const std::string plain = notExecutable(dir.path() / "plain-file");
  const std::string folder = (dir.path() / "a-folder").string();
  fs::create_directory(folder);
  const struct {
    std::string program, fallback;
  } cases[] = {{missing, missing}, {plain, missing}, {missing, plain},
               {plain, folder},    {folder, ""},     {missing, ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.program + " / " + c.fallback);
    fs::remove(kPrintFile);
    form::Form form;
    form.edit(1).setText("KADIK\xD6Y");
    EXPECT_EQ(
        testing_support::errorMessage([&] { printDeclaration(form, kKey, c.program, c.fallback); }),
        "Yazdırma programı başlatılamadı: " + c.program);
    EXPECT_EQ(readFile(kPrintFile), printFileContent(form));
    EXPECT_EQ(period::StoredValue(kKey, "Edit1"), "KADIK\xD6Y");
    EXPECT_TRUE(noChildLeft());
  }
}

TEST(PrintCommand, ThePayrollProgramComesFirstWhenItIsInstalled) {
  ScratchDir dir;
  StandInProgram payroll("vbmrun");
  StandInProgram own("muhtasar-print");
  form::Form form;
  printDeclaration(form, kKey, payroll.path(), own.path());
  payroll.release();
  EXPECT_EQ(payroll.awaitRecord("done"), "released\n");
  EXPECT_FALSE(own.started());
}

TEST(PrintCommand, OwnProgramLiesBesideTheExecutable) {
  const std::string folder = executableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(fs::exists(folder + "core_tests"));
  EXPECT_EQ(ownPrintProgram(), folder + "muhtasar-print");
}

TEST(PrintCommand, UnwritablePrintFileEndsTheCommandAfterTheSave) {
  ScratchDir dir;
  fs::create_directory(kPrintFile);
  StandInProgram program("vbmrun");
  form::Form form;
  form.edit(1).setText("KADIK\xD6Y");
  EXPECT_EQ(testing_support::errorMessage([&] { printDeclaration(form, kKey, program.path()); }),
            "File access denied");
  EXPECT_TRUE(period::DeclarationExists(kKey));
  EXPECT_EQ(period::StoredValue(kKey, "Edit1"), "KADIK\xD6Y");

  // A program that is started later runs to its end; had the failed command
  // started the first one, it would have recorded itself by then.
  StandInProgram later("vbmrun");
  startPrintProgram(later.path());
  later.release();
  EXPECT_EQ(later.awaitRecord("done"), "released\n");
  EXPECT_FALSE(program.started());
}

TEST(PrintCommand, FailedSaveWritesNoPrintFile) {
  ScratchDir dir;
  fs::create_directory("muhtasar.ini");
  StandInProgram program("vbmrun");
  form::Form form;
  EXPECT_THROW(printDeclaration(form, kKey, program.path()), period::Error);
  EXPECT_FALSE(fs::exists(kPrintFile));
  StandInProgram later("vbmrun");
  startPrintProgram(later.path());
  later.release();
  EXPECT_EQ(later.awaitRecord("done"), "released\n");
  EXPECT_FALSE(program.started());
}

}  // namespace
}  // namespace print

#else

TEST(PrintCommand, StartsTheProgramInTheFolderOfThePrintFileWithoutWaiting) {
  GTEST_SKIP() << "the stand-in here is a shell script and the check for children is waitpid";
}

#endif
