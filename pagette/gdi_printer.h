#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "gdi_measurer.h"
#include "printer.h"

namespace pagette {

// The Windows printer over GDI: a printer device context, its paper and
// orientation in the printer's DEVMODEW, pages between StartDocW and EndDoc.
// Places are twips from the sheet's corner, turned into the device's dots in
// one place; line widths are dots.
class GdiPrinter : public Printer {
 public:
  // The system's default printer, for a document under the job's name.
  // Throws JobError when there is none or it cannot be opened.
  static std::unique_ptr<GdiPrinter> openDefault(const std::wstring& documentName);
  // A printer by its name; with an output file, the driver writes the
  // document there (as the system's PDF printer does) instead of printing it.
  static std::unique_ptr<GdiPrinter> openNamed(const std::wstring& printerName,
                                               const std::wstring& documentName,
                                               const std::wstring& outputFile = {});
  static bool printerExists(const std::wstring& printerName);
  // Draws on a device context of the caller's, such as a memory bitmap, at a
  // known resolution, for a sheet of the given size in twips; no document is
  // begun and the paper cannot change. With `onlySheet` (counted from 0), only
  // that sheet of the job is drawn, as a preview shows one page at a time.
  static std::unique_ptr<GdiPrinter> drawOn(HDC dc, int dotsPerInchX, int dotsPerInchY,
                                            PageSize sheet, int onlySheet = -1);
  ~GdiPrinter() override;
  GdiPrinter(const GdiPrinter&) = delete;
  GdiPrinter& operator=(const GdiPrinter&) = delete;

  bool setPaperSize(int code) override;
  void setOrientation(Orientation orientation) override;
  PageSize pageSize() override;

  void setFontName(const std::string& name) override { measurer_.setFontName(name); }
  void setFontCharset(int charset) override { measurer_.setFontCharset(charset); }
  void setFontSize(float points) override { measurer_.setFontSize(points); }
  void setBold(bool bold) override { measurer_.setBold(bold); }
  void setItalic(bool italic) override { measurer_.setItalic(italic); }

  void setForeground(Rgb colour) override { foreground_ = colour; }
  void setFillColour(Rgb colour) override { fillColour_ = colour; }
  void setFillStyle(int style) override { fillStyle_ = style; }
  void setLineWidth(int width) override { lineWidth_ = width; }

  double textWidth(const std::string& text) override { return measurer_.textWidth(text); }
  std::size_t fittingLength(const std::string& text, double width) override {
    return measurer_.fittingLength(text, width);
  }
  void printText(float x, float y, const std::string& text) override;
  void drawLine(float x1, float y1, float x2, float y2) override;
  void drawRectangle(float x1, float y1, float x2, float y2) override;
  void fillRectangle(float x1, float y1, float x2, float y2) override;

  void newPage() override;
  void endDocument() override;

  // The sheets the job has drawn on so far: 0 before any output.
  int sheetCount() const { return drewAnything_ ? sheetIndex_ + 1 : 0; }

 private:
  struct Device;
  GdiPrinter(std::unique_ptr<Device> device, HDC dc, int dotsPerInchX, int dotsPerInchY);

  // A place in twips from the sheet's corner as a point of the device.
  POINT dotOf(float x, float y) const;
  // Begins the document and the sheet where needed; false where this sheet is
  // not the one being drawn.
  bool beginOutput();
  void startSheet();
  void applyPaper();
  void check(bool done, const char* what);
  void selectPen();
  void forgetSelections();

  std::unique_ptr<Device> device_;  // empty for a device context of the caller's
  HDC dc_;
  int dotsPerInchX_;
  int dotsPerInchY_;
  POINT offset_{};  // where the printable area starts on the sheet, in dots
  PageSize sheet_;
  GdiMeasurer measurer_;
  Rgb foreground_;
  Rgb fillColour_;
  int fillStyle_ = kSolidFill;
  int lineWidth_ = 0;
  int onlySheet_ = -1;
  int sheetIndex_ = 0;
  bool drewAnything_ = false;
  bool documentBegun_ = false;
  bool sheetOpen_ = false;
  bool paperChanged_ = false;  // waits for the sheet after the open one
  // What is selected into the device context, so that each drawing call
  // selects only what changed: every selection reaches the printer's driver.
  HPEN pen_ = nullptr;
  Rgb penColour_;
  int penWidth_ = -1;
  bool penSelected_ = false;
  bool textStateSet_ = false;
  Rgb textColour_;
};

}  // namespace pagette
