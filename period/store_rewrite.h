#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace period {

// Writes the store at path anew with the entries written into the section.
// Saves by other programs wait for each other on the store, and each keeps
// the other sections as they stand when its turn comes. The new store goes to
// a temporary file of its own in the same folder, is pushed to the disk and
// then takes the old store's place, keeping its owner, group and mode; where
// the folder refuses new files or the group cannot be kept, the store is
// rewritten where it lies instead. Lines outside the section pass through
// unchanged. Returns false when any step fails; the old store is then exactly
// as it was and no temporary file is left. When path is a link, the file it
// names is the one written (and created when missing) and the link stays.
bool rewriteStore(const std::string& path, std::string_view section,
                  const std::vector<std::pair<std::string, std::string>>& entries);

// What this program last saw of one section of the store: a digest of its
// bytes, as read or as written.
using SectionDigest = std::uint64_t;
SectionDigest digestOfSection(std::string_view sectionBytes);

enum class RewriteOutcome { Written, Failed, ChangedElsewhere };

// The same, for a save that must not overwrite what another program saved
// meanwhile: where lastSeen is given and the section on disk differs from it
// and from the entries, nothing is written (ChangedElsewhere). Gives what the
// section is on disk afterwards through nowSeen. Where the section is there
// and the save will change it, keepPrevious gets its bytes (header line
// included) and the locked store before anything is written.
using KeepPrevious = std::function<void(std::string_view previousSection, std::FILE* store)>;
RewriteOutcome rewriteStore(const std::string& path, std::string_view section,
                            const std::vector<std::pair<std::string, std::string>>& entries,
                            std::optional<SectionDigest> lastSeen, SectionDigest& nowSeen,
                            const KeepPrevious& keepPrevious = {});

// Puts back the store at path where a rewrite in place was cut off, as a save
// would before anything else. False when that failed.
bool undoCutOffRewriteOf(const std::string& storePath);

}  // namespace period
