#include "muhtasar_print/rule_set.h"

#include <algorithm>

namespace muhtasar_print {

void RuleSet::frame(double top, double left, double width, double height) {
  horizontal(top, left, left + width);
  horizontal(top + height, left, left + width);
  vertical(left, top, top + height);
  vertical(left + width, top, top + height);
}

void RuleSet::horizontal(double row, double from, double to) {
  horizontal_[row].push_back({std::min(from, to), std::max(from, to)});
}

void RuleSet::vertical(double column, double from, double to) {
  vertical_[column].push_back({std::min(from, to), std::max(from, to)});
}

std::vector<RuleSet::Span> RuleSet::merged(std::vector<Span> spans) {
  std::sort(spans.begin(), spans.end(), [](Span a, Span b) { return a.from < b.from; });
  std::vector<Span> lines;
  for (Span span : spans) {
    if (!lines.empty() && span.from <= lines.back().to) {
      lines.back().to = std::max(lines.back().to, span.to);
    } else {
      lines.push_back(span);
    }
  }
  return lines;
}

void RuleSet::drawOn(JobWriter& job, int page, int lineWidth, Colour colour,
                     const std::function<double(double)>& level) {
  for (const auto& [row, spans] : horizontal_) {
    for (Span line : merged(spans)) {
      job.horizontalLine(page, level(row), line.from, line.to - line.from, lineWidth, colour);
    }
  }
  for (const auto& [column, spans] : vertical_) {
    for (Span line : merged(spans)) {
      job.verticalLine(page, line.from, column, line.to - line.from, lineWidth, colour);
    }
  }
  horizontal_.clear();
  vertical_.clear();
}

}  // namespace muhtasar_print
