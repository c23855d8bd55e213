#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace period {

// The platform calls behind the declaration store: opening files without
// being trapped by what is not a plain file, the lock that serialises saves,
// and the steps of an atomic replace. Functions that return bool or a pointer
// give false or nullptr on failure with errno set.

// Opens a plain file for reading. Anything else named so (a pipe, a device, a
// folder) is refused with EACCES at once: opening a pipe would wait for a
// writer for ever.
std::FILE* openRegularFileForReading(const std::string& path);

// Opens a plain file for writing from its start, creating it when missing and
// cutting it to nothing otherwise. Refused as the reading open is, and on a
// system with symbolic links both follow only the user's own links: another
// user's link is refused with EACCES, so that a link planted in a shared
// folder cannot make this user write or read through it.
std::FILE* openRegularFileForWriting(const std::string& path);

// Waits until no save holds the store open for writing, so that a reader
// never sees a store rewritten in place half-way. Held until the file closes.
bool lockForReading(std::FILE* file);

// The store opened for one save: for reading and writing, positioned at its
// start, and locked against every other save until closeLocked.
struct LockedFile {
  std::FILE* file = nullptr;
  // Nothing was there: the save created the file empty.
  bool created = false;
  // The file itself, at the end of the links its path went through.
  std::string path;
};

// Opens path for a save, creating it empty when it is missing, and waits for
// the saves of other programs to end. The file returned is the one path names
// once the lock is held, never one that another save has meanwhile replaced.
bool openLocked(const std::string& path, LockedFile& locked);

// Releases the lock. When removeCreated is set and this save created the file,
// the file goes first, so a save that failed leaves no empty store behind.
void closeLocked(LockedFile& locked, bool removeCreated);

// Creates a file of a name no other file has, beside path, for writing only
// by this save. Gives the name through name.
std::FILE* createTemporaryBeside(const std::string& path, std::string& name);

// Removes the temporary files that saves of the store at path left when they
// were killed, and none that a save still holds. Called with the store locked.
void removeAbandonedTemporaries(const std::string& path);

// Whether creating the temporary file failed because the folder refuses new
// files (while the store itself may still be writable).
bool folderRefusesNewFiles(int errnoValue);

// Gives the new file the owner, group and access mode of the old one, so that
// replacing the store changes nobody's right to read or write it. The owner is
// kept where this user may set it; false when the group or the mode cannot be
// kept.
bool keepOwnership(std::FILE* from, std::FILE* to);

// Removes the file; false when it could not be removed.
bool removeFile(const std::string& path);

// Pushes the file's written bytes through to the disk.
bool flushToDisk(std::FILE* file);

// Cuts the file to length bytes.
bool truncateFile(std::FILE* file, long long length);

// Puts bytes in place of the file's whole content and pushes them to the disk.
bool overwriteFile(std::FILE* file, std::string_view bytes);

// Where the journal of a rewrite in place of the open store is kept: a file
// named by the store's identity in a folder of this user's own, made when
// missing if make is set. Empty when no such folder can be had.
std::string rewriteJournalPath(std::FILE* store, bool make);

// Pushes the folder entry of a file just renamed to the disk.
void flushFolderToDisk(const std::string& path);

// Puts the file "from" in place of "to" in one step: a reader sees either the
// old file or the new one, never a mix. "from" lies in the same folder.
bool replaceFile(const std::string& from, const std::string& to);

// Whether replaceFile failed only because the file to be replaced is open:
// Windows refuses to replace a file while any handle holds it, the save's own
// lock included, so the store must then be rewritten where it lies.
bool replaceRefusedWhileOpen(int errnoValue);

// A write beyond the process's file-size limit fails with an error the save
// reports, instead of ending the program.
void letFileSizeLimitFailWrites();

// The file that replacing path must put in place: path itself, or the file a
// link at path names (even one that does not exist yet), so that the link
// stays and its file gets the new bytes. Used where links are not checked.
std::string replacementTarget(const std::string& path);

// Holds the lock file at path, shared with the other programs that hold it,
// creating it where missing (through the user's own links only). Tells
// through heldByOthers whether another program held it already. The lock dies
// with the program. Gives a handle for releaseLockFile, or -1.
long long holdLockFile(const std::string& path, bool& heldByOthers);

// Lets go of the lock; the last holder removes the file.
void releaseLockFile(const std::string& path, long long handle);

// The current directory followed by the platform's path separator and the name.
// Throws the input/output error when the current directory cannot be told.
std::string pathInCurrentDirectory(const std::string& name);

}  // namespace period
