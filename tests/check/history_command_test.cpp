// muhtasar-print --history: the versions listed, and a printed version put on
// paper again exactly as its print file was.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "form/form.h"
#include "muhtasar_print/print_command.h"
#include "period/history.h"
#include "period/store.h"
#include "print/print_file.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::readFile;

TEST(HistoryCommand, ListsTheVersionsOfEveryPeriod) {
  testing_support::ScratchDir dir;
  testing_support::writeFile("muhtasar-gecmis.ini",
                             readFile(std::string(MUHTASAR_TESTDATA_DIR) + "/history/saves_update_print.ini"));
  std::ostringstream out, errors;
  EXPECT_EQ(muhtasar_print::runHistoryList(out, errors), 0);
  EXPECT_EQ(out.str(),
            "1  2026101112  2026-12-09 10:00:00  Kaydetmeden önce\n"
            "2  2026101112  2026-12-09 10:00:01  Güncellemeden önce\n"
            "3  2026101112  2026-12-09 10:00:02  Yazdırıldı\n"
            "4  2026070809  2026-12-09 10:00:03  Yazdırıldı\n");
}

TEST(HistoryCommand, PrintsAVersionAsItsPrintFileWas) {
  testing_support::ScratchDir dir;
  form::Form form;
  form.edit("Edit1").setText("KADIK\xD6Y");
  form.maskEdit("MaskEdit1").setText("      1,234.50");
  period::SaveDeclaration(form, "2026101112");
  print::WritePrintFile(form);
  period::keepFormVersion(form, "2026101112", period::VersionReason::Printed);
  form.edit("Edit1").setText("changed since");
  period::SaveDeclaration(form, "2026101112");

  const auto run = [](std::vector<std::string> arguments) {
    std::ostringstream errors;
    return muhtasar_print::runWithoutWindow(muhtasar_print::parsePrintCommand(arguments), {}, errors);
  };
  EXPECT_EQ(run({"--job", "from-print-file.job"}), 0);
  EXPECT_EQ(run({"--history", "1", "--job", "from-history.job"}), 0);
  EXPECT_EQ(readFile("from-history.job"), readFile("from-print-file.job"));
  EXPECT_NE(run({"--history", "3", "--job", "none.job"}), 0);
  EXPECT_EQ(muhtasar_print::parsePrintCommand({"--history", "0", "--job", "x"}).kind,
            muhtasar_print::PrintCommand::Kind::Usage);
}

}  // namespace
