#include "qt_printer.h"

#include <QFile>
#include <QGlyphRun>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <optional>

#include "job_error.h"

namespace pagette {
namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kMillimetresPerInch = 25.4;

// Windows paper-size codes and the sheets they name.
std::optional<QPageSize::PageSizeId> pageSizeOfCode(int code) {
  switch (code) {
    case 1:
      return QPageSize::Letter;
    case 3:
      return QPageSize::Tabloid;
    case 4:
      return QPageSize::Ledger;
    case 5:
      return QPageSize::Legal;
    case 6:
      return QPageSize::Statement;
    case 7:
      return QPageSize::ExecutiveStandard;  // 7.25 by 10.5 inches
    case 8:
      return QPageSize::A3;
    case 9:
      return QPageSize::A4;
    case 11:
      return QPageSize::A5;
    case 12:
      return QPageSize::JisB4;
    case 13:
      return QPageSize::JisB5;
    case 14:
      return QPageSize::FanFoldGermanLegal;  // folio, 8.5 by 13 inches
    case 20:
      return QPageSize::Comm10E;
    case 27:
      return QPageSize::DLE;
    case 28:
      return QPageSize::C5E;
    default:
      return std::nullopt;
  }
}

Qt::BrushStyle brushStyleOf(int fillStyle) {
  switch (fillStyle) {
    case kSolidFill:
      return Qt::SolidPattern;
    case kNoFill:
      return Qt::NoBrush;
    case 2:
      return Qt::HorPattern;
    case 3:
      return Qt::VerPattern;
    case 4:
      return Qt::BDiagPattern;  // upward diagonal
    case 5:
      return Qt::FDiagPattern;  // downward diagonal
    case 6:
      return Qt::CrossPattern;
    default:
      return Qt::DiagCrossPattern;
  }
}

QColor colourOf(Rgb colour) {
  return QColor(colour.red, colour.green, colour.blue);
}

QRectF rectangleBetween(float x1, float y1, float x2, float y2) {
  return QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
}

bool isCompletePdf(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() < 5) return false;
  constexpr qint64 kTail = 32;
  file.seek(std::max<qint64>(0, file.size() - kTail));
  return file.readAll().trimmed().endsWith("%%EOF");
}

int twipsOf(double twips) {
  return static_cast<int>(std::lround(twips));
}

}  // namespace

std::unique_ptr<QtPrinter> QtPrinter::openDefault(const QString& documentName) {
  QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) throw JobError("there is no default printer");
  SystemPrinter system = openSystemPrinter(info, documentName);
  return std::unique_ptr<QtPrinter>(
      new QtPrinter(std::move(system.printer), std::move(system.handOff)));
}

std::unique_ptr<QtPrinter> QtPrinter::openPdfFile(const QString& path, const QString& title) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(path);
  printer->setDocName(title);  // the PDF's title
  return std::unique_ptr<QtPrinter>(new QtPrinter(std::move(printer)));
}

std::unique_ptr<QtPrinter> QtPrinter::drawOn(QPrinter& printer) {
  std::unique_ptr<QtPrinter> borrowing(new QtPrinter(std::unique_ptr<QPrinter>(&printer)));
  borrowing->borrowed_ = true;
  return borrowing;
}

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer) : QtPrinter(std::move(printer), nullptr) {}

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer, std::unique_ptr<PrintQueueHandOff> handOff)
    : printer_(std::move(printer)), handOff_(std::move(handOff)), measurer_(*printer_) {
  // Twips count from the corner of the sheet, not from the printable area.
  printer_->setFullPage(true);
  dotsToTwips_ = kTwipsPerInch / printer_->resolution();
}

QtPrinter::~QtPrinter() {
  if (painter_.isActive()) {
    printer_->abort();
    painter_.end();
  }
  if (borrowed_) (void)printer_.release();
}

QPainter& QtPrinter::painter() {
  if (!painter_.isActive()) {
    if (!painter_.begin(printer_.get())) {
      QString name =
          printer_->printerName().isEmpty() ? printer_->outputFileName() : printer_->printerName();
      throw JobError("the printer \"" + name.toStdString() + "\" cannot start a document");
    }
    useTwips();
    painterFont_.reset();
  }
  return painter_;
}

void QtPrinter::useTwips() {
  painter_.resetTransform();
  painter_.scale(printer_->resolution() / kTwipsPerInch, printer_->resolution() / kTwipsPerInch);
}

bool QtPrinter::setPaperSize(int code) {
  std::optional<QPageSize::PageSizeId> id = pageSizeOfCode(code);
  return id && printer_->setPageSize(QPageSize(*id));
}

void QtPrinter::setOrientation(Orientation orientation) {
  printer_->setPageOrientation(orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                     : QPageLayout::Portrait);
}

PageSize QtPrinter::pageSize() {
  // Measured in the unit the paper is defined in, so that inch sizes come out exact.
  const QPageLayout layout = printer_->pageLayout();
  if (layout.pageSize().definitionUnits() == QPageSize::Inch) {
    QRectF sheet = layout.fullRect(QPageLayout::Inch);
    return {twipsOf(sheet.width() * kTwipsPerInch), twipsOf(sheet.height() * kTwipsPerInch)};
  }
  QRectF sheet = layout.fullRect(QPageLayout::Millimeter);
  return {twipsOf(sheet.width() * kTwipsPerInch / kMillimetresPerInch),
          twipsOf(sheet.height() * kTwipsPerInch / kMillimetresPerInch)};
}

void QtPrinter::setFontName(const std::string& name) {
  measurer_.setFontName(name);
}

// Texts are decoded from code page 1254 whatever the character set, so the
// Turkish character set needs nothing more here.
void QtPrinter::setFontCharset(int) {}

void QtPrinter::setFontSize(float points) {
  measurer_.setFontSize(points);
}

void QtPrinter::setBold(bool bold) {
  measurer_.setBold(bold);
}

void QtPrinter::setItalic(bool italic) {
  measurer_.setItalic(italic);
}

void QtPrinter::setForeground(Rgb colour) {
  foreground_ = colourOf(colour);
}
void QtPrinter::setFillColour(Rgb colour) {
  fillColour_ = colourOf(colour);
}
void QtPrinter::setFillStyle(int style) {
  fillStyle_ = style;
}
void QtPrinter::setLineWidth(int width) {
  lineWidth_ = width;
}

QPen QtPrinter::pen() const {
  // The width is in the printer's dots; 0 draws the thinnest line, one dot.
  return QPen(foreground_, std::max(1, lineWidth_) * dotsToTwips_, Qt::SolidLine, Qt::RoundCap,
              Qt::RoundJoin);
}

double QtPrinter::textWidth(const std::string& text) {
  return measurer_.textWidth(text);
}

std::size_t QtPrinter::fittingLength(const std::string& text, double width) {
  return measurer_.fittingLength(text, width);
}

// A measurer on another thread must not ask the printer, which draws meanwhile,
// for its resolution.
MeasurerMaker QtPrinter::measurerMaker() const {
  const int dotsPerInchX = printer_->logicalDpiX();
  const int dotsPerInchY = printer_->logicalDpiY();
  // Texts shaped elsewhere are drawn from their glyphs, which only the PDF
  // engine, that pagette's documents go through on Linux, was checked to
  // print exactly as it prints the texts themselves.
  const bool canShape = printer_->outputFormat() == QPrinter::PdfFormat;
  return [dotsPerInchX, dotsPerInchY, canShape] {
    return std::make_unique<QtMeasurer>(dotsPerInchX, dotsPerInchY, canShape);
  };
}

QPainter& QtPrinter::textPainter() {
  QPainter& p = outputPainter();
  // Handing the painter a font makes it look the font up again at the next
  // text, so it gets one only when it changes.
  if (painterFont_ != measurer_.font()) {
    p.setFont(measurer_.font());
    painterFont_ = measurer_.font();
    painterFace_ = QRawFont();
  }
  p.setPen(foreground_);
  return p;
}

void QtPrinter::printText(float x, float y, const std::string& text) {
  QPainter& p = textPainter();
  p.drawText(QPointF(x, y + measurer_.ascent()), textOf(text));
}

void QtPrinter::printGlyphs(float x, float y, const std::string& text, Glyphs glyphs) {
  QPainter& p = textPainter();
  if (!painterFace_.isValid()) painterFace_ = QRawFont::fromFont(p.font());
  if (!painterFace_.isValid()) {
    printText(x, y, text);
    return;
  }
  QList<QPointF> starts;
  starts.reserve(static_cast<qsizetype>(glyphs.starts.size()));
  for (double start : glyphs.starts) starts.append(QPointF(start, 0));
  QGlyphRun run;
  run.setRawFont(painterFace_);
  run.setGlyphIndexes(QList<quint32>(glyphs.numbers.begin(), glyphs.numbers.end()));
  run.setPositions(starts);
  // Drawing a text leaves the painter's render hints to be handed to the
  // engine again before and after; drawn from its glyphs, the same text then
  // gives the same document, byte for byte.
  p.setRenderHints(QPainter::RenderHints(), true);
  p.drawGlyphRun(QPointF(x, y + measurer_.ascent()), run);
  p.setRenderHints(QPainter::RenderHints(), true);
}

void QtPrinter::drawLine(float x1, float y1, float x2, float y2) {
  QPainter& p = outputPainter();
  p.setPen(pen());
  p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void QtPrinter::drawRectangle(float x1, float y1, float x2, float y2) {
  QPainter& p = outputPainter();
  p.setPen(pen());
  p.setBrush(QBrush(fillColour_, brushStyleOf(fillStyle_)));
  p.drawRect(rectangleBetween(x1, y1, x2, y2));
}

void QtPrinter::fillRectangle(float x1, float y1, float x2, float y2) {
  outputPainter().fillRect(rectangleBetween(x1, y1, x2, y2), foreground_);
}

void QtPrinter::newPage() {
  // A change of page before any output still leaves the first sheet empty behind it.
  painter();
  startPendingSheet();
  pendingSheet_ = true;
}

// The new sheet starts with its first output, so that a setup record right after
// the change of page still decides its paper and orientation.
void QtPrinter::startPendingSheet() {
  if (!pendingSheet_) return;
  pendingSheet_ = false;
  if (!printer_->newPage()) throw JobError("the printer cannot start a new sheet");
  useTwips();
}

QPainter& QtPrinter::outputPainter() {
  QPainter& p = painter();
  startPendingSheet();
  return p;
}

void QtPrinter::endDocument() {
  // A job without output sends nothing, not even an empty sheet.
  if (!painter_.isActive()) return;
  startPendingSheet();
  if (!painter_.end() || printer_->printerState() == QPrinter::Error)
    throw JobError("the document cannot be sent to the printer");
  // Qt's PDF engine does not report a failed write (a full disk, a file-size
  // limit): a file cut short lacks the end-of-file line that it writes last.
  // A printer without a file is a preview's, which Qt sets to PDF where no
  // print server runs: it writes nothing.
  if (printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty() &&
      !isCompletePdf(printer_->outputFileName()))
    throw JobError("the document cannot be written whole to \"" +
                   printer_->outputFileName().toStdString() + "\"");
  if (handOff_) handOff_->send();
}

}  // namespace pagette
