#pragma once
// The check of a whole declaration over a print file: the declaration's rules
// fed by the file's line table, and the totals that do not add up.

#include <string>
#include <vector>

#include "muhtasar_print/declaration_job.h"
#include "muhtasar_print/print_file.h"

namespace muhtasar_print {

// One line a finding, UTF-8, "Hata" first: «Hata: <field> (BORDMHT1.DAT N.
// satır): <message>».
std::vector<std::string> checkLines(const PrintFile& file);

// The preview's report bar: the findings first, then what the paper says
// differently from the file (the totals that do not add up only once).
std::vector<std::string> previewReports(const PrintFile& file, const DeclarationPrint& print);

}  // namespace muhtasar_print
