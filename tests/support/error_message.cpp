#include "support/error_message.h"

#include "period/io_error.h"

namespace testing_support {

std::string errorMessage(const std::function<void()>& command) {
  try {
    command();
  } catch (const period::Error& error) {
    return error.what();
  }
  return "no error";
}

}  // namespace testing_support
