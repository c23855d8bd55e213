#pragma once

#include <cstdio>
#include <string>

namespace period {

// Reads the payroll summary file line by line, with the line rules of the
// payroll package's files: a line ends at LF or CR LF; a CR that no LF follows
// is dropped and the line goes on; character 26 ends the file, and every line
// after it reads as empty, as does every line past the end. Lines may be of
// any length.
class PayrollSummaryReader {
 public:
  // Opens the file for reading; throws the input/output error of the failure
  // ("File not found" for a missing file).
  explicit PayrollSummaryReader(const std::string& path);
  ~PayrollSummaryReader();
  PayrollSummaryReader(const PayrollSummaryReader&) = delete;
  PayrollSummaryReader& operator=(const PayrollSummaryReader&) = delete;

  // The next line without its end; throws the input/output error of a failed read.
  std::string readLine();

 private:
  // Fills the buffer; false at the end of the file.
  bool refill();

  std::FILE* file_ = nullptr;
  bool ended_ = false;
  std::string buffer_;
  size_t position_ = 0;
  size_t size_ = 0;
};

}  // namespace period
