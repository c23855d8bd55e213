#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "job_error.h"

namespace pagette::testing {

// A job that must fail with a record error naming this line, field and reason.
struct RecordErrorCase {
  std::string name;
  std::string job;
  int line;
  int field;
  std::string reason;
};

// Hands every case's job to `run` and checks the record error it ends in.
template <typename Run>
void expectRecordErrors(const std::vector<RecordErrorCase>& cases, Run run) {
  for (const RecordErrorCase& c : cases) {
    try {
      run(c.job);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const RecordError& e) {
      EXPECT_EQ(e.line(), c.line) << c.name;
      EXPECT_EQ(e.field(), c.field) << c.name;
      EXPECT_EQ(std::string(e.what()), "line " + std::to_string(c.line) + ", field " +
                                           std::to_string(c.field) + ": " + c.reason)
          << c.name;
    }
  }
}

}  // namespace pagette::testing
