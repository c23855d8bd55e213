#pragma once

#include <functional>
#include <string>

namespace testing_support {

// The message the user would see from the command, or "no error" where it
// ran through.
std::string errorMessage(const std::function<void()>& command);

}  // namespace testing_support
