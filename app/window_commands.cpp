#include "app/window_commands.h"

#include "period/computed_values.h"
#include "period/history.h"
#include "period/period_hold.h"
#include "period/startup.h"
#include "period/store.h"
#include "print/print_command.h"

namespace app {

WindowCommands WindowCommands::program() {
  WindowCommands commands;
  commands.startUp = period::StartUp;
  // The two commands that write over the form keep it in the history first,
  // and what went to paper is kept as printed.
  commands.updateComputedValues = [](form::Form& form, std::string& periodKey) {
    period::keepFormVersion(form, periodKey, period::VersionReason::BeforeUpdate);
    period::UpdateComputedValues(form, periodKey);
  };
  commands.carryOverPrevious = [](form::Form& form, const std::string& periodKey,
                                  period::CarryOverNotice& notice) {
    // The carry-over saves first; its save is done here, so that the version
    // kept is the form just before the rows are written over.
    period::SaveDeclarationAskingFirst(form, periodKey);
    period::keepFormVersion(form, periodKey, period::VersionReason::BeforeCarryOver);
    period::CarryOverPrevious(form, periodKey, notice);
  };
  commands.printDeclaration = [](form::Form& form, const std::string& periodKey) {
    print::printDeclaration(form, periodKey);
    period::keepFormVersion(form, periodKey, period::VersionReason::Printed);
  };
  // "Hayır" takes the stored declaration: the close then has nothing to write.
  commands.saveDeclaration = [](form::Form& form, std::string_view periodKey) {
    period::SaveDeclarationAskingFirst(form, periodKey);
  };
  commands.holdPeriod = period::holdOpenPeriod;
  return commands;
}

}  // namespace app
