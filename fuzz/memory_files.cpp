// The platform half of period/file_replace.h for the fuzzers: files in memory.
// Open files hold their bytes as an inode would, so that a rename over a file
// leaves those who hold the old one reading the old bytes.
#include "memory_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

#include "period/file_replace.h"

namespace fuzz {
namespace {

using Bytes = std::shared_ptr<std::string>;
std::map<std::string, Bytes> files;

struct OpenFile {
  Bytes bytes;
  size_t position = 0;
};
std::map<std::FILE*, OpenFile*> openFiles;

std::string nameOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

ssize_t readCookie(void* cookie, char* buffer, size_t size) {
  auto* file = static_cast<OpenFile*>(cookie);
  const size_t left = file->position < file->bytes->size() ? file->bytes->size() - file->position : 0;
  const size_t count = std::min(size, left);
  std::memcpy(buffer, file->bytes->data() + file->position, count);
  file->position += count;
  return static_cast<ssize_t>(count);
}

ssize_t writeCookie(void* cookie, const char* buffer, size_t size) {
  auto* file = static_cast<OpenFile*>(cookie);
  if (file->bytes->size() < file->position + size) file->bytes->resize(file->position + size);
  std::memcpy(file->bytes->data() + file->position, buffer, size);
  file->position += size;
  return static_cast<ssize_t>(size);
}

int seekCookie(void* cookie, off64_t* offset, int whence) {
  auto* file = static_cast<OpenFile*>(cookie);
  const off64_t base = whence == SEEK_SET   ? 0
                       : whence == SEEK_CUR ? static_cast<off64_t>(file->position)
                                            : static_cast<off64_t>(file->bytes->size());
  if (base + *offset < 0) return -1;
  file->position = static_cast<size_t>(base + *offset);
  *offset = base + *offset;
  return 0;
}

int closeCookie(void* cookie) {
  auto* file = static_cast<OpenFile*>(cookie);
  for (auto it = openFiles.begin(); it != openFiles.end(); ++it) {
    if (it->second == file) {
      openFiles.erase(it);
      break;
    }
  }
  delete file;
  return 0;
}

std::FILE* openBytes(const Bytes& bytes, const char* mode) {
  auto* file = new OpenFile{bytes, 0};
  std::FILE* stream =
      fopencookie(file, mode, cookie_io_functions_t{readCookie, writeCookie, seekCookie, closeCookie});
  if (stream == nullptr) {
    delete file;
    return nullptr;
  }
  openFiles[stream] = file;
  return stream;
}

std::FILE* openExisting(const std::string& path, const char* mode) {
  const auto found = files.find(nameOf(path));
  if (found == files.end()) {
    errno = ENOENT;
    return nullptr;
  }
  return openBytes(found->second, mode);
}

Bytes& created(const std::string& path) {
  Bytes& bytes = files[nameOf(path)];
  bytes = std::make_shared<std::string>();
  return bytes;
}

}  // namespace

MemoryFiles::MemoryFiles() { files.clear(); }
MemoryFiles::~MemoryFiles() { files.clear(); }

void writeFile(const char* name, std::string_view bytes) { *created(name) = std::string(bytes); }

std::string readFile(const char* name) {
  const auto found = files.find(name);
  if (found == files.end()) fail(std::string("no file ") + name);
  return *found->second;
}

}  // namespace fuzz

namespace period {

std::FILE* openRegularFileForReading(const std::string& path) {
  return fuzz::openExisting(path, "rb");
}

std::FILE* openRegularFileForWriting(const std::string& path) {
  return fuzz::openBytes(fuzz::created(path), "wb");
}

// One program, one thread: nothing to wait for.
bool lockForReading(std::FILE*) { return true; }

bool openLocked(const std::string& path, LockedFile& locked) {
  locked.path = path;
  locked.created = false;
  locked.file = fuzz::openExisting(path, "r+b");
  if (locked.file == nullptr) {
    locked.created = true;
    locked.file = fuzz::openBytes(fuzz::created(path), "r+b");
  }
  return locked.file != nullptr;
}

void closeLocked(LockedFile& locked, bool removeCreated) {
  if (locked.file == nullptr) return;
  if (removeCreated && locked.created) removeFile(locked.path);
  std::fclose(locked.file);
  locked.file = nullptr;
}

std::FILE* createTemporaryBeside(const std::string& path, std::string& name) {
  name = path + ".000000.tmp";
  return fuzz::openBytes(fuzz::created(name), "wb");
}

void removeAbandonedTemporaries(const std::string&) {}

bool folderRefusesNewFiles(int) { return false; }

bool keepOwnership(std::FILE*, std::FILE*) { return true; }

bool removeFile(const std::string& path) { return fuzz::files.erase(fuzz::nameOf(path)) == 1; }

bool flushToDisk(std::FILE*) { return true; }

bool truncateFile(std::FILE* file, long long length) {
  const auto found = fuzz::openFiles.find(file);
  if (found == fuzz::openFiles.end() || length < 0) return false;
  found->second->bytes->resize(static_cast<size_t>(length));
  return true;
}

bool replaceFile(const std::string& from, const std::string& to) {
  const auto found = fuzz::files.find(fuzz::nameOf(from));
  if (found == fuzz::files.end()) return false;
  fuzz::files[fuzz::nameOf(to)] = found->second;
  fuzz::files.erase(fuzz::nameOf(from));
  return true;
}

bool replaceRefusedWhileOpen(int) { return false; }

void letFileSizeLimitFailWrites() {}

// No journal: a rewrite in place never happens in memory.
std::string rewriteJournalPath(std::FILE*, bool) { return {}; }

void flushFolderToDisk(const std::string&) {}

// One program: nobody else holds a period.
long long holdLockFile(const std::string&, bool& heldByOthers) {
  heldByOthers = false;
  return -1;
}

void releaseLockFile(const std::string&, long long) {}

}  // namespace period
