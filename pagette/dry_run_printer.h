#pragma once

#include "printer.h"

namespace pagette {

// Passes settings and measurements on to a printer but keeps every output back.
// A job is laid out through it first, so that a job that fails half way sends
// nothing to the printer at all.
class DryRunPrinter : public Printer {
 public:
  explicit DryRunPrinter(Printer& printer) : printer_(printer) {}

  bool setPaperSize(int code) override { return printer_.setPaperSize(code); }
  void setOrientation(Orientation orientation) override { printer_.setOrientation(orientation); }
  PageSize pageSize() override { return printer_.pageSize(); }
  void setFontName(const std::string& name) override { printer_.setFontName(name); }
  void setFontCharset(int charset) override { printer_.setFontCharset(charset); }
  void setFontSize(float points) override { printer_.setFontSize(points); }
  void setBold(bool bold) override { printer_.setBold(bold); }
  void setItalic(bool italic) override { printer_.setItalic(italic); }
  void setForeground(Rgb colour) override { printer_.setForeground(colour); }
  void setFillColour(Rgb colour) override { printer_.setFillColour(colour); }
  void setFillStyle(int style) override { printer_.setFillStyle(style); }
  void setLineWidth(int width) override { printer_.setLineWidth(width); }
  double textWidth(const std::string& text) override { return printer_.textWidth(text); }
  std::size_t fittingLength(const std::string& text, double width) override {
    return printer_.fittingLength(text, width);
  }

  void printText(float, float, const std::string&) override {}
  void drawLine(float, float, float, float) override {}
  void drawRectangle(float, float, float, float) override {}
  void fillRectangle(float, float, float, float) override {}
  bool keepsOutputBack() const override { return true; }
  void newPage() override {}
  void endDocument() override {}

 private:
  Printer& printer_;
};

}  // namespace pagette
