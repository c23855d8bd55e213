#include "system_printer.h"

namespace pagette {

// Windows' own print engine delivers the document when it ends and reports a
// refusal as the printer's error state, which the Qt printer looks at.
SystemPrinter openSystemPrinter(const QPrinterInfo& info, const QString& documentName) {
  auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  printer->setDocName(documentName);
  return {std::move(printer), nullptr};
}

}  // namespace pagette
