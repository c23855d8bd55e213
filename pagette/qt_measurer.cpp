#include "qt_measurer.h"

#include <QChar>
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

QtMeasurer::QtMeasurer(int dotsPerInchX, int dotsPerInchY)
    : ownDevice_(std::make_unique<DotsPerInchDevice>(dotsPerInchX, dotsPerInchY)),
      device_(ownDevice_.get()) {}

// The metrics refer to the device, so they go first.
QtMeasurer::~QtMeasurer() {
  measuresByFont_.clear();
}

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
      FontMeasures measures{QFontMetricsF(font_, device_), {}};
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

double QtMeasurer::textWidth(const std::string& text) {
  for (const Measured& known : measured_) {
    if (known.width >= 0 && known.text == text) return known.width;
  }
  Measured& fresh = measured_[measuredNext_];
  measuredNext_ = (measuredNext_ + 1) % measured_.size();
  fresh.width = metrics().horizontalAdvance(textOf(text));
  fresh.text = text;
  return fresh.width;
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
    return length == 0 ? 0.0 : textWidth(text.substr(0, length));
  };
  while (fits > 0 && beginningWidth(fits) > width) --fits;
  while (fits + 1 < text.size() && beginningWidth(fits + 1) <= width) ++fits;
  if (fits > 0) textWidth(text.substr(0, fits));  // the layout asks for it next
  return fits;
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

}  // namespace pagette
