#pragma once

#include <istream>
#include <optional>
#include <string>

#include "job_record.h"

namespace pagette {

// Reads a print job file as a stream of fields, 14 to a record. Fields are
// separated by commas or line ends; a record may therefore span lines, though
// producers write one record per line. Lines holding nothing but blanks are
// skipped. A byte 26 (the old end-of-file mark) ends the file.
class JobReader {
 public:
  explicit JobReader(std::istream& in) : in_(in.rdbuf()) {}

  // The next record, or nothing when the file has ended. Throws RecordError
  // for a field that is not a number, a text without its closing quote, a
  // record longer than kLongestRecord characters and a last record with fewer
  // than 14 fields.
  std::optional<JobRecord> next();

  // More characters than any producer writes in one record.
  static constexpr std::size_t kLongestRecord = 65536;

 private:
  struct RawField {
    std::string text;
    int line = 0;
  };

  int peek();
  void skip();
  void skipBlanks();
  void skipLineEnd();
  void checkRecordLength(int line, int field) const;
  bool skipBlankLinesUntilEnd();
  RawField readField(int field, int recordLine, int fieldsRead);

  std::streambuf* in_;
  int line_ = 1;
  std::size_t recordLength_ = 0;
  bool ended_ = false;
  // After a comma a field always follows, an empty one at least; after a line
  // end the next field may be on a later line or there may be none.
  bool afterLineEnd_ = true;
};

// The value of a number field: a plain decimal number with "." as decimal
// point, or nothing at all for 0. Throws RecordError for anything else.
double parseNumberField(const std::string& text, int line, int field);

}  // namespace pagette
