#include "app/handler_edge.h"

#include <exception>
#include <optional>

#include "period/history.h"
#include "period/rewrite_journal.h"
#include "period/store.h"

namespace app {

std::string errorReportText(std::string_view utf8Message) {
  std::string text(utf8Message);
  // A letter beyond ASCII ends in a byte of 0x80 or more, and sorts after "." too.
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

bool HandlerEdge::run(const std::function<void()>& handler) const {
  bool ran = false;
  try {
    handler();
    ran = true;
  } catch (const period::CommandCancelled&) {
    // The user's own choice at a question: nothing to report.
  } catch (const std::exception& error) {
    report_.show(errorReportText(error.what()));
  } catch (...) {
    report_.show(errorReportText("Unknown error"));
  }
  // A store put back after a cut-off rewrite is told of once, in the same box.
  if (const std::optional<std::string> notice = period::takeUndoneRewriteNotice())
    report_.show(errorReportText(*notice));
  // So is a version the history could not keep: the command itself went on.
  if (const std::optional<std::string> notice = period::takeHistoryNotice())
    report_.show(errorReportText(*notice));
  return ran;
}

bool closesAfterSave(const HandlerEdge& edge, const std::function<void()>& save,
                     const std::function<bool()>& exitWithoutSaving) {
  bool cancelled = false;
  const bool saved = edge.run([&] {
    try {
      save();
    } catch (const period::CommandCancelled&) {
      cancelled = true;  // the window stays, nothing was saved
    }
  });
  return !cancelled && (saved || (exitWithoutSaving && exitWithoutSaving()));
}

}  // namespace app
