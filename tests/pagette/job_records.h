#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "job_reader.h"

namespace pagette::testing {

// Every record of a job file, read in one go; a bad record throws as it does
// for the program.
inline std::vector<JobRecord> readRecords(const std::string& job) {
  std::istringstream in(job);
  JobReader reader(in);
  std::vector<JobRecord> records;
  while (auto record = reader.next()) records.push_back(*record);
  return records;
}

}  // namespace pagette::testing
