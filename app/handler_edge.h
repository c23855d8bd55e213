#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace app {

// The general error report: the one way an error that leaves an event handler
// reaches the user. Each window shows a message box; tests record the texts.
class ErrorReport {
 public:
  virtual ~ErrorReport() = default;
  // Shows the report's text (UTF-8) and returns once the user has acknowledged it.
  virtual void show(const std::string& text) = 0;
};

// The text of the report: the message, with "." added when its last
// character sorts after ".".
std::string errorReportText(std::string_view utf8Message);

// The edge of every event handler: runs the handler, and when an error leaves
// it, shows the report and returns false so the caller can cancel what the
// handler was part of (a close). The program then goes on.
class HandlerEdge {
 public:
  explicit HandlerEdge(ErrorReport& report) : report_(report) {}
  bool run(const std::function<void()>& handler) const;

 private:
  ErrorReport& report_;
};

// The close path of every window: the save, through the edge. The window
// closes when the save went through, or when it failed and the user chose to
// leave without saving; "İptal" at the question before overwriting another
// window's save keeps it open and asks nothing more.
bool closesAfterSave(const HandlerEdge& edge, const std::function<void()>& save,
                     const std::function<bool()>& exitWithoutSaving);

}  // namespace app
