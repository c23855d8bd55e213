#pragma once

#include <QMainWindow>
#include <string>
#include <vector>

#include "muhtasar_print/print_command.h"

class QLabel;
class QPrinter;
class QPrintPreviewWidget;

namespace muhtasar_print {

// The print preview: the pages drawn by pagette's layout through its Qt
// printer, page by page and at any zoom, and the commands to print the job
// with pagette, save it as a PDF file, or close.
class PreviewWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `reports` are what the paper says differently from the print file; they
  // stand in a bar above the pages and are not printed.
  PreviewWindow(std::string job, QString pdfName, QString pagetteProgram,
                const std::vector<std::string>& reports = {}, QWidget* parent = nullptr);
  ~PreviewWindow() override;

  QPrintPreviewWidget* preview() const { return preview_; }
  QLabel* reportBar() const { return reportBar_; }

 public slots:
  void printJob();
  void savePdf();

 private:
  void paintPages(QPrinter* printer);
  void showPageNumber();
  void showError(const QString& message);

  std::string job_;
  QString pdfName_;
  QString pagetteProgram_;
  std::unique_ptr<QPrinter> printer_;
  QPrintPreviewWidget* preview_ = nullptr;
  QLabel* pageNumber_ = nullptr;
  QLabel* reportBar_ = nullptr;
};

}  // namespace muhtasar_print
