#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QRawFont>
#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "printer.h"

namespace pagette {

// Measures texts in twips with Qt's font metrics, for a paint device whose
// painter works in twips: a font's "pixels" are twips. Holds the font the
// printer draws with, since that is the font its texts are measured in.
class QtMeasurer : public Measurer {
 public:
  // Measures for the device, which must outlive the measurer.
  explicit QtMeasurer(const QPaintDevice& device);
  // Measures as a device of these logical dots per inch does; for a thread
  // that must not touch the device itself. With `canShape` it shapes texts,
  // when asked to, for a painter to draw their glyphs.
  QtMeasurer(int dotsPerInchX, int dotsPerInchY, bool canShape);
  ~QtMeasurer() override;

  void setFontName(const std::string& name) override;
  void setFontSize(float points) override;
  void setBold(bool bold) override;
  void setItalic(bool italic) override;
  double textWidth(const std::string& text) override;
  std::size_t fittingLength(const std::string& text, double width) override;
  void shapeTexts(bool shaping) override { shaping_ = canShape_ && shaping; }
  bool shape(const std::string& text, std::vector<std::uint32_t>& numbers,
             std::vector<double>& starts) override;

  const QFont& font() const { return font_; }
  // The height of the current font above its base line, in twips.
  double ascent();

 private:
  void changeFont(const QFont& font);
  const QFontMetricsF& metrics();
  double characterWidth(unsigned char byte);
  struct Measured;
  Measured* known(const std::string& text);
  Measured& remember(const std::string& text);
  double widthOf(const std::string& text, bool shaping);
  bool shapeInto(Measured& measured);

  std::unique_ptr<QPaintDevice> ownDevice_;
  const QPaintDevice* device_;
  QFont font_;
  // Building metrics for a font is far dearer than measuring with them, and a
  // job uses a handful of fonts for all its texts.
  struct FontMeasures {
    QFontMetricsF metrics;
    // Widths of single characters by their byte, negative until measured.
    std::array<double, 256> characters;
    // The font's own face, without the faces that stand in for characters it lacks.
    QRawFont face;
  };
  QHash<QString, FontMeasures> measuresByFont_;
  FontMeasures* measures_ = nullptr;
  // The texts measured last in this font, with their widths: cutting a text to
  // its field measures two neighbouring beginnings, and the layout then asks
  // for the width of the one it prints once more.
  struct Measured {
    std::string text;
    double width = -1;
    enum class Shape { NotTried, Shaped, LeftToThePainter } shape = Shape::NotTried;
    std::vector<std::uint32_t> glyphs;
    std::vector<double> starts;
  };
  std::array<Measured, 2> measured_;
  std::size_t measuredNext_ = 0;
  bool canShape_ = false;
  bool shaping_ = false;
};

// A job's texts, decoded from code page 1254.
QString textOf(const std::string& bytes);

}  // namespace pagette
