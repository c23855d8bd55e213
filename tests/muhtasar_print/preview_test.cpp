// The preview window and its print command, with stand-ins for pagette.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QTest>
#include <QUrl>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <filesystem>
#include <sstream>
#include <string>

#include "dry_run_printer.h"
#include "job_reader.h"
#include "muhtasar_print/declaration_job.h"
#include "muhtasar_print/job_drawing.h"
#include "muhtasar_print/qt/paper_output.h"
#include "muhtasar_print/qt/preview_window.h"
#include "qt_printer.h"
#include "support/scratch_dir.h"

namespace muhtasar_print {
namespace {

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::ScratchDir;
using testing_support::writeFile;

std::string sampleJob() {
  return declarationJob(
      readPrintFile(std::string(MUHTASAR_TESTDATA_DIR) + "/print/sample_declaration.dat"));
}

QString standInPagette(const fs::path& folder, const std::string& script) {
  const fs::path path = folder / "pagette";
  writeFile(path, "#!/bin/sh\n" + script);
  fs::permissions(path, fs::perms::owner_all);
  return QString::fromStdString(path.string());
}

TEST(Preview, ShowsBothPagesUnderItsTitle) {
  PreviewWindow window(sampleJob(), QStringLiteral("x.pdf"), QStringLiteral("/nonexistent"));
  window.show();
  window.preview()->updatePreview();
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Muhtasar Beyanname - Baskı Önizleme"));
  EXPECT_EQ(window.preview()->pageCount(), 2);
  EXPECT_TRUE(window.reportBar()->isHidden());
  // What the paper says differently from the file stands above the pages.
  PreviewWindow reported(sampleJob(), QStringLiteral("x.pdf"), QStringLiteral("/nonexistent"),
                         {"19 numaralı satır: eksi", "Tablo II 4: eksi"});
  reported.show();
  EXPECT_TRUE(reported.reportBar()->isVisible());
  EXPECT_EQ(reported.reportBar()->text(), QString::fromUtf8("19 numaralı satır: eksi\nTablo II 4: eksi"));
}

// Where no print server runs (CTest runs this once with CUPS pointed nowhere),
// the preview shows the pages all the same; only printing is unavailable, and
// a PDF file can still be written.
TEST(Preview, WithoutAPrintServerShowsThePagesAndOnlyPrintingIsUnavailable) {
  if (!qEnvironmentVariableIsSet("MUHTASAR_TEST_NO_PRINT_SERVER"))
    GTEST_SKIP() << "runs where CUPS_SERVER names no server";
  ScratchDir dir;
  testing::internal::CaptureStderr();
  PreviewWindow window(sampleJob(), QStringLiteral("x.pdf"), QStringLiteral("/nonexistent"));
  window.show();
  window.preview()->updatePreview();
  EXPECT_EQ(window.preview()->pageCount(), 2);
  EXPECT_TRUE(noPrinterReason().contains(QString::fromUtf8("yazdırılamıyor")));
  writePdf(sampleJob(), QStringLiteral("x.pdf"), QStringLiteral("x"));
  EXPECT_TRUE(readFile("x.pdf").starts_with("%PDF"));
  testing::internal::GetCapturedStderr();
}

// pagette gets the job file as its one argument; when it fails, its message
// comes back with the name of the job file, which is kept.
TEST(Preview, PrintRunsPagetteOnATemporaryJobFile) {
  ScratchDir dir;
  const std::string job = sampleJob();
  const QString printed = printWithPagette(
      job,
      standInPagette(dir.path(), "cp \"$1\" \"" + dir.path().string() + "/got\" && rm \"$1\"\n"));
  EXPECT_TRUE(printed.isEmpty()) << printed.toStdString();
  EXPECT_EQ(readFile(dir.path() / "got"), job);

  const QString failed = printWithPagette(
      job, standInPagette(dir.path(), "echo \"pagette: $1: no paper\" >&2; exit 1\n"));
  const QRegularExpressionMatch kept =
      QRegularExpression(QString::fromUtf8("saklandı: (.*)$")).match(failed);
  ASSERT_TRUE(kept.hasMatch()) << failed.toStdString();
  const std::string path = kept.captured(1).toStdString();
  EXPECT_TRUE(failed.startsWith(QString::fromStdString("pagette: " + path + ": no paper")));
  EXPECT_EQ(readFile(path), job);
  fs::remove(path);

  const QString notStarted = printWithPagette(job, QStringLiteral("/nonexistent/pagette"));
  EXPECT_TRUE(notStarted.contains(QString::fromUtf8("başlatılamadı")));
  const QRegularExpressionMatch keptToo =
      QRegularExpression(QString::fromUtf8("saklandı: (.*)$")).match(notStarted);
  ASSERT_TRUE(keptToo.hasMatch());
  EXPECT_TRUE(fs::remove(keptToo.captured(1).toStdString()));
}

}  // namespace
}  // namespace muhtasar_print

namespace muhtasar_print {
namespace {

// A printer that measures as the PDF printer does and notes what it prints.
class PrintedTexts : public pagette::DryRunPrinter {
 public:
  using DryRunPrinter::DryRunPrinter;
  void printText(float, float, const std::string& text) override { printed.push_back(text); }
  bool keepsOutputBack() const override { return false; }
  std::vector<std::string> printed;
};

// Every text of our own jobs fits its field by the real font: pagette's cut,
// its last guard, never takes a character off.
TEST(PaperFit, OurJobsNeverReachPagettesCut) {
  for (const char* name : {"sample_declaration", "long_values"}) {
    SCOPED_TRACE(name);
    const std::string job =
        readFile(std::string(MUHTASAR_TESTDATA_DIR) + "/muhtasar_print/" + name + ".job");
    ScratchDir dir;
    std::unique_ptr<pagette::QtPrinter> pdf = pagette::QtPrinter::openPdfFile("x.pdf");
    PrintedTexts printer(*pdf);
    drawJob(job, printer);
    std::vector<std::string> texts;
    std::istringstream in(job);
    pagette::JobReader reader(in);
    while (std::optional<pagette::JobRecord> record = reader.next()) {
      if (record->field(1) == 1 && !record->text.empty()) texts.push_back(record->text);
    }
    EXPECT_GT(texts.size(), 150u);
    EXPECT_EQ(printer.printed, texts);
  }
}

// F1 asks the desktop to open the guide beside the program at its section on
// the preview; a Qt URL handler stands in for the desktop.
class GuideHandler : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public slots:
  void open(const QUrl& url) { opened << url; }
};

TEST(Preview, F1OpensTheGuideAtThePreview) {
  const fs::path besideThis = fs::path(QCoreApplication::applicationDirPath().toStdString()) / "kilavuz";
  fs::remove_all(besideThis);
  fs::copy(fs::path(MUHTASAR_SOURCE_DIR) / "guide", besideThis, fs::copy_options::recursive);
  GuideHandler handler;
  QDesktopServices::setUrlHandler("file", &handler, "open");
  PreviewWindow window(sampleJob(), QStringLiteral("x.pdf"), QStringLiteral("/nonexistent"));
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_F1);
  QDesktopServices::unsetUrlHandler("file");
  fs::remove_all(besideThis);
  ASSERT_EQ(handler.opened.size(), 1);
  EXPECT_EQ(handler.opened.front().toLocalFile().toStdString(), (besideThis / "index.html").string());
  EXPECT_EQ(handler.opened.front().fragment(), "onizleme");
}

}  // namespace
}  // namespace muhtasar_print

#include "preview_test.moc"
