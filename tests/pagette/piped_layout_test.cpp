#include "piped_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "job_error.h"
#include "job_reader.h"
#include "layout.h"
#include "print_job.h"
#include "recording_printer.h"
#include "scratch_folder.h"

namespace pagette {
namespace {

using testing::RecordingPrinter;
using testing::ScratchFolder;
using Lines = std::vector<std::string>;

// Measures as the recording printer does.
class RecordingMeasurer : public Measurer {
 public:
  explicit RecordingMeasurer(double twipsPerCharacterPoint) : perPoint_(twipsPerCharacterPoint) {}
  void setFontName(const std::string&) override {}
  void setFontSize(float points) override { size_ = points; }
  void setBold(bool) override {}
  double textWidth(const std::string& text) override {
    return static_cast<double>(text.size()) * size_ * perPoint_;
  }
  std::size_t fittingLength(const std::string& text, double width) override {
    std::size_t fits = 0;
    while (fits < text.size() && textWidth(text.substr(0, fits + 1)) <= width) ++fits;
    return fits;
  }
  // Its glyphs are the text's bytes, each a twip after the one before; texts
  // with a "9" in them it leaves to the printer.
  bool shape(const std::string& text, std::vector<std::uint32_t>& numbers,
             std::vector<double>& starts) override {
    if (text.find('9') != std::string::npos) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
      numbers.push_back(static_cast<unsigned char>(text[i]));
      starts.push_back(static_cast<double>(i));
    }
    return true;
  }

 private:
  double perPoint_;
  float size_ = 8;
};

class PipingPrinter : public RecordingPrinter {
 public:
  MeasurerMaker measurerMaker() const override {
    return [perPoint = twipsPerCharacterPoint] {
      return std::make_unique<RecordingMeasurer>(perPoint);
    };
  }
  // Fails at this text, counted from 1 over both passes; 0 never.
  int failAtText = 0;
  void printText(float x, float y, const std::string& text) override {
    if (++texts_ == failAtText) throw JobError("the printer jammed");
    RecordingPrinter::printText(x, y, text);
  }
  // Texts arrive shaped or not, as the measurer chose; shaped ones must bring
  // their own glyphs.
  int textsFromGlyphs = 0;
  void printGlyphs(float x, float y, const std::string& text, Glyphs glyphs) override {
    ++textsFromGlyphs;
    std::string drawn;
    for (std::uint32_t number : glyphs.numbers) drawn.push_back(static_cast<char>(number));
    EXPECT_EQ(drawn, text);
    EXPECT_EQ(glyphs.starts.size(), text.size());
    if (!glyphs.starts.empty()) {
      EXPECT_EQ(glyphs.starts.back(), static_cast<double>(text.size()) - 1);
    }
    printText(x, y, text);
  }

 private:
  int texts_ = 0;
};

// Far more calls than the two threads hold under way at once, with texts cut
// to their fields in several sizes, every alignment, setups that change the
// paper and the grid after a change of page, lines and boxes.
std::string longJob() {
  std::ostringstream job;
  for (int i = 0; i < 3000; ++i) {
    const int page = 1 + i / 40;
    const int row = 2 + i % 40;
    if (i % 400 == 0) job << "0," << page << ",60," << (i % 800 ? 8 : 9) << ",120,0,9,1,0,0,0,0,,\"Arial\"\n";
    switch (i % 7) {
      case 5:
        job << "2," << page << "," << row << ",5,50,2,3,0,0,10,20,30,,\"\"\n";
        break;
      case 6:
        job << "4," << page << "," << row << ",10,40,1,1,1,0,0,0,0,1,\"\"\n";
        break;
      default:
        job << "1," << page << "," << row << "," << i % 50 << "," << 4 + i % 9 << "," << i % 3
            << "," << i % 5 << "," << i % 2 << ",0,0,0,0,1,\"text number " << i << " of the job\"\n";
    }
  }
  return job.str();
}

TEST(PipedLayout, HandsThePrinterExactlyWhatALayoutOnItsThreadWould) {
  ScratchFolder folder;
  const std::string job = longJob();
  RecordingPrinter alone;
  printJobFile(folder.write("alone.txt", job), alone);
  PipingPrinter piped;
  printJobFile(folder.write("piped.txt", job), piped);
  ASSERT_GT(piped.output().size(), 2000u);
  EXPECT_EQ(piped.operations, alone.operations);
  EXPECT_GT(piped.textsFromGlyphs, 1000);
}

TEST(PipedLayout, APrinterFailureStopsTheLayoutAndIsPassedOn) {
  for (int failAt : {1, 2000}) {
    PipingPrinter printer;
    printer.failAtText = failAt;
    std::istringstream in(longJob());
    try {
      layOutAlongside(in, printer, printer.measurerMaker());
      ADD_FAILURE() << "no failure at text " << failAt;
    } catch (const JobError& error) {
      EXPECT_STREQ(error.what(), "the printer jammed");
    }
    const Lines output = printer.output();
    EXPECT_EQ(std::count_if(output.begin(), output.end(),
                            [](const std::string& op) { return op.starts_with("text "); }),
              failAt - 1);
  }
}

std::string layoutErrorOf(const std::string& job, bool piped) {
  std::istringstream in(job);
  RecordingPrinter printer;
  try {
    if (piped) {
      layOutAlongside(in, printer, PipingPrinter().measurerMaker());
    } else {
      JobReader reader(in);
      Layout layout(printer);
      while (auto record = reader.next()) layout.print(*record);
    }
  } catch (const RecordError& error) {
    return error.what();
  }
  return "no error";
}

TEST(PipedLayout, AnErrorOfTheLayoutIsPassedOnAsItIs) {
  for (const char* last : {"1,1,5,10,20,0,0,0,0,0,0,0,1,\"open\n", "0,1,0,9,130\n"}) {
    const std::string job = longJob() + last;
    EXPECT_NE(layoutErrorOf(job, false), "no error");
    EXPECT_EQ(layoutErrorOf(job, true), layoutErrorOf(job, false));
  }
}

}  // namespace
}  // namespace pagette
