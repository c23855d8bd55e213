#include "muhtasar_print/qt/paper_output.h"

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryFile>

#include "muhtasar_print/job_drawing.h"
#include "muhtasar_print/pdf_page_box.h"
#include "muhtasar_print/print_command.h"
#include "qt_printer.h"

namespace muhtasar_print {

void writePdf(const std::string& job, const QString& path, const QString& title) {
  std::unique_ptr<pagette::QtPrinter> printer = pagette::QtPrinter::openPdfFile(path, title);
  drawJob(job, *printer);
  makeA4PageBoxesExact(QFile::encodeName(path).toStdString());
}

QString noPrinterReason() {
  if (!QPrinterInfo::defaultPrinter().isNull()) return {};
  return QString::fromStdString(noPrinterText());
}

QString printWithPagette(const std::string& job, const QString& pagetteProgram) {
  QTemporaryFile file(QDir(QDir::tempPath()).filePath("muhtasar-print-XXXXXX.job"));
  // pagette deletes the job file once it has printed it; a failed job stays
  // for whoever looks into the failure.
  file.setAutoRemove(false);
  if (!file.open() ||
      file.write(job.data(), static_cast<qint64>(job.size())) != static_cast<qint64>(job.size()) ||
      !file.flush()) {
    file.remove();
    return QString::fromStdString(jobFileNotWritten(file.errorString().toStdString()));
  }
  const QString jobPath = file.fileName();
  file.close();

  QProcess pagette;
  pagette.setProcessChannelMode(QProcess::MergedChannels);
  pagette.start(pagetteProgram, {jobPath});
  const bool finished = pagette.waitForStarted(-1) && pagette.waitForFinished(-1);
  if (finished && pagette.exitStatus() == QProcess::NormalExit && pagette.exitCode() == 0) {
    return {};
  }
  return QString::fromStdString(
      pagetteFailure(QString::fromLocal8Bit(pagette.readAll()).toStdString(),
                     pagette.error() != QProcess::FailedToStart, pagette.exitCode(),
                     pagetteProgram.toStdString(), jobPath.toStdString()));
}

}  // namespace muhtasar_print
