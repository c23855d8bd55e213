#include "qt_printer.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <optional>

#include "cp1254.h"
#include "job_error.h"

namespace pagette {
namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kTwipsPerPoint = 20;
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

QString textOf(const std::string& bytes) {
  std::u16string text = decodeCp1254(bytes);
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
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

std::unique_ptr<QtPrinter> QtPrinter::openPdfFile(const QString& path) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(path);
  return std::unique_ptr<QtPrinter>(new QtPrinter(std::move(printer)));
}

std::unique_ptr<QtPrinter> QtPrinter::drawOn(QPrinter& printer) {
  std::unique_ptr<QtPrinter> borrowing(new QtPrinter(std::unique_ptr<QPrinter>(&printer)));
  borrowing->borrowed_ = true;
  return borrowing;
}

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer) : QtPrinter(std::move(printer), nullptr) {}

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer, std::unique_ptr<PrintQueueHandOff> handOff)
    : printer_(std::move(printer)), handOff_(std::move(handOff)) {
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

void QtPrinter::changeFont(const QFont& font) {
  if (font == font_) return;
  font_ = font;
  measures_ = nullptr;
  measured_ = {};
}

const QFontMetricsF& QtPrinter::metrics() {
  if (measures_ == nullptr) {
    const QString key = font_.key();
    auto known = measuresByFont_.find(key);
    if (known == measuresByFont_.end()) {
      FontMeasures measures{QFontMetricsF(font_, printer_.get()), {}};
      measures.characters.fill(-1);
      known = measuresByFont_.insert(key, measures);
    }
    measures_ = &known.value();
  }
  return measures_->metrics;
}

double QtPrinter::measure(const std::string& text) {
  for (const Measured& known : measured_) {
    if (known.width >= 0 && known.text == text) return known.width;
  }
  Measured& fresh = measured_[measuredNext_];
  measuredNext_ = (measuredNext_ + 1) % measured_.size();
  fresh.width = metrics().horizontalAdvance(textOf(text));
  fresh.text = text;
  return fresh.width;
}

double QtPrinter::characterWidth(unsigned char byte) {
  metrics();
  double& width = measures_->characters[byte];
  if (width < 0) width = measures_->metrics.horizontalAdvance(QChar(unicodeFromCp1254(byte)));
  return width;
}

void QtPrinter::setFontName(const std::string& name) {
  QFont font = font_;
  font.setFamily(textOf(name));
  changeFont(font);
}

// Texts are decoded from code page 1254 whatever the character set, so the
// Turkish character set needs nothing more here.
void QtPrinter::setFontCharset(int) {}

void QtPrinter::setFontSize(float points) {
  // The painter works in twips, so a font's "pixels" are twips.
  const int pixels = std::max(1, static_cast<int>(std::lround(points * kTwipsPerPoint)));
  if (font_.pixelSize() == pixels) return;
  QFont font = font_;
  font.setPixelSize(pixels);
  changeFont(font);
}

void QtPrinter::setBold(bool bold) {
  if (font_.bold() == bold) return;
  QFont font = font_;
  font.setBold(bold);
  changeFont(font);
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
  return measure(text);
}

// The widths of single characters add up to nearly the width of the whole
// beginning, which pairs of letters set closer than apart (kerning) make a
// little less: they point at the right length, and a measurement or two of the
// beginnings there settles it. Halving would measure a text of 40 characters
// six times.
std::size_t QtPrinter::fittingLength(const std::string& text, double width) {
  std::size_t fits = 0;
  double sum = 0;
  while (fits < text.size()) {
    sum += characterWidth(static_cast<unsigned char>(text[fits]));
    if (sum > width) break;
    ++fits;
  }
  auto beginningWidth = [&](std::size_t length) {
    return length == 0 ? 0.0 : measure(text.substr(0, length));
  };
  while (fits > 0 && beginningWidth(fits) > width) --fits;
  while (fits + 1 < text.size() && beginningWidth(fits + 1) <= width) ++fits;
  if (fits > 0) measure(text.substr(0, fits));  // the layout asks for it next
  return fits;
}

void QtPrinter::printText(float x, float y, const std::string& text) {
  QPainter& p = outputPainter();
  p.setFont(font_);
  p.setPen(foreground_);
  const double ascent = metrics().ascent();
  p.drawText(QPointF(x, y + ascent), textOf(text));
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
  if (printer_->outputFormat() == QPrinter::PdfFormat && !isCompletePdf(printer_->outputFileName()))
    throw JobError("the document cannot be written whole to \"" +
                   printer_->outputFileName().toStdString() + "\"");
  if (handOff_) handOff_->send();
}

}  // namespace pagette
