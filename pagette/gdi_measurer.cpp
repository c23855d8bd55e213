#include "gdi_measurer.h"

#include <cmath>

#include "cp1254.h"

namespace pagette {

GdiMeasurer::GdiMeasurer(HDC dc, int dotsPerInchX, int dotsPerInchY)
    : dc_(dc), dotsPerInchX_(dotsPerInchX), dotsPerInchY_(dotsPerInchY) {}

GdiMeasurer::~GdiMeasurer() {
  forgetFont();
}

// A font still selected into the device context cannot be deleted.
void GdiMeasurer::forgetFont() {
  if (!font_) return;
  SelectObject(dc_, GetStockObject(SYSTEM_FONT));
  DeleteObject(font_);
  font_ = nullptr;
  selected_ = false;
}

std::wstring GdiMeasurer::wideText(const std::string& bytes) {
  const std::u16string text = decodeCp1254(bytes);
  return std::wstring(text.begin(), text.end());
}

void GdiMeasurer::setFontName(const std::string& name) {
  std::wstring face = wideText(name);
  // LOGFONT holds 31 characters of a face name and its end.
  if (face.size() > LF_FACESIZE - 1) face.resize(LF_FACESIZE - 1);
  if (face == face_) return;
  face_ = std::move(face);
  forgetFont();
}

void GdiMeasurer::setFontCharset(int charset) {
  if (charset == charset_) return;
  charset_ = charset;
  forgetFont();
}

void GdiMeasurer::setFontSize(float points) {
  if (points == points_) return;
  points_ = points;
  forgetFont();
}

void GdiMeasurer::setBold(bool bold) {
  if (bold == bold_) return;
  bold_ = bold;
  forgetFont();
}

void GdiMeasurer::setItalic(bool italic) {
  if (italic == italic_) return;
  italic_ = italic;
  forgetFont();
}

HFONT GdiMeasurer::selectFont() {
  if (!font_) {
    // A negative height asks for the character height, the em of the size in points.
    const int height = -static_cast<int>(std::lround(points_ * dotsPerInchY_ / 72.0));
    font_ = CreateFontW(height, 0, 0, 0, bold_ ? FW_BOLD : FW_NORMAL, italic_, FALSE, FALSE,
                        static_cast<BYTE>(charset_), OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                        DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face_.c_str());
  }
  // Every selection reaches the printer's driver: under Wine, a line of PostScript.
  if (!selected_) SelectObject(dc_, font_);
  selected_ = true;
  return font_;
}

double GdiMeasurer::textWidth(const std::string& text) {
  selectFont();
  const std::wstring wide = wideText(text);
  SIZE size{};
  GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
  return twipsOfDots(size.cx);
}

std::size_t GdiMeasurer::fittingLength(const std::string& text, double width) {
  selectFont();
  const std::wstring wide = wideText(text);
  INT fits = 0;
  SIZE size{};
  GetTextExtentExPointW(dc_, wide.c_str(), static_cast<int>(wide.size()),
                        static_cast<int>(std::floor(dotsOfTwips(width))), &fits, nullptr, &size);
  return static_cast<std::size_t>(fits);
}

}  // namespace pagette
