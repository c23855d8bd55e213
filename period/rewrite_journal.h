#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace period {

// A store rewritten where it lies (a folder that refuses new files) is torn if
// the program is killed half-way: new bytes up to that point, old ones after.
// Before the first new byte goes over the old ones, the old store is kept in
// a journal of the user's own (the state folder, named by the store's file
// identity); the journal goes once the store holds the new bytes or the old
// ones again. A journal that is still there means a rewrite was cut off: the
// next save or read of that store puts the old bytes back first.

// Writes the journal of the store open at path, which holds old. False when
// no journal can be written; the store is then not to be rewritten.
bool beginRewrite(std::FILE* store, const std::string& path, std::string_view old);

// The rewrite ended with the store whole, new or old: the journal goes.
void endRewrite(std::FILE* store);

// Whether a rewrite of the open store was cut off: its journal is there.
bool rewriteWasCutOff(std::FILE* store);

// With the store locked for a save: puts back the store a cut-off rewrite
// left torn. False when the old bytes could not be written back; the journal
// then stays for the next try.
bool undoCutOffRewrite(std::FILE* store, const std::string& path);

// What the last undone rewrite tells the user, once; nothing otherwise.
std::optional<std::string> takeUndoneRewriteNotice();

}  // namespace period
