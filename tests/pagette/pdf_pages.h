#pragma once

#include <string>
#include <utility>
#include <vector>

namespace pagette::testing {

// What poppler's tools tell of a PDF file: cups-pdf's text cannot be extracted,
// so a page is checked by its size and by the pixels where marks belong.
struct PdfInfo {
  int pages = 0;
  double width = 0;  // first page, in points
  double height = 0;
  std::string title;
};
PdfInfo pdfInfo(const std::string& pdf);
// The text of one page as poppler reads it (pdftotext -raw), UTF-8.
std::string pdfText(const std::string& pdf, int page);
// The words of one page with their boxes, in points from the top left corner.
struct PdfWord {
  std::string text;
  double left, top, right, bottom;
};
std::vector<PdfWord> pdfWords(const std::string& pdf, int page);
// Width and height in points of every page.
std::vector<std::pair<double, double>> pdfPageSizes(const std::string& pdf);

// One page rendered in grey at a resolution; 0 is black, 255 white.
class GreyPage {
 public:
  GreyPage(const std::string& pdf, int page, int dotsPerInch);
  int width() const { return width_; }
  int height() const { return height_; }
  // The darkest pixel within a square of the given half-size around a point in
  // twips from the sheet's top left corner.
  int darkestAround(double xTwips, double yTwips, int halfSize = 1) const;

 private:
  int dotsPerInch_;
  int width_ = 0;
  int height_ = 0;
  std::vector<unsigned char> pixels_;
};

}  // namespace pagette::testing
