#include "piped_layout.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "job_reader.h"
#include "layout.h"

namespace pagette {
namespace {

// One call of the layout to the printer.
struct Call {
  enum class Kind : std::uint8_t {
    PaperSize,  // answered
    Orientation,
    PageSize,  // answered
    FontName,
    FontCharset,
    FontSize,
    Bold,
    Italic,
    Foreground,
    FillColour,
    FillStyle,
    LineWidth,
    Text,
    Glyphs,
    Line,
    Rectangle,
    Filled,
    NewPage,
  };
  Kind kind;
  int number = 0;
  float x1 = 0;
  float y1 = 0;
  float x2 = 0;
  float y2 = 0;
  Rgb colour{};
  std::string text{};
  // Glyphs: where the text's glyphs lie in the batch's.
  std::size_t firstGlyph = 0;
  std::size_t glyphCount = 0;
};

// Calls pass in batches; the glyphs of all texts of a batch lie together.
struct Batch {
  std::vector<Call> calls;
  std::vector<std::uint32_t> glyphs;
  std::vector<double> starts;

  bool empty() const { return calls.empty(); }
};

// Enough calls in one batch that the threads seldom meet, few enough batches
// under way that memory stays small whatever the job's length.
constexpr std::size_t kCallsPerBatch = 512;
constexpr std::size_t kBatchesUnderWay = 8;

// Thrown on the layout's thread when the printer's thread has given up.
struct Abandoned {};

// What passes between the layout's thread and the printer's.
class Channel {
 public:
  void send(Batch batch) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return abandoned_ || batches_.size() < kBatchesUnderWay; });
    if (abandoned_) throw Abandoned{};
    batches_.push_back(std::move(batch));
    waiting_.store(batches_.size(), std::memory_order_relaxed);
    changed_.notify_all();
  }

  // Whether the printer's thread has more work waiting than it needs to keep
  // going; read without the lock, as a hint.
  bool printerHasWorkWaiting() const {
    return waiting_.load(std::memory_order_relaxed) >= kBatchesUnderWay / 2;
  }

  // The next batch, or nothing once the layout has ended and every batch is taken.
  std::optional<Batch> receive() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return ended_ || !batches_.empty(); });
    if (batches_.empty()) return std::nullopt;
    Batch batch = std::move(batches_.front());
    batches_.pop_front();
    waiting_.store(batches_.size(), std::memory_order_relaxed);
    changed_.notify_all();
    return batch;
  }

  struct Answer {
    bool accepted = false;
    PageSize size{};
  };

  Answer awaitAnswer() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return abandoned_ || answer_.has_value(); });
    if (abandoned_) throw Abandoned{};
    Answer answer = *answer_;
    answer_.reset();
    return answer;
  }

  void answer(Answer answer) {
    std::lock_guard lock(mutex_);
    answer_ = answer;
    changed_.notify_all();
  }

  void end(std::exception_ptr failure) {
    std::lock_guard lock(mutex_);
    ended_ = true;
    failure_ = std::move(failure);
    changed_.notify_all();
  }

  void abandon() {
    std::lock_guard lock(mutex_);
    abandoned_ = true;
    changed_.notify_all();
  }

  std::exception_ptr failure() {
    std::lock_guard lock(mutex_);
    return failure_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Batch> batches_;
  std::atomic<std::size_t> waiting_ = 0;
  std::optional<Answer> answer_;
  bool ended_ = false;
  bool abandoned_ = false;
  std::exception_ptr failure_;
};

// The printer as the layout's thread sees it: texts are measured here, and
// every other call goes to the printer's thread. Paper sizes are asked of the
// printer itself, which alone knows them.
class PipedPrinter : public Printer {
 public:
  PipedPrinter(Measurer& measurer, Channel& channel) : measurer_(measurer), channel_(channel) {}

  bool setPaperSize(int code) override {
    add({.kind = Call::Kind::PaperSize, .number = code});
    return ask().accepted;
  }
  void setOrientation(Orientation orientation) override {
    add({.kind = Call::Kind::Orientation, .number = static_cast<int>(orientation)});
  }
  PageSize pageSize() override {
    add({.kind = Call::Kind::PageSize});
    return ask().size;
  }
  void setFontName(const std::string& name) override {
    measurer_.setFontName(name);
    add({.kind = Call::Kind::FontName, .text = name});
  }
  void setFontCharset(int charset) override {
    add({.kind = Call::Kind::FontCharset, .number = charset});
  }
  void setFontSize(float points) override {
    measurer_.setFontSize(points);
    add({.kind = Call::Kind::FontSize, .x1 = points});
  }
  void setBold(bool bold) override {
    measurer_.setBold(bold);
    add({.kind = Call::Kind::Bold, .number = bold ? 1 : 0});
  }
  void setItalic(bool italic) override {
    measurer_.setItalic(italic);
    add({.kind = Call::Kind::Italic, .number = italic ? 1 : 0});
  }
  void setForeground(Rgb colour) override {
    add({.kind = Call::Kind::Foreground, .colour = colour});
  }
  void setFillColour(Rgb colour) override {
    add({.kind = Call::Kind::FillColour, .colour = colour});
  }
  void setFillStyle(int style) override { add({.kind = Call::Kind::FillStyle, .number = style}); }
  void setLineWidth(int width) override { add({.kind = Call::Kind::LineWidth, .number = width}); }
  // Shaping a text costs about as much as drawing it. While the printer's
  // thread has work waiting, this thread is ahead and would soon wait for
  // room: it shapes the texts it measures instead, and the printer's thread
  // draws their glyphs. Either way the document is the same.
  double textWidth(const std::string& text) override {
    measurer_.shapeTexts(channel_.printerHasWorkWaiting());
    return measurer_.textWidth(text);
  }
  std::size_t fittingLength(const std::string& text, double width) override {
    return measurer_.fittingLength(text, width);
  }
  void printText(float x, float y, const std::string& text) override {
    const std::size_t first = batch_.glyphs.size();
    if (measurer_.shape(text, batch_.glyphs, batch_.starts)) {
      add({.kind = Call::Kind::Glyphs,
           .x1 = x,
           .y1 = y,
           .text = text,
           .firstGlyph = first,
           .glyphCount = batch_.glyphs.size() - first});
    } else {
      add({.kind = Call::Kind::Text, .x1 = x, .y1 = y, .text = text});
    }
  }
  void drawLine(float x1, float y1, float x2, float y2) override {
    add({.kind = Call::Kind::Line, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2});
  }
  void drawRectangle(float x1, float y1, float x2, float y2) override {
    add({.kind = Call::Kind::Rectangle, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2});
  }
  void fillRectangle(float x1, float y1, float x2, float y2) override {
    add({.kind = Call::Kind::Filled, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2});
  }
  void newPage() override { add({.kind = Call::Kind::NewPage}); }
  // The document is ended by whoever started the layout, on the printer's thread.
  void endDocument() override {}

  void flush() {
    if (batch_.empty()) return;
    channel_.send(std::move(batch_));
    batch_ = Batch();
  }

 private:
  void add(Call call) {
    if (batch_.calls.capacity() == 0) batch_.calls.reserve(kCallsPerBatch);
    batch_.calls.push_back(std::move(call));
    if (batch_.calls.size() == kCallsPerBatch) flush();
  }

  Channel::Answer ask() {
    flush();
    return channel_.awaitAnswer();
  }

  Measurer& measurer_;
  Channel& channel_;
  Batch batch_;
};

void layOutOnThisThread(std::istream& job, const MeasurerMaker& makeMeasurer, Channel& channel) {
  std::exception_ptr failure;
  try {
    std::unique_ptr<Measurer> measurer = makeMeasurer();
    PipedPrinter printer(*measurer, channel);
    JobReader reader(job);
    Layout layout(printer);
    while (std::optional<JobRecord> record = reader.next()) layout.print(*record);
    printer.flush();
  } catch (const Abandoned&) {
  } catch (...) {
    failure = std::current_exception();
  }
  channel.end(failure);
}

void hand(const Call& call, const Batch& batch, Printer& printer, Channel& channel) {
  switch (call.kind) {
    case Call::Kind::PaperSize:
      channel.answer({.accepted = printer.setPaperSize(call.number)});
      break;
    case Call::Kind::Orientation:
      printer.setOrientation(static_cast<Orientation>(call.number));
      break;
    case Call::Kind::PageSize:
      channel.answer({.size = printer.pageSize()});
      break;
    case Call::Kind::FontName:
      printer.setFontName(call.text);
      break;
    case Call::Kind::FontCharset:
      printer.setFontCharset(call.number);
      break;
    case Call::Kind::FontSize:
      printer.setFontSize(call.x1);
      break;
    case Call::Kind::Bold:
      printer.setBold(call.number != 0);
      break;
    case Call::Kind::Italic:
      printer.setItalic(call.number != 0);
      break;
    case Call::Kind::Foreground:
      printer.setForeground(call.colour);
      break;
    case Call::Kind::FillColour:
      printer.setFillColour(call.colour);
      break;
    case Call::Kind::FillStyle:
      printer.setFillStyle(call.number);
      break;
    case Call::Kind::LineWidth:
      printer.setLineWidth(call.number);
      break;
    case Call::Kind::Text:
      printer.printText(call.x1, call.y1, call.text);
      break;
    case Call::Kind::Glyphs:
      printer.printGlyphs(
          call.x1, call.y1, call.text,
          {.numbers = std::span(batch.glyphs).subspan(call.firstGlyph, call.glyphCount),
           .starts = std::span(batch.starts).subspan(call.firstGlyph, call.glyphCount)});
      break;
    case Call::Kind::Line:
      printer.drawLine(call.x1, call.y1, call.x2, call.y2);
      break;
    case Call::Kind::Rectangle:
      printer.drawRectangle(call.x1, call.y1, call.x2, call.y2);
      break;
    case Call::Kind::Filled:
      printer.fillRectangle(call.x1, call.y1, call.x2, call.y2);
      break;
    case Call::Kind::NewPage:
      printer.newPage();
      break;
  }
}

}  // namespace

void layOutAlongside(std::istream& job, Printer& printer, const MeasurerMaker& makeMeasurer) {
  Channel channel;
  std::thread layingOut(layOutOnThisThread, std::ref(job), std::cref(makeMeasurer),
                        std::ref(channel));
  try {
    while (std::optional<Batch> batch = channel.receive()) {
      for (const Call& call : batch->calls) hand(call, *batch, printer, channel);
    }
  } catch (...) {
    channel.abandon();
    layingOut.join();
    throw;
  }
  layingOut.join();
  if (std::exception_ptr failure = channel.failure()) std::rethrow_exception(failure);
}

}  // namespace pagette
