#pragma once

#include <string>
#include <vector>

#include "muhtasar_print/print_file.h"

namespace muhtasar_print {

// The paper form 1003 as a pagette print job (code page 1254, one record a
// line): page 1 the header, the taxpayer block, the period panel, Tables I and
// II and the signatory panels; the following pages Table III, the payee rows
// that hold anything, with the taxpayer, the period and the column heads on
// every page. Places and captions come from the form's catalogue, so paper and
// screen agree. Every page is numbered «Sayfa i/N».
struct DeclarationPrint {
  std::string job;
  // What the paper says differently from the file, one line each, UTF-8: a
  // value cut because it fits nowhere, a minus sign put back, a total that
  // does not add up. They go beside the paper, never onto it.
  std::vector<std::string> reports;
};

DeclarationPrint declarationPrint(const PrintFile& file);

inline std::string declarationJob(const PrintFile& file) {
  return declarationPrint(file).job;
}

// A file name for the PDF of a declaration: the period and the taxpayer's
// name, in UTF-8, without characters that a file name cannot hold.
std::string pdfFileName(const PrintFile& file);

// The title of that PDF: its file name without ".pdf".
std::string pdfTitle(const PrintFile& file);

}  // namespace muhtasar_print
