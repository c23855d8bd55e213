#pragma once

#include "app/handler_edge.h"

namespace app {

// The message box: caption the application title, the error icon, an OK button.
class MessageBoxErrorReport : public ErrorReport {
 public:
  void show(const std::string& text) override;
};

}  // namespace app
