#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "printer.h"

namespace pagette::testing {

// A printer that writes down every operation, coordinates in twips. Its sheets
// are chosen so that the default grid has whole-twip rows (300) and columns (100).
class RecordingPrinter : public Printer {
 public:
  // Sheets in portrait, by paper-size code.
  std::map<int, PageSize> sheets = {
      {9, {14440, 21960}},  // default grid: 66 rows of 300, 130 columns of 100
      {8, {20000, 30000}},
      {1, {12240, 15840}},
  };
  // Every character is this many twips wide per point of font size.
  double twipsPerCharacterPoint = 10;

  std::vector<std::string> operations;

  // Only what reaches the paper: texts, lines, rectangles and sheet changes.
  std::vector<std::string> output() const {
    std::vector<std::string> drawn;
    for (const std::string& op : operations) {
      if (op.rfind("line width", 0) == 0) continue;
      for (const char* prefix : {"text ", "line ", "rectangle ", "filled ", "new page", "end"}) {
        if (op.rfind(prefix, 0) == 0) {
          drawn.push_back(op);
          break;
        }
      }
    }
    return drawn;
  }

  bool setPaperSize(int code) override {
    if (!sheets.contains(code)) return false;
    paper_ = code;
    operations.push_back("paper " + std::to_string(code));
    return true;
  }
  void setOrientation(Orientation orientation) override {
    landscape_ = orientation == Orientation::Landscape;
    operations.push_back(landscape_ ? "landscape" : "portrait");
  }
  PageSize pageSize() override {
    PageSize sheet = sheets.at(paper_);
    return landscape_ ? PageSize{sheet.height, sheet.width} : sheet;
  }
  void setFontName(const std::string& name) override { operations.push_back("font " + name); }
  void setFontCharset(int charset) override {
    operations.push_back("charset " + std::to_string(charset));
  }
  void setFontSize(float points) override {
    fontSize_ = points;
    operations.push_back("size " + number(points));
  }
  void setBold(bool bold) override { operations.push_back(bold ? "bold" : "regular"); }
  void setForeground(Rgb c) override { operations.push_back("colour " + rgb(c)); }
  void setFillColour(Rgb c) override { operations.push_back("fill colour " + rgb(c)); }
  void setFillStyle(int style) override {
    operations.push_back("fill style " + std::to_string(style));
  }
  void setLineWidth(int width) override {
    operations.push_back("line width " + std::to_string(width));
  }
  double textWidth(const std::string& text) override {
    return static_cast<double>(text.size()) * fontSize_ * twipsPerCharacterPoint;
  }
  void printText(float x, float y, const std::string& text) override {
    operations.push_back("text " + number(x) + " " + number(y) + " " + text);
  }
  void drawLine(float x1, float y1, float x2, float y2) override {
    operations.push_back("line " + corners(x1, y1, x2, y2));
  }
  void drawRectangle(float x1, float y1, float x2, float y2) override {
    operations.push_back("rectangle " + corners(x1, y1, x2, y2));
  }
  void fillRectangle(float x1, float y1, float x2, float y2) override {
    operations.push_back("filled " + corners(x1, y1, x2, y2));
  }
  void newPage() override { operations.push_back("new page"); }
  void endDocument() override { operations.push_back("end"); }

  // Twips with at most two decimals, trailing zeros dropped: "820", "820.5".
  static std::string number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string s = text;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
  }

 private:
  static std::string rgb(Rgb c) {
    return std::to_string(c.red) + " " + std::to_string(c.green) + " " + std::to_string(c.blue);
  }
  static std::string corners(float x1, float y1, float x2, float y2) {
    return number(x1) + " " + number(y1) + " " + number(x2) + " " + number(y2);
  }

  int paper_ = 9;
  bool landscape_ = false;
  float fontSize_ = 8;
};

}  // namespace pagette::testing
