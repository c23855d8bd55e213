// The print command's start of its program on every platform, with the
// stand-in program (an .exe on Windows) in place of the print programs.
#include "print/print_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "form/form.h"
#include "period/io_error.h"
#include "period/store.h"
#include "print/print_file.h"
#include "print/print_program_test_support.h"
#include "support/error_message.h"
#include "support/scratch_dir.h"
#include "support/stand_in_program.h"

namespace print {
namespace {

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::ScratchDir;
using testing_support::StandInProgram;
using testing_support::writeFile;

const std::string kKey = "2026101112";

TEST(PrintCommand, StartsTheProgramInTheFolderOfThePrintFileWithoutWaiting) {
  ScratchDir dir;
  StandInProgram program(programFileName("vbmrun"));
  form::Form form;
  form.edit(1).setText("KADIK\xD6Y");

  printDeclaration(form, kKey, program.path());

  // Back here while the program holds on: had the command waited, the program
  // would have timed out first and recorded so.
  EXPECT_EQ(readFile(kPrintFile), printFileContent(form));
  program.release();
  EXPECT_EQ(program.awaitRecord("done"), "released");
  EXPECT_EQ(program.awaitRecord("cwd"), fs::current_path().string());
  EXPECT_EQ(program.awaitRecord("command line"), program.path());
}

TEST(PrintCommand, WithoutThePayrollProgramStartsOurOwn) {
  ScratchDir dir;
  StandInProgram own(programFileName("muhtasar-print"));
  form::Form form;
  printDeclaration(form, kKey, (dir.path() / programFileName("no-such-program")).string(),
                   own.path());
  own.release();
  EXPECT_EQ(own.awaitRecord("done"), "released");
  EXPECT_EQ(own.awaitRecord("cwd"), fs::current_path().string());
}

// A folder with a blank in its name, as one the user chose for our program:
// the bare path would start "…\Program" on Windows, so such a path is quoted.
TEST(PrintCommand, APathWithABlankStartsThatProgram) {
  ScratchDir dir;
  StandInProgram own(programFileName("muhtasar print"));
  form::Form form;
  printDeclaration(form, kKey, (dir.path() / "missing").string(), own.path());
  own.release();
  EXPECT_EQ(own.awaitRecord("done"), "released");
  EXPECT_EQ(own.awaitRecord("command line"), commandLineOf(own.path()));
}

TEST(PrintCommand, NoStartablePrintProgramIsReportedAndKeepsTheFiles) {
  ScratchDir dir;
  const std::string missing = (dir.path() / programFileName("no-such-program")).string();
  const std::string plain = notStartable(dir.path() / programFileName("plain-file"));
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
    }
}

TEST(PrintCommand, ThePayrollProgramComesFirstWhenItIsInstalled) {
  ScratchDir dir;
  StandInProgram payroll(programFileName("vbmrun"));
  StandInProgram own(programFileName("muhtasar-print"));
  form::Form form;
  printDeclaration(form, kKey, payroll.path(), own.path());
  payroll.release();
  EXPECT_EQ(payroll.awaitRecord("done"), "released");
  EXPECT_FALSE(own.started());
}

TEST(PrintCommand, OwnProgramLiesBesideTheExecutable) {
  const std::string folder = executableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), fs::path::preferred_separator);
  EXPECT_TRUE(fs::exists(folder + programFileName("core_tests")));
  EXPECT_EQ(ownPrintProgram(), folder + programFileName("muhtasar-print"));
}

// A failed step before the start: the program is never started. A program
// started later runs to its end; had the failed command started the first one,
// it would have recorded itself by then.
void expectNotStarted(const StandInProgram& program) {
  StandInProgram later(programFileName("vbmrun"));
  startPrintProgram(later.path());
  later.release();
  EXPECT_EQ(later.awaitRecord("done"), "released");
  EXPECT_FALSE(program.started());
}

TEST(PrintCommand, UnwritablePrintFileEndsTheCommandAfterTheSave) {
  ScratchDir dir;
  fs::create_directory(kPrintFile);
  StandInProgram program(programFileName("vbmrun"));
  form::Form form;
  form.edit(1).setText("KADIK\xD6Y");
  EXPECT_EQ(testing_support::errorMessage([&] { printDeclaration(form, kKey, program.path()); }),
            "File access denied");
  EXPECT_TRUE(period::DeclarationExists(kKey));
  EXPECT_EQ(period::StoredValue(kKey, "Edit1"), "KADIK\xD6Y");
  expectNotStarted(program);
}

TEST(PrintCommand, FailedSaveWritesNoPrintFile) {
  ScratchDir dir;
  fs::create_directory("muhtasar.ini");
  StandInProgram program(programFileName("vbmrun"));
  form::Form form;
  EXPECT_THROW(printDeclaration(form, kKey, program.path()), period::Error);
  EXPECT_FALSE(fs::exists(kPrintFile));
  expectNotStarted(program);
}

}  // namespace
}  // namespace print
