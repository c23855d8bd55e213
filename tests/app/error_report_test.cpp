#include "app/qt/error_report.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "app/qt/cp1254_text.h"

namespace {

struct ReportCase {
  const char* message;  // UTF-8
  const char* shown;
};

class ErrorReportText : public testing::TestWithParam<ReportCase> {};

TEST_P(ErrorReportText, AddsAFullStopAfterACharacterThatSortsAfterIt) {
  EXPECT_EQ(app::errorReportText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Messages, ErrorReportText,
                         testing::Values(ReportCase{"File not found", "File not found."},
                                         ReportCase{"I/O error 112", "I/O error 112."},
                                         ReportCase{"Unable to write to /tmp/a/",
                                                    "Unable to write to /tmp/a/."},
                                         ReportCase{"Already ends.", "Already ends."},
                                         ReportCase{"Careful !!!", "Careful !!!"},
                                         ReportCase{"(see above)", "(see above)"},
                                         ReportCase{"a-", "a-"}, ReportCase{"", ""},
                                         ReportCase{"'x' is not a valid boolean value",
                                                    "'x' is not a valid boolean value."},
                                         ReportCase{"Kayıt bulunamadı ş", "Kayıt bulunamadı ş."}));

class RecordingReport : public app::ErrorReport {
 public:
  void show(const std::string& text) override { texts << QString::fromStdString(text); }
  QStringList texts;
};

TEST(HandlerEdge, ReportsWhatLeavesTheHandlerAndSaysSo) {
  RecordingReport report;
  const app::HandlerEdge edge(report);
  EXPECT_TRUE(edge.run([] {}));
  EXPECT_FALSE(edge.run([] { throw std::runtime_error("File access denied"); }));
  EXPECT_FALSE(edge.run([] { throw 42; }));
  ASSERT_EQ(report.texts.size(), 2);
  EXPECT_EQ(report.texts[0], "File access denied.");
  EXPECT_FALSE(report.texts[1].isEmpty());
}

TEST(Cp1254Text, EveryByteCrossesTheEdgeAndComesBack) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const QString shown = app::fromCp1254(all);
  ASSERT_EQ(shown.size(), 256);
  EXPECT_EQ(app::toCp1254(shown), all);
  EXPECT_EQ(shown[0xD0], QChar(u'Ğ'));
  EXPECT_EQ(shown[0xFD], QChar(u'ı'));
  EXPECT_EQ(shown[0x80], QChar(u'€'));
}

TEST(Cp1254Text, ACharacterWithoutAPlaceBecomesAQuestionMark) {
  EXPECT_EQ(app::toCp1254(QString::fromUtf8("ж😀a")), "??a");
}

}  // namespace
