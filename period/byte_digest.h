#pragma once

#include <cstdint>
#include <string_view>

namespace period {

// FNV-1a over bytes: tells bytes apart that should be the same (a journal not
// written whole, a section another window saved), not a secret.
constexpr std::uint64_t digestOfBytes(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return hash;
}

}  // namespace period
