#include "print/print_command.h"

#include "period/store.h"
#include "print/print_file.h"

namespace print {

void printDeclaration(form::Form& form, const std::string& periodKey, const std::string& program) {
  period::SaveDeclaration(form, periodKey);
  WritePrintFile(form);
  // The print program reads the file by itself; nothing comes back from it.
  startPrintProgram(program);
}

}  // namespace print
