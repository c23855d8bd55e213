// The pagette program itself: started as a process, printing through the
// system's default printer. Under scripts/with-pdf-printer that printer is a
// cups-pdf queue, whose PDF files the end-to-end test reads back.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QPrinterInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "pdf_pages.h"
#include "scratch_folder.h"

namespace pagette {
namespace {

using testing::GreyPage;
using testing::pdfInfo;
using testing::PdfInfo;
using testing::ScratchFolder;
namespace fs = std::filesystem;

struct Finished {
  int status = -1;
  std::string errors;
};

Finished runProgram(const QStringList& arguments, const QProcessEnvironment& environment =
                                                      QProcessEnvironment::systemEnvironment()) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(PAGETTE_PROGRAM, arguments);
  EXPECT_TRUE(process.waitForFinished(60000)) << "pagette did not end";
  Finished finished;
  finished.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  finished.errors = process.readAllStandardError().toStdString();
  return finished;
}

std::string exampleJob() {
  std::ifstream in(std::string(PAGETTE_EXAMPLES_DIR) + "/two-sheets.job", std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(PagetteProgram, WithoutAPathTellsHowToUseIt) {
  Finished finished = runProgram({});
  EXPECT_EQ(finished.status, 2);
  EXPECT_NE(finished.errors.find("usage: pagette PRINT-JOB-FILE"), std::string::npos)
      << finished.errors;
}

TEST(PagetteProgram, WithoutADefaultPrinterFailsAndKeepsTheFile) {
  ScratchFolder folder;
  const std::string job = folder.write("job.txt", exampleJob());
  // A print server that cannot be reached offers no printer at all.
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("CUPS_SERVER",
                     QString::fromStdString((folder.path() / "no-cups.sock").string()));
  environment.remove("PRINTER");
  environment.remove("LPDEST");
  Finished finished = runProgram({QString::fromStdString(job)}, environment);
  EXPECT_EQ(finished.status, 1);
  EXPECT_NE(finished.errors.find("pagette: " + job + ": there is no default printer\n"),
            std::string::npos)
      << finished.errors;
  EXPECT_TRUE(fs::exists(job));
}

// A path with a blank names one file; the part before the blank names another,
// which must be neither printed nor deleted.
TEST(PagetteProgram, APathWithABlankIsTheWholeFirstArgument) {
  if (QPrinterInfo::defaultPrinter().isNull())
    GTEST_SKIP() << "no default printer: the job is checked on the printer's sheets";
  ScratchFolder folder;
  const std::string other = folder.write("a", exampleJob());
  const std::string job = folder.write("a b.job", "1,1,2,x,,,,,,,,,,\"a\"\r\n");
  Finished finished = runProgram({QString::fromStdString(job), "ignored"});
  EXPECT_EQ(finished.status, 1);
  EXPECT_NE(finished.errors.find("pagette: " + job + ": line 1, field 4: \"x\" is not a number\n"),
            std::string::npos)
      << finished.errors;
  EXPECT_TRUE(fs::exists(job));
  EXPECT_EQ(fs::file_size(other), exampleJob().size());
}

// Where cups-pdf puts the PDF files of this user's jobs ("Out ${HOME}/PDF" in
// its configuration; anonymous jobs elsewhere).
std::vector<fs::path> pdfFolders() {
  std::vector<fs::path> folders;
  if (const passwd* user = getpwuid(geteuid())) {
    folders.push_back(fs::path(user->pw_dir) / "PDF");
    folders.push_back(fs::path("/var/spool/cups-pdf") / user->pw_name);
  }
  if (const char* home = std::getenv("HOME")) folders.push_back(fs::path(home) / "PDF");
  folders.push_back("/var/spool/cups-pdf/ANONYMOUS");
  return folders;
}

// cups-pdf names the file after the job's title, the job file's name.
std::optional<std::string> waitForPdf(const std::string& token) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (std::chrono::steady_clock::now() < deadline) {
    for (const fs::path& folder : pdfFolders()) {
      std::error_code error;
      for (fs::directory_iterator it(folder, error), end; !error && it != end;
           it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.find(token) == std::string::npos || it->path().extension() != ".pdf") continue;
        try {
          pdfInfo(it->path().string());  // complete once poppler can read it
          return it->path().string();
        } catch (const std::exception&) {
        }
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return std::nullopt;
}

TEST(PagetteProgram, PrintsThroughTheDefaultPrinterAndDeletesTheJob) {
  if (QPrinterInfo::defaultPrinter().isNull())
    GTEST_SKIP() << "no default printer: run the tests under scripts/with-pdf-printer, which "
                    "sets up a cups-pdf queue";
  ScratchFolder folder;
  const std::string token =
      "pagette_e2e_" + std::to_string(getpid()) + "_" +
      std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
  const std::string job = folder.write(token + ".job", exampleJob());

  Finished finished = runProgram({QString::fromStdString(job), "ignored", "words"});
  ASSERT_EQ(finished.status, 0) << finished.errors;
  EXPECT_FALSE(fs::exists(job)) << "the job file is deleted after printing";

  std::optional<std::string> pdf = waitForPdf(token);
  ASSERT_TRUE(pdf) << "no PDF with " << token << " in its name appeared";
  PdfInfo info = pdfInfo(*pdf);
  EXPECT_EQ(info.pages, 2);
  // cups-pdf prints on A4 paper standing upright, the landscape page turned onto
  // it: a point (x, y) of the landscape page lands at (y, 16838 - x).
  EXPECT_NEAR(info.width, 595, 1.5);
  EXPECT_NEAR(info.height, 842, 1.5);
  auto onPaper = [](double x, double y) { return std::pair{y, 16838 - x}; };
  // The landscape grid: rows of (11906 - 2160) / 66, columns of (16838 - 1440) / 130.
  const double row = (11906.0 - 2160) / 66;
  const double column = (16838.0 - 1440) / 130;
  const auto solidBox = onPaper(720 + 35 * column, 720 + 20 * row);
  const auto frameInside = onPaper(720 + 85 * column, 720 + 20 * row);
  const auto rightShadow = onPaper(720 + 100 * column + 20, 720 + 20 * row);
  const auto thickLine = onPaper(720 + 60 * column, 720 + 40 * row);
  const auto title = onPaper(720 + 10 * column, 720 + 4 * row);

  GreyPage first(*pdf, 1, 100);
  GreyPage second(*pdf, 2, 100);
  EXPECT_LT(first.darkestAround(solidBox.first, solidBox.second), 64) << "solid box";
  EXPECT_GT(first.darkestAround(frameInside.first, frameInside.second), 240) << "inside the frame";
  EXPECT_LT(first.darkestAround(rightShadow.first, rightShadow.second), 64) << "shadow";
  EXPECT_GT(first.darkestAround(thickLine.first, thickLine.second), 240) << "second sheet's line";
  // The title's first letters lie within a quarter inch right of its print position.
  EXPECT_LT(first.darkestAround(title.first + 120, title.second - 180, 12), 64) << "title";
  // Unturned, the box would lie here.
  EXPECT_GT(first.darkestAround(720 + 35 * column, 720 + 20 * row), 240) << "turned page";

  EXPECT_LT(second.darkestAround(thickLine.first, thickLine.second, 2), 64) << "thick line";
  EXPECT_GT(second.darkestAround(solidBox.first, solidBox.second), 240) << "first sheet's box";

  fs::remove(*pdf);
}

// A cups-pdf print queue of the test's own, so that it can be removed under a
// running job without touching the machine's other queues.
class TemporaryQueue {
 public:
  TemporaryQueue() : name_("pagette-test-" + std::to_string(getpid())) {
    made_ = std::system(("lpadmin -p " + name_ +
                         " -v cups-pdf:/ -E -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd "
                         ">/dev/null 2>&1")
                            .c_str()) == 0;
  }
  ~TemporaryQueue() { remove(); }
  bool made() const { return made_; }
  const std::string& name() const { return name_; }
  void remove() {
    // Nothing to do when the queue is gone already.
    if (made_ && std::system(("lpadmin -x " + name_ + " >/dev/null 2>&1").c_str()) != 0) {
    }
    made_ = false;
  }

 private:
  std::string name_;
  bool made_ = false;
};

// The program printing on the temporary queue as the default printer, its
// temporary files in a folder of their own.
QProcessEnvironment environmentFor(const TemporaryQueue& queue, const fs::path& temporaryFolder) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("PRINTER", QString::fromStdString(queue.name()));
  environment.remove("LPDEST");
  environment.insert("TMPDIR", QString::fromStdString(temporaryFolder.string()));
  return environment;
}

bool holdsAFile(const fs::path& folder) {
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file()) return true;
  return false;
}

// Many sheets of texts: long enough to remove the queue while it is laid out,
// also on a fast machine.
std::string longJob() {
  std::string job;
  for (int i = 0; i < 150000; ++i) {
    job += "1," + std::to_string(1 + i / 50) + "," + std::to_string(2 + i % 50) +
           ",10,40,0,0,0,0,0,0,0,1,\"text " + std::to_string(i) + "\"\r\n";
  }
  return job;
}

TEST(PagetteProgram, APrinterRemovedDuringTheJobIsAFailureAndKeepsTheFile) {
  TemporaryQueue queue;
  if (!queue.made()) GTEST_SKIP() << "no print queue of the test's own can be made (lpadmin)";
  ScratchFolder folder;
  const fs::path temporary = folder.path() / "tmp";
  fs::create_directory(temporary);
  const std::string job = folder.write("long.job", longJob());

  QProcess process;
  process.setProcessEnvironment(environmentFor(queue, temporary));
  process.start(PAGETTE_PROGRAM, {QString::fromStdString(job)});
  ASSERT_TRUE(process.waitForStarted());
  // The document's file appears once the printer is open.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!holdsAFile(temporary) && !process.waitForFinished(5) &&
         std::chrono::steady_clock::now() < deadline) {
  }
  ASSERT_EQ(process.state(), QProcess::Running) << "the job ended before the queue was removed";
  queue.remove();
  // The rest of a long job goes on printing into nowhere: minutes under the sanitizers.
  ASSERT_TRUE(process.waitForFinished(300000));

  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 1);
  const std::string errors = process.readAllStandardError().toStdString();
  EXPECT_NE(errors.find("pagette: " + job + ": the printer \"" + queue.name() +
                        "\" did not take the job: the printer is gone\n"),
            std::string::npos)
      << errors;
  EXPECT_TRUE(fs::exists(job));
  EXPECT_FALSE(holdsAFile(temporary)) << "the document's temporary file is left behind";
}

TEST(PagetteProgram, AFileSizeLimitIsAFailureAndKeepsTheFile) {
  TemporaryQueue queue;
  if (!queue.made()) GTEST_SKIP() << "no print queue of the test's own can be made (lpadmin)";
  ScratchFolder folder;
  const fs::path temporary = folder.path() / "tmp";
  fs::create_directory(temporary);
  const std::string job = folder.write("two-sheets.job", exampleJob());

  QProcess process;
  process.setProcessEnvironment(environmentFor(queue, temporary));
  process.setChildProcessModifier([] {
    const rlimit limit{2048, 2048};
    setrlimit(RLIMIT_FSIZE, &limit);
  });
  process.start(PAGETTE_PROGRAM, {QString::fromStdString(job)});
  ASSERT_TRUE(process.waitForFinished(60000));

  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "killed by the file-size limit";
  EXPECT_EQ(process.exitCode(), 1);
  const std::string errors = process.readAllStandardError().toStdString();
  EXPECT_NE(errors.find("pagette: " + job + ": the document cannot be written whole to \"" +
                        temporary.string() + "/pagette-"),
            std::string::npos)
      << errors;
  EXPECT_TRUE(fs::exists(job));
  EXPECT_FALSE(holdsAFile(temporary)) << "a partial temporary file is left behind";
}

}  // namespace
}  // namespace pagette
