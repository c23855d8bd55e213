#include "muhtasar_print/pdf_page_box.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace muhtasar_print {
namespace {

constexpr std::string_view kRounded = "/MediaBox [0 0 595.000000 842.000000]";
// 210 mm and 297 mm in points.
constexpr std::string_view kExact = "/MediaBox [0 0 595.275591 841.889764]";
static_assert(kRounded.size() == kExact.size());

std::vector<std::size_t> roundedBoxes(const std::string& pdf) {
  std::vector<std::size_t> places;
  for (std::size_t at = pdf.find(kRounded); at != std::string::npos;
       at = pdf.find(kRounded, at + kRounded.size())) {
    places.push_back(at);
  }
  return places;
}

}  // namespace

std::string withExactA4PageBoxes(std::string pdf) {
  for (std::size_t at : roundedBoxes(pdf)) pdf.replace(at, kExact.size(), kExact);
  return pdf;
}

void makeA4PageBoxesExact(const std::string& path) {
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  const std::string pdf((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (!file) throw std::runtime_error("the PDF file \"" + path + "\" cannot be read back");
  // Only the page boxes change, in place: the file keeps its length.
  for (std::size_t at : roundedBoxes(pdf)) {
    file.seekp(static_cast<std::streamoff>(at));
    file.write(kExact.data(), static_cast<std::streamsize>(kExact.size()));
  }
  file.flush();
  if (!file) throw std::runtime_error("the PDF file \"" + path + "\" cannot be written");
}

}  // namespace muhtasar_print
