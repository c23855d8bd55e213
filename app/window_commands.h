#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "period/carry_over.h"

namespace form {
class Form;
}

namespace app {

// The operations the window runs from its events and menu, over the form and
// the period key. The program uses the real ones; tests put in their own.
struct WindowCommands {
  std::function<void(form::Form&, std::string&)> startUp;
  std::function<void(form::Form&, std::string&)> updateComputedValues;
  std::function<void(form::Form&, const std::string&, period::CarryOverNotice&)> carryOverPrevious;
  std::function<void(form::Form&, const std::string&)> printDeclaration;
  // The save on close, which asks first where another window saved meanwhile.
  std::function<void(form::Form&, std::string_view)> saveDeclaration;

  // Holds the period for this window; true when another window held it already.
  std::function<bool(const std::string&)> holdPeriod;

  static WindowCommands program();
};

}  // namespace app
