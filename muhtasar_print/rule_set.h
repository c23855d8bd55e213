#pragma once

#include <functional>
#include <map>
#include <vector>

#include "muhtasar_print/job_writer.h"

namespace muhtasar_print {

// The frame lines of a sheet, gathered before they are drawn: where boxes
// meet, their common edge is one line, and lines that continue one another
// on the same row or column are drawn as one.
class RuleSet {
 public:
  void frame(double top, double left, double width, double height);
  void horizontal(double row, double from, double to);
  void vertical(double column, double from, double to);

  // Draws every line once on the page and forgets them. A horizontal line
  // goes to the printer with its end on whole twips, so it is drawn at the
  // row that `level` gives for its row, where it is exactly level.
  void drawOn(JobWriter& job, int page, int lineWidth, Colour colour,
              const std::function<double(double)>& level);

 private:
  struct Span {
    double from, to;
  };
  static std::vector<Span> merged(std::vector<Span> spans);

  std::map<double, std::vector<Span>> horizontal_;
  std::map<double, std::vector<Span>> vertical_;
};

}  // namespace muhtasar_print
