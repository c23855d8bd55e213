#include "finding.h"

#include <cstdio>
#include <cstdlib>

namespace fuzz {

void fail(const std::string& what) {
  std::fprintf(stderr, "FINDING: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

}  // namespace fuzz
