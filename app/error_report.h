#pragma once

#include <QString>
#include <functional>
#include <string_view>

namespace app {

// The general error report: the one way an error that leaves an event handler
// reaches the user. The window shows a message box; tests record the texts.
class ErrorReport {
 public:
  virtual ~ErrorReport() = default;
  // Shows the report for an error message (UTF-8) and returns once the user
  // has acknowledged it.
  virtual void show(const QString& text) = 0;
};

// The message box: caption the application title, the error icon, an OK button.
class MessageBoxErrorReport : public ErrorReport {
 public:
  void show(const QString& text) override;
};

// The text of the report: the message, with "." added when its last
// character sorts after ".".
QString errorReportText(std::string_view utf8Message);

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

}  // namespace app
