#include "muhtasar_print/text_fit.h"

#include <algorithm>
#include <cmath>

#include "muhtasar_print/text_widths.h"

namespace muhtasar_print {
namespace {

// Sizes are tried in quarter points, from the box's own down to the smallest.
constexpr double kSizeStep = 0.25;
// A little room is left: the printer rounds places to its dots, and the job
// writes sizes and widths to a hundredth.
constexpr double kWidthReserve = 0.985;
constexpr double kTwipsPerPoint = 20;

int linesThatFit(const TextRoom& room, double points) {
  return std::min(room.mostLines, int(std::floor(room.height / lineHeight(points))));
}

struct Word {
  std::string blanks;  // the blanks before it
  std::string text;
};

std::vector<Word> wordsOf(const std::string& text) {
  std::vector<Word> words;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t start = text.find_first_not_of(' ', i);
    if (start == std::string::npos) break;
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    words.push_back({text.substr(i, start - i), text.substr(start, end - start)});
    i = end;
  }
  return words;
}

// Breaks at blanks, as the screen's word wrap does: a line takes words while
// they fit; the blanks where a line breaks are dropped, those inside a line
// stay as the text has them. A word wider than the line stands alone on it.
std::vector<std::string> wrapped(const std::string& text, double width, double points,
                                 bool bold) {
  std::vector<std::string> lines;
  std::string line;
  for (const Word& word : wordsOf(text)) {
    std::string longer = line;
    longer += lines.empty() || !line.empty() ? word.blanks : std::string();
    longer += word.text;
    if (!line.empty() && textWidth(longer, points, bold) > width) {
      lines.push_back(line);
      line = word.text;
    } else {
      line = std::move(longer);
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

bool allFit(const std::vector<std::string>& lines, double width, double points, bool bold) {
  return std::all_of(lines.begin(), lines.end(), [&](const std::string& line) {
    return textWidth(line, points, bold) <= width;
  });
}

// The longest beginning of a text that fits with "…" after it.
std::string cutToFit(const std::string& text, double width, double points, bool bold) {
  std::string kept = text;
  while (!kept.empty() && textWidth(kept + kEllipsis, points, bold) > width) kept.pop_back();
  while (!kept.empty() && kept.back() == ' ') kept.pop_back();
  return kept + kEllipsis;
}

std::vector<double> sizesDownFrom(double points) {
  std::vector<double> sizes;
  for (double size = points; size > kSmallestPoints; size -= kSizeStep) sizes.push_back(size);
  sizes.push_back(kSmallestPoints);
  return sizes;
}

}  // namespace

double lineHeight(double points) {
  return points * kTwipsPerPoint * 1.15;
}

FittedText fitText(const std::string& text, const TextRoom& room) {
  const double width = room.width * kWidthReserve;
  const double atOnePoint = textWidth(text, 1, room.bold);
  const std::vector<double> sizes = sizesDownFrom(room.points);
  if (room.wrapsFirst) {
    // Pixels measure as points here: only the breaks are taken from it.
    std::vector<std::string> lines =
        wrapped(text, room.screenWidth * kTwipsPerPoint, room.screenPixels, room.bold);
    for (double size : sizes) {
      if (int(lines.size()) <= linesThatFit(room, size) && allFit(lines, width, size, room.bold)) {
        return {size, std::move(lines), false};
      }
    }
  }
  if (atOnePoint * room.points <= width) return {room.points, {text}, false};

  for (double size : sizes) {
    if (atOnePoint * size <= width && linesThatFit(room, size) >= 1) return {size, {text}, false};
  }
  for (double size : sizes) {
    const int most = linesThatFit(room, size);
    if (most < 2) continue;
    std::vector<std::string> lines = wrapped(text, width, size, room.bold);
    if (int(lines.size()) <= most && allFit(lines, width, size, room.bold)) {
      return {size, std::move(lines), false};
    }
  }

  // No fit: at the smallest size, as many lines as the room holds, broken at
  // blanks; the first line too wide, or the last one that takes the rest, is
  // cut and shows it.
  FittedText fitted{kSmallestPoints, {}, false};
  const int most = std::max(1, linesThatFit(room, kSmallestPoints));
  std::string rest = text;
  while (!rest.empty()) {
    std::string line = int(fitted.lines.size()) + 1 < most
                           ? wrapped(rest, width, kSmallestPoints, room.bold).front()
                           : rest;
    if (textWidth(line, kSmallestPoints, room.bold) > width) {
      fitted.lines.push_back(cutToFit(line, width, kSmallestPoints, room.bold));
      fitted.cut = true;
      break;
    }
    fitted.lines.push_back(line);
    rest.erase(0, line.size());
    rest.erase(0, std::min(rest.size(), rest.find_first_not_of(' ')));
  }
  return fitted;
}

}  // namespace muhtasar_print
