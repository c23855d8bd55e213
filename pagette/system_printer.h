#pragma once

#include <QPrinter>
#include <QPrinterInfo>
#include <QString>
#include <memory>

namespace pagette {

// How a finished document reaches the system's print queue differs between
// systems; so does what tells whether the queue took it.
class PrintQueueHandOff {
 public:
  virtual ~PrintQueueHandOff() = default;
  // Called once the document has been ended. Throws JobError when the queue
  // does not take it, so that the job is not reported as printed.
  virtual void send() = 0;
};

struct SystemPrinter {
  std::unique_ptr<QPrinter> printer;
  // Empty where the printer itself delivers the document when it ends.
  std::unique_ptr<PrintQueueHandOff> handOff;
};

// The document for a printer of the system, under the job's name.
SystemPrinter openSystemPrinter(const QPrinterInfo& info, const QString& documentName);

}  // namespace pagette
