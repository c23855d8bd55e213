// Fuzzes pagette's job reader and the layout over a recording printer: any job
// file either lays out or stops at a record error, and every line and box that
// reaches the printer lies within the coordinates a printer takes.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "job_error.h"
#include "job_reader.h"
#include "layout.h"
#include "recording_printer.h"
#include "finding.h"

namespace {

// Lines and boxes whose corners are rounded outside -32768..32767 twips are
// record errors, never output.
class CheckingPrinter : public pagette::testing::RecordingPrinter {
 public:
  void drawLine(float x1, float y1, float x2, float y2) override {
    check("line", {x1, y1, x2, y2});
    RecordingPrinter::drawLine(x1, y1, x2, y2);
  }
  void drawRectangle(float x1, float y1, float x2, float y2) override {
    check("rectangle", {x1, y1, x2, y2});
    RecordingPrinter::drawRectangle(x1, y1, x2, y2);
  }
  void fillRectangle(float x1, float y1, float x2, float y2) override {
    check("filled rectangle", {x1, y1, x2, y2});
    RecordingPrinter::fillRectangle(x1, y1, x2, y2);
  }

 private:
  static void check(const char* what, std::initializer_list<float> coordinates) {
    for (float c : coordinates) {
      if (!std::isfinite(c) || std::round(c) < -32768 || std::round(c) > 32767)
        fuzz::fail(std::string(what) + " at " + std::to_string(c) + " twips reached the printer");
    }
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream job(std::string(reinterpret_cast<const char*>(data), size));
  CheckingPrinter printer;
  pagette::Layout layout(printer);
  pagette::JobReader reader(job);
  try {
    while (const auto record = reader.next()) layout.print(*record);
  } catch (const pagette::RecordError&) {
    // A bad record stops the job; that is the reader's and the layout's answer.
  }
  return 0;
}
