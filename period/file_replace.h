#pragma once

#include <cstdio>
#include <string>

namespace period {

// The platform calls that make a save atomic and durable. Both return false
// on failure with errno set.

// Pushes the file's written bytes through to the disk.
bool flushToDisk(std::FILE* file);

// Gives the new file the access rights of the old one, so that replacing a
// store does not open it to other users or lock out its owner.
bool copyAccessRights(std::FILE* from, std::FILE* to);

// Puts the file "from" in place of "to" in one step: a reader sees either the
// old file or the new one, never a mix. "from" lies in the same folder.
bool replaceFile(const std::string& from, const std::string& to);

// The file that replacing path must put in place: path itself, or the file a
// link at path names, so that the link stays and its file gets the new bytes.
std::string replacementTarget(const std::string& path);

// The current directory followed by the platform's path separator and the name.
// Throws the input/output error when the current directory cannot be told.
std::string pathInCurrentDirectory(const std::string& name);

}  // namespace period
