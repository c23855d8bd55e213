#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace period {

// Reads the first section of the name out of a profile file, from the file's
// current place to its end, through a buffer of about pieceSize bytes reused
// for every piece: a store of ten years is read in a few milliseconds, where
// holding it whole would first have to map thousands of fresh pages. Gives
// the section's bytes, from its header line up to the next section's header
// line (nothing when the file has no such section), or nullopt when reading
// fails.
std::optional<std::string> readSection(std::FILE* file, std::string_view name,
                                       std::size_t pieceSize = std::size_t{1} << 16);

// The same section out of a profile file's bytes held in memory.
std::optional<std::string> sectionOf(std::string_view bytes, std::string_view name);

}  // namespace period
