#include "app/window_commands.h"

#include "period/computed_values.h"
#include "period/startup.h"
#include "period/store.h"
#include "print/print_command.h"

namespace app {

WindowCommands WindowCommands::program() {
  WindowCommands commands;
  commands.startUp = period::StartUp;
  commands.updateComputedValues = period::UpdateComputedValues;
  commands.carryOverPrevious = period::CarryOverPrevious;
  commands.printDeclaration = [](form::Form& form, const std::string& periodKey) {
    print::printDeclaration(form, periodKey);
  };
  commands.saveDeclaration = period::SaveDeclaration;
  return commands;
}

}  // namespace app
