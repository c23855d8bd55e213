#include "app/window_commands.h"

#include "period/computed_values.h"
#include "period/period_hold.h"
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
  // "Hayır" takes the stored declaration: the close then has nothing to write.
  commands.saveDeclaration = [](form::Form& form, std::string_view periodKey) {
    period::SaveDeclarationAskingFirst(form, periodKey);
  };
  commands.holdPeriod = period::holdOpenPeriod;
  return commands;
}

}  // namespace app
