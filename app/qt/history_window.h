#pragma once
// The window "Beyanname Geçmişi" of the Qt face: the period's versions on
// the left, the selected one's differences from the form on the right.

#include <optional>

#include "app/history_view.h"

class QWidget;

namespace app {

// Shows the versions, the newest selected, until Enter or "Geri Yükle"
// chooses one (returned) or Esc closes the window (nothing returned).
std::optional<period::Version> showHistory(QWidget* parent, const HistoryView& view,
                                           const form::Form& form);

}  // namespace app
