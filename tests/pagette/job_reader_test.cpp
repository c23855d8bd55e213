#include "job_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "job_error.h"
#include "job_records.h"
#include "record_error_cases.h"

namespace pagette {
namespace {

using testing::readRecords;
using testing::RecordErrorCase;

std::vector<double> numbersOf(const JobRecord& record) {
  return {record.numbers.begin(), record.numbers.end()};
}

TEST(JobReader, ReadsTheTextField) {
  struct Case {
    std::string field14;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"\"plain\"", "plain"},
      {"\"with, two, commas\"", "with, two, commas"},
      {"\"~quoted~ word\"", "\"quoted\" word"},
      {"\"trailing blanks   \"", "trailing blanks"},
      {"\"ends in a tilde and blanks ~  \"", "ends in a tilde and blanks \""},
      {"\"  leading blanks stay\"", "  leading blanks stay"},
      {"\"\"", ""},
      {"unquoted text  ", "unquoted text"},
      {"", ""},
      {"\"\xDE"
       "ubat\"",
       "\xDE"
       "ubat"},
      {"\"a tab stays\t\"", "a tab stays\t"},
      {"  \"blanks around the quotes\"  ", "blanks around the quotes"},
  };
  for (const Case& c : cases) {
    auto records = readRecords("1,1,2,3,4,5,6,7,8,9,10,11,12," + c.field14 + "\r\n");
    ASSERT_EQ(records.size(), 1u) << c.field14;
    EXPECT_EQ(records[0].text, c.text) << c.field14;
  }
}

TEST(JobReader, ReadsTheNumberFields) {
  struct Case {
    std::string fields;
    std::vector<double> numbers;
  };
  const std::vector<Case> cases = {
      {"1,2,3,4,5,6,7,8,9,10,11,12,13", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
      {",,,,,,,,,,,,", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"1.5,-2,+3,.25,4.,1e3,2.5E-1, 7 ,8,9,10,11,0.001",
       {1.5, -2, 3, 0.25, 4, 1000, 0.25, 7, 8, 9, 10, 11, 0.001}},
      {"\"4\",2,3,4,5,6,7,8,9,10,11,12,13", {4, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
      {"1e-400,0,0,0,0,0,0,0,0,0,0,0,0", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      // Whole numbers of up to 15 digits are exact; longer ones round as doubles do.
      {"007,999999999999999,12345678901234567,0,0,0,0,0,0,0,0,0,0",
       {7, 999999999999999.0, 12345678901234567.0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    auto records = readRecords(c.fields + ",\"x\"\n");
    ASSERT_EQ(records.size(), 1u) << c.fields;
    EXPECT_EQ(numbersOf(records[0]), c.numbers) << c.fields;
  }
}

TEST(JobReader, SeparatesFieldsByCommasAndLineEnds) {
  struct Case {
    std::string name;
    std::string file;
    std::vector<std::string> texts;
    std::vector<std::vector<int>> lines;  // line of field 1 and of field 14 of each record
  };
  const std::vector<Case> cases = {
      {"CR LF", "1,1,,,,,,,,,,,,\"a\"\r\n1,1,,,,,,,,,,,,\"b\"\r\n", {"a", "b"}, {{1, 1}, {2, 2}}},
      {"LF", "1,1,,,,,,,,,,,,\"a\"\n1,1,,,,,,,,,,,,\"b\"\n", {"a", "b"}, {{1, 1}, {2, 2}}},
      {"CR", "1,1,,,,,,,,,,,,\"a\"\r1,1,,,,,,,,,,,,\"b\"\r", {"a", "b"}, {{1, 1}, {2, 2}}},
      {"no line end at the end", "1,1,,,,,,,,,,,,\"a\"", {"a"}, {{1, 1}}},
      {"a record over two lines", "1,1,0,0,0,0,0\n0,0,0,0,0,0,\"a\"\n", {"a"}, {{1, 2}}},
      {"one field a line", "1\n1\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n\"a\"\n", {"a"}, {{1, 14}}},
      {"blank lines between and after",
       "\n  \n1,1,,,,,,,,,,,,\"a\"\r\n\r\n \t\r\n1,1,,,,,,,,,,,,\"b\"\n\n\n",
       {"a", "b"},
       {{3, 3}, {6, 6}}},
      {"end-of-file mark",
       "1,1,,,,,,,,,,,,\"a\"\r\n\x1a"
       "1,1,,,,,,,,,,,,\"b\"\r\n",
       {"a"},
       {{1, 1}}},
      {"empty file", "", {}, {}},
      {"only blank lines", "\r\n\r\n  \n", {}, {}},
  };
  for (const Case& c : cases) {
    auto records = readRecords(c.file);
    ASSERT_EQ(records.size(), c.texts.size()) << c.name;
    for (std::size_t i = 0; i < records.size(); ++i) {
      EXPECT_EQ(records[i].text, c.texts[i]) << c.name;
      EXPECT_EQ(records[i].lineOf(1), c.lines[i][0]) << c.name;
      EXPECT_EQ(records[i].lineOf(14), c.lines[i][1]) << c.name;
    }
  }
}

TEST(JobReader, NamesTheLineAndFieldOfABadRecord) {
  const std::vector<RecordErrorCase> cases = {
      {"a word for a number", "1,1,,,,,,,,,,,,\"a\"\n1,1,2,abc,,,,,,,,,,\"b\"\n", 2, 4,
       "\"abc\" is not a number"},
      {"a decimal comma", "1,1,2,\"3,5\",,,,,,,,,,\"b\"\n", 1, 4, "\"3,5\" is not a number"},
      {"infinity", "inf,1,,,,,,,,,,,,\"a\"\n", 1, 1, "\"inf\" is not a number"},
      {"two signs", "1,--1,,,,,,,,,,,,\"a\"\n", 1, 2, "\"--1\" is not a number"},
      {"a number too large", "1,1,1e400,,,,,,,,,,,\"a\"\n", 1, 3, "\"1e400\" is out of range"},
      {"a text without its closing quote", "1,1,,,,,,,,,,,,\"abc\n", 1, 14,
       "the text has no closing quote"},
      {"characters after the closing quote", "1,1,,,,,,,,,,,,\"abc\"def\n", 1, 14,
       "characters follow the closing quote"},
      {"a short last record", "1,1,,,,,,,,,,,,\"a\"\n1,1,2,3\n", 2, 5,
       "the file ends after 4 of the 14 fields of a record"},
      {"a short last record followed by blank lines", "1,1,2\n\n\n", 1, 4,
       "the file ends after 3 of the 14 fields of a record"},
  };
  testing::expectRecordErrors(cases, [](const std::string& job) { readRecords(job); });
}

TEST(JobReader, ShortensLongFieldsInItsMessages) {
  std::string word(100, 'x');
  try {
    readRecords("1," + word + ",,,,,,,,,,,,\"a\"\n");
    FAIL() << "no error";
  } catch (const RecordError& e) {
    EXPECT_EQ(std::string(e.what()),
              "line 1, field 2: \"" + std::string(40, 'x') + "...\" is not a number");
  }
}

// A binary file given as a job is found wrong after one record's worth of
// bytes, not after the whole file has been taken into memory; its bytes reach
// the message only as printable characters.
TEST(JobReader, StopsAtARecordLongerThanAnyProducerWritesAndShowsOnlyPrintableBytes) {
  const std::string nulBytes(4 << 20, '\0');
  const std::string longText = "1,1,,,,,,,,,,,,\"" + std::string(JobReader::kLongestRecord, 'x');
  const std::vector<RecordErrorCase> cases = {
      {"NUL bytes", nulBytes, 1, 1, "the record is longer than 65536 characters"},
      {"a text without end", "1,1,,,,,,,,,,,,\"a\"\n" + longText + "\"\n", 2, 14,
       "the record is longer than 65536 characters"},
      {"control characters and code page letters", "1,\x01\x1b[2J\xDD\\,,,,,,,,,,,,\"a\"\n", 1, 2,
       "\"\\x01\\x1B[2J\\xDD\\\\\" is not a number"},
      {"a few NUL bytes", std::string("1,1,\0\0", 6) + ",,,,,,,,,,\"a\"\n", 1, 3,
       "\"\\x00\\x00\" is not a number"},
  };
  testing::expectRecordErrors(cases, [](const std::string& job) { readRecords(job); });
}

}  // namespace
}  // namespace pagette
