#pragma once

#include <windows.h>

#include <string>

#include "printer.h"

namespace pagette {

// Measures texts in twips with GDI, in the font the printer draws with: the
// face, the character set, the size and the weight the job asks for, made by
// CreateFontW for a device of the given resolution. The device context is
// the caller's and must outlive the measurer.
class GdiMeasurer : public Measurer {
 public:
  GdiMeasurer(HDC dc, int dotsPerInchX, int dotsPerInchY);
  ~GdiMeasurer() override;
  GdiMeasurer(const GdiMeasurer&) = delete;
  GdiMeasurer& operator=(const GdiMeasurer&) = delete;

  void setFontName(const std::string& name) override;
  void setFontCharset(int charset);
  void setFontSize(float points) override;
  void setBold(bool bold) override;
  void setItalic(bool italic) override;
  double textWidth(const std::string& text) override;
  std::size_t fittingLength(const std::string& text, double width) override;

  // The current font, selected into the device context; made on first use
  // after a change, and selected again only after a change or forget().
  HFONT selectFont();
  // The device context may have lost the font (a new sheet): select it anew.
  void forgetSelection() { selected_ = false; }
  // A job's text, decoded from code page 1254 by pagette's own table.
  static std::wstring wideText(const std::string& bytes);

  double twipsOfDots(double dots) const { return dots * 1440.0 / dotsPerInchX_; }
  double dotsOfTwips(double twips) const { return twips * dotsPerInchX_ / 1440.0; }

 private:
  void forgetFont();

  HDC dc_;
  int dotsPerInchX_;
  int dotsPerInchY_;
  std::wstring face_ = L"Arial Narrow";
  // Until a setup record names one, the printer's default character set.
  int charset_ = DEFAULT_CHARSET;
  float points_ = 8;
  bool bold_ = false;
  bool italic_ = false;
  HFONT font_ = nullptr;
  bool selected_ = false;
};

}  // namespace pagette
