#pragma once

#include "job_record.h"
#include "printer.h"

namespace pagette {

// Lays the records of a print job out on a printer, on a grid of rows and
// columns. Positions are twips; the grid turns rows and columns into twips.
class Layout {
 public:
  // Starts a document: A4 portrait, font "Arial Narrow", base font size 8 and
  // the default grid of 66 rows and 130 columns.
  explicit Layout(Printer& printer);

  // Throws RecordError for a record that cannot be laid out; the printer then
  // may have received part of it.
  void print(const JobRecord& record);

 private:
  void changePage(const JobRecord& record);
  void setUp(const JobRecord& record);
  void printText(const JobRecord& record);
  void drawHorizontalLine(const JobRecord& record);
  void drawVerticalLine(const JobRecord& record);
  void drawFramedBox(const JobRecord& record);
  void drawBox(const JobRecord& record);

  Rgb applyColour(const JobRecord& record);
  void applyLineWidth(const JobRecord& record);
  void computeGrid(double rows, double columns);
  double columnX(double column) const { return left_ + columnWidth_ * column; }
  double rowY(double row) const { return top_ + rowHeight_ * row; }

  Printer& printer_;
  double top_ = 720;
  double left_ = 720;
  double bottom_ = 1440;
  double right_ = 720;
  double rowHeight_ = 0;
  double columnWidth_ = 0;
  double baseFontSize_ = 8;
  double colourMode_ = 0;
  double page_ = 0;
  bool pageChanged_ = false;
  // Line and box records whose place field holds an unknown value keep the
  // coordinate that the previous line or box record computed.
  double lastX_ = 0;
  double lastY_ = 0;
};

}  // namespace pagette
