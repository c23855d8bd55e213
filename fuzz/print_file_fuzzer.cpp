// Fuzzes muhtasar-print's reading of a print file: any bytes are refused with
// a message, or laid out on paper and checked (--check) without a crash, and
// every finding of the check is one line that says its kind first.
#include <cstddef>
#include <cstdint>
#include <string>

#include "finding.h"
#include "muhtasar_print/declaration_job.h"
#include "muhtasar_print/print_file.h"
#include "muhtasar_print/print_file_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  muhtasar_print::PrintFile file;
  try {
    file = muhtasar_print::parsePrintFile(bytes, "BORDMHT1.DAT");
  } catch (const muhtasar_print::PrintFileError& refused) {
    if (std::string(refused.what()).empty()) fuzz::fail("a refusal without a message");
    return 0;
  }
  muhtasar_print::declarationPrint(file);
  for (const std::string& line : muhtasar_print::checkLines(file)) {
    if (line.rfind("Hata: ", 0) != 0 && line.rfind("Uyarı: ", 0) != 0)
      fuzz::fail("a finding without its kind: " + line);
    if (line.find('\n') != std::string::npos) fuzz::fail("a finding of two lines: " + line);
  }
  return 0;
}
