#pragma once

#include <string>

namespace fuzz {

// Stops the fuzzer with a message: the input that got here is a finding.
[[noreturn]] void fail(const std::string& what);

}  // namespace fuzz
