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
  // The top of a text or box: its row (field 3) in rows scaled by field 13.
  double scaledRowY(const JobRecord& record) const {
    return top_ + record.field(13) * rowHeight_ * record.field(3);
  }
  // A box record's left and right edges from its column and width (fields 4
  // and 5), its top and bottom from its row and height in scaled rows (fields
  // 3 and 6); the bottom is rounded to whole twips.
  struct BoxEdges {
    double x1 = 0;
    double x2 = 0;
    double y1 = 0;
    double y2 = 0;
  };
  BoxEdges boxEdges(const JobRecord& record) const;

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
