#include "print_job.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "job_error.h"
#include "recording_printer.h"
#include "scratch_folder.h"

namespace pagette {
namespace {

using testing::RecordingPrinter;
using testing::ScratchFolder;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

struct ProgramRun {
  int status = -1;
  std::string errors;
  bool printerOpened = false;
  Lines output;
};

// The program owns its printer; this one leaves its output behind when it goes.
class OutputKeepingPrinter : public RecordingPrinter {
 public:
  explicit OutputKeepingPrinter(Lines& kept) : kept_(kept) {}
  ~OutputKeepingPrinter() override { kept_ = output(); }

 private:
  Lines& kept_;
};

ProgramRun runWithRecordingPrinter(const std::string& commandLine) {
  ProgramRun run;
  std::ostringstream errors;
  run.status = runPagette(
      commandLine,
      [&](const std::string&) -> std::unique_ptr<Printer> {
        run.printerOpened = true;
        return std::make_unique<OutputKeepingPrinter>(run.output);
      },
      errors);
  run.errors = errors.str();
  return run;
}

const std::string kTwoTexts =
    "1,1,5,10,20,0,0,0,0,0,0,0,1,\"first\"\r\n"
    "1,2,5,10,20,0,0,0,0,0,0,0,1,\"second\"\r\n";

TEST(RunPagette, PrintsTheJobAndThenDeletesIt) {
  ScratchFolder folder;
  std::string job = folder.write("job.txt", kTwoTexts);
  ProgramRun run = runWithRecordingPrinter(job + " words after the path");
  EXPECT_EQ(run.status, kExitPrinted);
  EXPECT_EQ(run.errors, "");
  EXPECT_EQ(run.output,
            (Lines{"text 1720 2220 first", "new page", "text 1720 2220 second", "end"}));
  EXPECT_FALSE(fs::exists(job));
}

// A field reaching past the printable range is no error while the text
// itself lies within it.
TEST(RunPagette, PrintsATextWhoseFieldReachesPastThePrintableRange) {
  ScratchFolder folder;
  std::string job = folder.write("job.txt", "1,1,5,313,20,0,0,0,0,0,0,0,1,\"AB\"\r\n");
  ProgramRun run = runWithRecordingPrinter(job);
  EXPECT_EQ(run.status, kExitPrinted) << run.errors;
  EXPECT_EQ(run.output, (Lines{"text 32020 2220 AB", "end"}));
}

TEST(RunPagette, AnEmptyJobPrintsNothingAndIsDeleted) {
  ScratchFolder folder;
  for (const std::string& bytes : {std::string(), std::string("\r\n\r\n"), std::string("\x1a")}) {
    std::string job = folder.write("empty.txt", bytes);
    ProgramRun run = runWithRecordingPrinter(job);
    EXPECT_EQ(run.status, kExitPrinted);
    EXPECT_EQ(run.output, Lines{"end"});
    EXPECT_FALSE(fs::exists(job));
  }
}

TEST(RunPagette, WithoutAPathTellsHowToUseIt) {
  for (const char* commandLine : {"", " ", "   "}) {
    ProgramRun run = runWithRecordingPrinter(commandLine);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_EQ(run.errors.rfind("usage: pagette PRINT-JOB-FILE\n", 0), 0u) << run.errors;
    EXPECT_FALSE(run.printerOpened);
  }
}

// Every failure names the file, for a bad record its line and field, prints
// nothing at all and keeps the job file for another try.
TEST(RunPagette, AFailureStopsTheRunPrintsNothingAndKeepsTheFile) {
  struct Case {
    std::string name;
    std::string bytes;
    std::string message;  // after "pagette: PATH: "
  };
  const std::vector<Case> cases = {
      {"a short last record", kTwoTexts + "1,2,5,10\r\n",
       "line 3, field 5: the file ends after 4 of the 14 fields of a record"},
      {"a field that is not a number", kTwoTexts + "1,2,5,ten,20,0,0,0,0,0,0,0,1,\"x\"\r\n",
       "line 3, field 4: \"ten\" is not a number"},
      {"a setup record with 0 rows", kTwoTexts + "0,2,0,9,130,0,8,0,720,720,1440,720,,\"A\"\r\n",
       "line 3, field 3: a page cannot have 0 rows"},
      {"a setup record with 0 columns", kTwoTexts + "0,2,66,9,0,0,8,0,720,720,1440,720,,\"A\"\r\n",
       "line 3, field 5: a page cannot have 0 columns"},
      {"a negative field width", kTwoTexts + "1,2,5,10,-3,0,0,0,0,0,0,0,1,\"x\"\r\n",
       "line 3, field 5: the field width -300 twips is negative"},
      {"a coordinate out of range", kTwoTexts + "3,2,5,10,400,0,1,0,0,0,0,0,0,\"\"\r\n",
       "line 3, field 5: the coordinate 122220 lies outside the printable range of -32768 to "
       "32767 twips"},
      {"a right-aligned text carried off the printable range",
       kTwoTexts + "1,2,5,313,20,1,0,0,0,0,0,0,1,\"AB\"\r\n",
       "line 3, field 4: the coordinate 33860 lies outside the printable range of -32768 to "
       "32767 twips"},
      {"an unknown paper size", "0,1,66,99,130,0,8,0,720,720,1440,720,,\"A\"\r\n" + kTwoTexts,
       "line 1, field 4: the printer has no paper size 99"},
  };
  for (const Case& c : cases) {
    ScratchFolder folder;
    std::string job = folder.write("job.txt", c.bytes);
    ProgramRun run = runWithRecordingPrinter(job);
    EXPECT_EQ(run.status, kExitFailed) << c.name;
    EXPECT_EQ(run.errors, "pagette: " + job + ": " + c.message + "\n") << c.name;
    EXPECT_EQ(run.output, Lines{}) << c.name;
    EXPECT_TRUE(fs::exists(job)) << c.name;
  }
}

TEST(RunPagette, AFileThatCannotBeOpenedIsNamed) {
  ScratchFolder folder;
  const std::string missing = (folder.path() / "missing.txt").string();
  const std::string folderPath = (folder.path() / "a-folder").string();
  fs::create_directory(folderPath);
  struct Case {
    std::string path;
    std::string reason;
  };
  std::vector<Case> cases = {
      {missing, "the print job file cannot be opened: No such file or directory"},
      {folderPath, "the print job file cannot be opened: it is not a regular file"},
  };
#ifndef _WIN32  // Windows has no named pipes among the files of a folder.
  const std::string pipe = (folder.path() / "a-pipe").string();
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  cases.push_back(
      {pipe, "the print job file cannot be opened: it is not a regular file"});  // must not hang
#endif
  for (const Case& c : cases) {
    ProgramRun run = runWithRecordingPrinter(c.path);
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_EQ(run.errors, "pagette: " + c.path + ": " + c.reason + "\n");
    EXPECT_EQ(run.output, Lines{});
  }
  EXPECT_TRUE(fs::is_directory(folderPath));
}

TEST(RunPagette, WithoutADefaultPrinterKeepsTheFile) {
  ScratchFolder folder;
  std::string job = folder.write("job.txt", kTwoTexts);
  std::ostringstream errors;
  int status = runPagette(
      job,
      [](const std::string&) -> std::unique_ptr<Printer> {
        throw JobError("there is no default printer");
      },
      errors);
  EXPECT_EQ(status, kExitFailed);
  EXPECT_EQ(errors.str(), "pagette: " + job + ": there is no default printer\n");
  EXPECT_TRUE(fs::exists(job));
}

// A printer that fails when the document is sent.
class FailingAtEndPrinter : public RecordingPrinter {
 public:
  void endDocument() override { throw JobError("the document cannot be sent to the printer"); }
};

TEST(RunPagette, ADocumentThatCannotBeSentKeepsTheFile) {
  ScratchFolder folder;
  std::string job = folder.write("job.txt", kTwoTexts);
  std::ostringstream errors;
  int status = runPagette(
      job, [](const std::string&) { return std::make_unique<FailingAtEndPrinter>(); }, errors);
  EXPECT_EQ(status, kExitFailed);
  EXPECT_EQ(errors.str(), "pagette: " + job + ": the document cannot be sent to the printer\n");
  EXPECT_TRUE(fs::exists(job));
}

TEST(PrintJobFile, LaysTheJobOutWithoutOutputBeforePrintingIt) {
  ScratchFolder folder;
  std::string job = folder.write("job.txt", kTwoTexts);
  RecordingPrinter printer;
  printJobFile(job, printer);
  // The dry run sets the same fonts and colours, but only the second pass draws.
  const Lines pass = {"paper 9", "portrait", "font Arial Narrow", "size 8", "colour 0 0 0",
                      "regular", "size 8",   "colour 0 0 0",      "regular"};
  Lines expected = pass;
  Lines printing = {"paper 9",
                    "portrait",
                    "font Arial Narrow",
                    "size 8",
                    "colour 0 0 0",
                    "regular",
                    "text 1720 2220 first",
                    "new page",
                    "size 8",
                    "colour 0 0 0",
                    "regular",
                    "text 1720 2220 second",
                    "end"};
  expected.insert(expected.end(), printing.begin(), printing.end());
  EXPECT_EQ(printer.operations, expected);
}

}  // namespace
}  // namespace pagette
