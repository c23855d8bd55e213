#include "muhtasar_print/qt/preview_window.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>

#include "help/qt/open_guide.h"
#include "help/user_guide.h"
#include "job_error.h"
#include "muhtasar_print/job_drawing.h"
#include "muhtasar_print/qt/paper_output.h"
#include "qt_printer.h"

namespace muhtasar_print {

PreviewWindow::PreviewWindow(std::string job, QString pdfName, QString pagetteProgram,
                             const std::vector<std::string>& reports, QWidget* parent)
    : QMainWindow(parent),
      job_(std::move(job)),
      pdfName_(std::move(pdfName)),
      pagetteProgram_(std::move(pagetteProgram)),
      // The preview draws at the resolution of a PDF, so that line widths in
      // printer dots look as they will on paper.
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setWindowTitle(QString::fromUtf8(kPreviewTitle));
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  reportBar_ = new QLabel(page);
  reportBar_->setWordWrap(true);
  reportBar_->setTextFormat(Qt::PlainText);
  reportBar_->setMargin(6);
  reportBar_->setStyleSheet(QStringLiteral("background: #fff4ce; color: #3b2f00;"));
  QStringList lines;
  for (const std::string& report : reports) lines << QString::fromUtf8(report);
  reportBar_->setText(lines.join('\n'));
  reportBar_->setVisible(!lines.isEmpty());
  layout->addWidget(reportBar_);
  preview_ = new QPrintPreviewWidget(printer_.get(), page);
  layout->addWidget(preview_, 1);
  setCentralWidget(page);
  connect(preview_, &QPrintPreviewWidget::paintRequested, this, &PreviewWindow::paintPages);
  connect(preview_, &QPrintPreviewWidget::previewChanged, this, &PreviewWindow::showPageNumber);

  QToolBar* bar = addToolBar(QString::fromUtf8("Baskı"));
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  auto add = [&](const char* caption, QKeySequence key, auto slot) {
    QAction* action = bar->addAction(QString::fromUtf8(caption));
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  add("&Yazdır", QKeySequence::Print, &PreviewWindow::printJob);
  add("&PDF Olarak Kaydet", QKeySequence(Qt::CTRL | Qt::Key_S), &PreviewWindow::savePdf);
  add("&Kapat", QKeySequence(Qt::Key_Escape), &QWidget::close);
  // F1: the guide, at its section on the preview; not a button of the bar.
  auto* guideKey = new QAction(this);
  guideKey->setShortcut(QKeySequence(Qt::Key_F1));
  connect(guideKey, &QAction::triggered, this, [this] {
    const std::string failure = help::openGuide(help::kPreviewSection);
    if (!failure.empty()) showError(QString::fromUtf8(failure));
  });
  addAction(guideKey);
  bar->addSeparator();
  add("Önceki Sayfa", QKeySequence(Qt::Key_PageUp), [this] {
    preview_->setCurrentPage(preview_->currentPage() - 1);
    showPageNumber();
  });
  add("Sonraki Sayfa", QKeySequence(Qt::Key_PageDown), [this] {
    preview_->setCurrentPage(preview_->currentPage() + 1);
    showPageNumber();
  });
  pageNumber_ = new QLabel(bar);
  bar->addWidget(pageNumber_);
  bar->addSeparator();
  add("Yakınlaştır", QKeySequence(QKeySequence::ZoomIn), [this] { preview_->zoomIn(); });
  add("Uzaklaştır", QKeySequence(QKeySequence::ZoomOut), [this] { preview_->zoomOut(); });
  add("Sayfaya Sığdır", QKeySequence(Qt::CTRL | Qt::Key_0), [this] { preview_->fitInView(); });
  add("Genişliğe Sığdır", QKeySequence(Qt::CTRL | Qt::Key_1), [this] { preview_->fitToWidth(); });
  preview_->fitToWidth();
  resize(900, 1000);
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::paintPages(QPrinter* printer) {
  try {
    std::unique_ptr<pagette::QtPrinter> paper = pagette::QtPrinter::drawOn(*printer);
    drawJob(job_, *paper);
  } catch (const std::exception& failure) {
    showError(QString::fromUtf8(failure.what()));
  }
}

void PreviewWindow::showPageNumber() {
  pageNumber_->setText(
      QString::fromUtf8(" Sayfa %1 / %2 ").arg(preview_->currentPage()).arg(preview_->pageCount()));
}

void PreviewWindow::showError(const QString& message) {
  QMessageBox::critical(this, QString::fromUtf8(kPreviewTitle), message);
}

void PreviewWindow::printJob() {
  if (const QString reason = noPrinterReason(); !reason.isEmpty()) {
    showError(reason);
    return;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const QString failure = printWithPagette(job_, pagetteProgram_);
  QApplication::restoreOverrideCursor();
  if (!failure.isEmpty()) showError(failure);
}

void PreviewWindow::savePdf() {
  const QString path = QFileDialog::getSaveFileName(this, QString::fromUtf8("PDF Olarak Kaydet"),
                                                    QDir::current().filePath(pdfName_),
                                                    QStringLiteral("PDF (*.pdf)"));
  if (path.isEmpty()) return;
  try {
    writePdf(job_, path, QFileInfo(pdfName_).completeBaseName());
  } catch (const std::exception& failure) {
    showError(QString::fromUtf8(failure.what()));
  }
}

}  // namespace muhtasar_print
