#pragma once

#include <cctype>
#include <string>

namespace testing_support {

// The name of a parameterised case from its description: letters and digits
// only, as test names allow. Cases with a `name` member use it directly as
// the last argument of INSTANTIATE_TEST_SUITE_P.
inline std::string caseName(const char* description) {
  std::string name;
  for (const char* p = description; *p; ++p) {
    if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
  }
  return name;
}

struct CaseName {
  template <class ParamInfo>
  std::string operator()(const ParamInfo& info) const {
    return caseName(info.param.name);
  }
};

}  // namespace testing_support
