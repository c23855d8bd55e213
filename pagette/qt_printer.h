#pragma once

#include <QColor>
#include <QPainter>
#include <QPrinter>
#include <QRawFont>
#include <QString>
#include <memory>
#include <optional>

#include "printer.h"
#include "qt_measurer.h"
#include "system_printer.h"

namespace pagette {

// The printer behind QPrinter and QPainter. The painter draws in twips from the
// top left corner of the sheet; the mapping to the device's dots is made in one
// place. The document starts with the first output, so that a setup record
// before it still decides the first sheet's paper and orientation.
class QtPrinter : public Printer {
 public:
  // The system's default printer; throws JobError when there is none. The
  // document carries the name of the job file.
  static std::unique_ptr<QtPrinter> openDefault(const QString& documentName);
  // A PDF file in place of a printer.
  static std::unique_ptr<QtPrinter> openPdfFile(const QString& path, const QString& title = {});
  // Draws on a printer that belongs to someone else, such as a print preview;
  // the printer must outlive this object.
  static std::unique_ptr<QtPrinter> drawOn(QPrinter& printer);

  ~QtPrinter() override;

  bool setPaperSize(int code) override;
  void setOrientation(Orientation orientation) override;
  PageSize pageSize() override;
  void setFontName(const std::string& name) override;
  void setFontCharset(int charset) override;
  void setFontSize(float points) override;
  void setBold(bool bold) override;
  void setItalic(bool italic) override;
  void setForeground(Rgb colour) override;
  void setFillColour(Rgb colour) override;
  void setFillStyle(int style) override;
  void setLineWidth(int width) override;
  double textWidth(const std::string& text) override;
  std::size_t fittingLength(const std::string& text, double width) override;
  void printText(float x, float y, const std::string& text) override;
  void printGlyphs(float x, float y, const std::string& text, Glyphs glyphs) override;
  void drawLine(float x1, float y1, float x2, float y2) override;
  void drawRectangle(float x1, float y1, float x2, float y2) override;
  void fillRectangle(float x1, float y1, float x2, float y2) override;
  void newPage() override;
  void endDocument() override;
  MeasurerMaker measurerMaker() const override;

 private:
  explicit QtPrinter(std::unique_ptr<QPrinter> printer);
  QtPrinter(std::unique_ptr<QPrinter> printer, std::unique_ptr<PrintQueueHandOff> handOff);
  QPainter& painter();
  QPainter& outputPainter();
  void startPendingSheet();
  void useTwips();
  QPen pen() const;
  QPainter& textPainter();

  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<PrintQueueHandOff> handOff_;
  QPainter painter_;
  // Texts are measured in the font they are drawn in.
  QtMeasurer measurer_;
  std::optional<QFont> painterFont_;
  // The painter's font's own face, for texts shaped elsewhere.
  QRawFont painterFace_;
  double dotsToTwips_ = 1;
  QColor foreground_ = Qt::black;
  QColor fillColour_ = Qt::black;
  int fillStyle_ = kSolidFill;
  int lineWidth_ = 1;
  bool pendingSheet_ = false;
  bool borrowed_ = false;
};

}  // namespace pagette
