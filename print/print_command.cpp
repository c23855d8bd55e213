#include "print/print_command.h"

#include <filesystem>
#include <system_error>

#include "period/io_error.h"
#include "period/path_text.h"
#include "period/store.h"
#include "print/print_file.h"

namespace print {

std::string printProgramNotStartedMessage(const std::string& program) {
  return "Yazdırma programı başlatılamadı: " + program;
}

void printDeclaration(form::Form& form, const std::string& periodKey, const std::string& program,
                      const std::string& fallback) {
  // After "Hayır" the form holds the stored declaration: that one is printed.
  period::SaveDeclarationAskingFirst(form, periodKey);
  WritePrintFile(form);
  // Where the payroll package is installed its print program lays the paper
  // out; elsewhere ours does. A print that silently goes nowhere would leave
  // the accountant without the declaration on paper and without knowing it.
  std::error_code ignored;
  if (std::filesystem::exists(period::pathOfText(program), ignored) && startPrintProgram(program)) {
    return;
  }
  if (!fallback.empty() && startPrintProgram(fallback)) return;
  throw period::Error(printProgramNotStartedMessage(program));
}

}  // namespace print
