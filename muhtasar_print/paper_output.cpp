#include "muhtasar_print/paper_output.h"

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryFile>

#include "muhtasar_print/job_drawing.h"
#include "muhtasar_print/pdf_page_box.h"
#include "qt_printer.h"

namespace muhtasar_print {

void writePdf(const std::string& job, const QString& path, const QString& title) {
  std::unique_ptr<pagette::QtPrinter> printer = pagette::QtPrinter::openPdfFile(path, title);
  drawJob(job, *printer);
  makeA4PageBoxesExact(QFile::encodeName(path).toStdString());
}

QString noPrinterReason() {
  if (!QPrinterInfo::defaultPrinter().isNull()) return {};
  return QString::fromUtf8(
      "Kullanılabilir yazıcı yok: beyanname yazdırılamıyor. Yazıcıyı (veya yazdırma hizmetini) "
      "kontrol edin; beyanname \"PDF Olarak Kaydet\" ile PDF dosyası olarak kaydedilebilir.");
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
    return QString::fromUtf8("Yazdırma işi dosyası yazılamadı: %1").arg(file.errorString());
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
  QString reason = QString::fromLocal8Bit(pagette.readAll()).trimmed();
  if (reason.isEmpty()) {
    reason = pagette.error() == QProcess::FailedToStart
                 ? QString::fromUtf8("%1 başlatılamadı.").arg(pagetteProgram)
                 : QString::fromUtf8("pagette %1 durumuyla bitti.").arg(pagette.exitCode());
  }
  return reason + QString::fromUtf8("\n\nYazdırma işi dosyası saklandı: %1").arg(jobPath);
}

}  // namespace muhtasar_print
