#pragma once

#include <string>

#include "printer.h"

namespace muhtasar_print {

// Lays a print job out on a printer with pagette's own layout and ends the
// document: the preview, the PDF and pagette on paper draw the same records
// the same way. Throws pagette::JobError for a job pagette would refuse.
void drawJob(const std::string& job, pagette::Printer& printer);

}  // namespace muhtasar_print
