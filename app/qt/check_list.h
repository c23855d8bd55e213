#pragma once
// The window "Beyanname Kontrolü" of the Qt face: the check's findings, one a
// line.

#include <string>
#include <vector>

#include "check/form_values.h"

class QWidget;

namespace app {

// Shows the lines until Enter or a double click chooses one (its field is
// returned) or Esc closes the list (nothing is returned).
std::string showCheckList(QWidget* parent, const std::vector<check::CheckLine>& lines);

}  // namespace app
