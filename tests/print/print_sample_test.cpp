#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "form/form.h"
#include "period/computed_values.h"
#include "print/print_file.h"
#include "support/scratch_dir.h"

namespace print {
namespace {

using testing_support::readFile;
using testing_support::ScratchDir;

// The declaration that the sample payroll summary fills in, printed: the print
// program's view of a typical month.
TEST(PrintFile, DeclarationFromTheSamplePayrollSummary) {
  ScratchDir dir;
  std::filesystem::copy_file(std::string(MUHTASAR_EXAMPLES_DIR) + "/BORDMHT.DAT", "BORDMHT.DAT");
  form::Form form;
  std::string periodKey;
  period::UpdateComputedValues(form, periodKey);
  ASSERT_EQ(periodKey, "2026101112");

  WritePrintFile(form);
  EXPECT_EQ(readFile(kPrintFile),
            readFile(std::string(MUHTASAR_TESTDATA_DIR) + "/print/sample_declaration.dat"));
}

}  // namespace
}  // namespace print
