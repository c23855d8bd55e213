#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace period {

// Writes the store at path anew with the entries written into the section,
// atomically: the new store goes to a temporary file in the same folder, is
// pushed to the disk and then takes the old store's place. Lines outside the
// section pass through unchanged, in pieces, so the whole store is never held
// in memory. Returns false when any step fails; the old store is then exactly
// as it was and the temporary file is gone. When path is a link, the file it
// names is the one replaced and the link stays.
bool rewriteStore(const std::string& path, std::string_view section,
                  const std::vector<std::pair<std::string, std::string>>& entries);

}  // namespace period
