#include "qt_measurer.h"

#include <QChar>
#include <QGlyphRun>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>

#include "cp1254.h"

namespace pagette {
namespace {

constexpr double kTwipsPerPoint = 20;

// Answers nothing but its dots per inch, which is all that font metrics ask.
class DotsPerInchDevice : public QPaintDevice {
 public:
  DotsPerInchDevice(int x, int y) : x_(x), y_(y) {}
  QPaintEngine* paintEngine() const override { return nullptr; }

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmDpiX:
      case PdmPhysicalDpiX:
        return x_;
      case PdmDpiY:
      case PdmPhysicalDpiY:
        return y_;
      default:
        return QPaintDevice::metric(metric);
    }
  }

 private:
  int x_;
  int y_;
};

}  // namespace

QString textOf(const std::string& bytes) {
  std::u16string text = decodeCp1254(bytes);
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QtMeasurer::QtMeasurer(const QPaintDevice& device) : device_(&device) {}

QtMeasurer::QtMeasurer(int dotsPerInchX, int dotsPerInchY, bool canShape)
    : ownDevice_(std::make_unique<DotsPerInchDevice>(dotsPerInchX, dotsPerInchY)),
      device_(ownDevice_.get()),
      canShape_(canShape) {}

QtMeasurer::~QtMeasurer() = default;

void QtMeasurer::changeFont(const QFont& font) {
  if (font == font_) return;
  font_ = font;
  measures_ = nullptr;
  measured_ = {};
}

const QFontMetricsF& QtMeasurer::metrics() {
  if (measures_ == nullptr) {
    const QString key = font_.key();
    auto known = measuresByFont_.find(key);
    if (known == measuresByFont_.end()) {
      FontMeasures measures{QFontMetricsF(font_, device_), {}, {}};
      measures.characters.fill(-1);
      known = measuresByFont_.insert(key, measures);
    }
    measures_ = &known.value();
  }
  return measures_->metrics;
}

double QtMeasurer::ascent() {
  return metrics().ascent();
}

QtMeasurer::Measured* QtMeasurer::known(const std::string& text) {
  for (Measured& measured : measured_) {
    if (measured.width >= 0 && measured.text == text) return &measured;
  }
  return nullptr;
}

QtMeasurer::Measured& QtMeasurer::remember(const std::string& text) {
  Measured& fresh = measured_[measuredNext_];
  measuredNext_ = (measuredNext_ + 1) % measured_.size();
  fresh.text = text;
  fresh.width = -1;
  fresh.shape = Measured::Shape::NotTried;
  return fresh;
}

// Shaping gives the width too, as exactly as measuring alone does.
double QtMeasurer::widthOf(const std::string& text, bool shaping) {
  if (const Measured* measured = known(text)) return measured->width;
  Measured& fresh = remember(text);
  if (shaping && shapeInto(fresh)) return fresh.width;
  fresh.width = metrics().horizontalAdvance(textOf(text));
  return fresh.width;
}

double QtMeasurer::textWidth(const std::string& text) {
  return widthOf(text, shaping_);
}

double QtMeasurer::characterWidth(unsigned char byte) {
  metrics();
  double& width = measures_->characters[byte];
  if (width < 0) width = measures_->metrics.horizontalAdvance(QChar(unicodeFromCp1254(byte)));
  return width;
}

// The widths of single characters add up to nearly the width of the whole
// beginning, which pairs of letters set closer than apart (kerning) make a
// little less: they point at the right length, and a measurement or two of the
// beginnings there settles it. Halving would measure a text of 40 characters
// six times.
std::size_t QtMeasurer::fittingLength(const std::string& text, double width) {
  std::size_t fits = 0;
  double sum = 0;
  while (fits < text.size()) {
    sum += characterWidth(static_cast<unsigned char>(text[fits]));
    if (sum > width) break;
    ++fits;
  }
  auto beginningWidth = [&](std::size_t length) {
    return length == 0 ? 0.0 : widthOf(text.substr(0, length), false);
  };
  while (fits > 0 && beginningWidth(fits) > width) --fits;
  while (fits + 1 < text.size() && beginningWidth(fits + 1) <= width) ++fits;
  if (fits > 0) textWidth(text.substr(0, fits));  // the layout asks for it next
  return fits;
}

bool QtMeasurer::shape(const std::string& text, std::vector<std::uint32_t>& numbers,
                       std::vector<double>& starts) {
  Measured* measured = known(text);
  if ((measured == nullptr || measured->shape == Measured::Shape::NotTried) && !shaping_)
    return false;
  if (measured == nullptr) measured = &remember(text);
  if (measured->shape == Measured::Shape::NotTried) {
    const double width = measured->width;
    if (!shapeInto(*measured) && width < 0)
      measured->width = metrics().horizontalAdvance(textOf(text));
  }
  if (measured->shape != Measured::Shape::Shaped) return false;
  numbers.insert(numbers.end(), measured->glyphs.begin(), measured->glyphs.end());
  starts.insert(starts.end(), measured->starts.begin(), measured->starts.end());
  return true;
}

// Shaped as the painter shapes a text it is given to draw: on one line, in the
// font's own face. Tabs and other control characters, which a text layout
// places by rules of its own, and characters that another face stands in for
// are left to the painter.
bool QtMeasurer::shapeInto(Measured& measured) {
  measured.shape = Measured::Shape::LeftToThePainter;
  for (char c : measured.text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
  }
  metrics();
  if (!measures_->face.isValid()) measures_->face = QRawFont::fromFont(QFont(font_, device_));
  QTextLayout layout(textOf(measured.text), font_, device_);
  QTextOption option;
  option.setWrapMode(QTextOption::NoWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();
  if (!line.isValid()) return false;
  const QList<QGlyphRun> runs = layout.glyphRuns();
  if (layout.lineCount() != 1 || runs.size() != 1 || runs.front().rawFont() != measures_->face)
    return false;
  const QList<quint32> glyphs = runs.front().glyphIndexes();
  const QList<QPointF> positions = runs.front().positions();
  if (glyphs.size() != positions.size()) return false;
  measured.glyphs.assign(glyphs.begin(), glyphs.end());
  measured.starts.clear();
  for (const QPointF& position : positions) {
    if (position.y() != positions.front().y()) return false;
    measured.starts.push_back(position.x());
  }
  measured.width = line.horizontalAdvance();
  measured.shape = Measured::Shape::Shaped;
  return true;
}

void QtMeasurer::setFontName(const std::string& name) {
  QFont font = font_;
  font.setFamily(textOf(name));
  changeFont(font);
}

void QtMeasurer::setFontSize(float points) {
  const int pixels = std::max(1, static_cast<int>(std::lround(points * kTwipsPerPoint)));
  if (font_.pixelSize() == pixels) return;
  QFont font = font_;
  font.setPixelSize(pixels);
  changeFont(font);
}

void QtMeasurer::setBold(bool bold) {
  if (font_.bold() == bold) return;
  QFont font = font_;
  font.setBold(bold);
  changeFont(font);
}

void QtMeasurer::setItalic(bool italic) {
  if (font_.italic() == italic) return;
  QFont font = font_;
  font.setItalic(italic);
  changeFont(font);
}

}  // namespace pagette
