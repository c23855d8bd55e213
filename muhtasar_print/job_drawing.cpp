#include "muhtasar_print/job_drawing.h"

#include <sstream>

#include "job_reader.h"
#include "layout.h"

namespace muhtasar_print {

void drawJob(const std::string& job, pagette::Printer& printer) {
  std::istringstream in(job);
  pagette::JobReader reader(in);
  pagette::Layout layout(printer);
  while (std::optional<pagette::JobRecord> record = reader.next()) layout.print(*record);
  printer.endDocument();
}

}  // namespace muhtasar_print
