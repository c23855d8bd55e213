#pragma once

#include <string>

#include "muhtasar_print/print_file.h"

namespace muhtasar_print {

// The paper form 1003 as a pagette print job (code page 1254, one record a
// line): page 1 the header, the taxpayer block, the period panel, Tables I and
// II and the signatory panels; the following pages Table III, the payee rows
// that hold anything, with the column heads on every page. Places and
// captions come from the form's catalogue, so paper and screen agree.
std::string declarationJob(const PrintFile& file);

// A file name for the PDF of a declaration: the period and the taxpayer's
// name, in UTF-8, without characters that a file name cannot hold.
std::string pdfFileName(const PrintFile& file);

}  // namespace muhtasar_print
