#include <cups/cups.h>

#include <QDir>
#include <QPageLayout>
#include <QTemporaryFile>
#include <string>

#include "job_error.h"
#include "system_printer.h"

namespace pagette {
namespace {

// The document is drawn into a PDF file of its own and handed to CUPS by this
// program, not by Qt: only then does the program learn whether the file was
// written whole and whether the queue took the job. Qt hands its file over
// without looking at the answer, so a queue removed during the job would go
// unnoticed and the job file would be deleted with nothing printed.
class CupsQueue : public PrintQueueHandOff {
 public:
  CupsQueue(QString queue, QString title, std::unique_ptr<QTemporaryFile> file,
            const QPrinter& printer)
      : queue_(std::move(queue)),
        title_(std::move(title)),
        file_(std::move(file)),
        printer_(printer) {}

  void send() override {
    // The options Qt gives CUPS for its own documents: the paper, and the turn
    // of a landscape sheet.
    cups_option_t* options = nullptr;
    int count = 0;
    const QByteArray media = printer_.pageLayout().pageSize().key().toUtf8();
    count = cupsAddOption("media", media.constData(), count, &options);
    if (printer_.pageLayout().orientation() == QPageLayout::Landscape)
      count = cupsAddOption("landscape", "", count, &options);
    const QByteArray queue = queue_.toLocal8Bit();
    const QByteArray path = QFile::encodeName(file_->fileName());
    const QByteArray title = title_.toLocal8Bit();
    const int job =
        cupsPrintFile(queue.constData(), path.constData(), title.constData(), count, options);
    cupsFreeOptions(count, options);
    if (job == 0) {
      const std::string reason = cupsLastErrorString();
      cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
      const bool queueExists = dest != nullptr;
      cupsFreeDests(queueExists ? 1 : 0, dest);
      throw JobError("the printer \"" + queue_.toStdString() + "\" did not take the job: " +
                     (queueExists ? reason : std::string("the printer is gone")));
    }
  }

 private:
  QString queue_;
  QString title_;
  std::unique_ptr<QTemporaryFile> file_;  // removed when the job is over, printed or not
  const QPrinter& printer_;
};

}  // namespace

SystemPrinter openSystemPrinter(const QPrinterInfo& info, const QString& documentName) {
  auto file = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/pagette-XXXXXX.pdf");
  if (!file->open()) {
    throw JobError("no temporary file for the document can be made in \"" +
                   QDir::tempPath().toStdString() + "\": " + file->errorString().toStdString());
  }
  file->close();
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(file->fileName());
  printer->setDocName(documentName);
  // An instance of a queue ("queue/instance") prints on its queue.
  const QString queue = info.printerName().section('/', 0, 0);
  auto handOff = std::make_unique<CupsQueue>(queue, documentName, std::move(file), *printer);
  return {std::move(printer), std::move(handOff)};
}

}  // namespace pagette
