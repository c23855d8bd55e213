#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <filesystem>
#include <random>

#include "period/file_replace.h"
#include "period/path_text.h"

namespace period {
namespace {

std::wstring widePath(const std::string& path) {
  return pathOfText(path).wstring();
}

// The errno whose input/output message matches the one Windows would give.
int errnoOfLastError() {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
      return ENOENT;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return ENOTDIR;
    case ERROR_TOO_MANY_OPEN_FILES:
      return EMFILE;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    default:
      return EIO;
  }
}

HANDLE handleOf(std::FILE* file) {
  return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
}

// Others may read, write, rename and delete the file while it is open, as the
// saves of other windows must be able to replace the store.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens a plain file on the disk; anything else (a pipe, a device) is refused.
HANDLE openPlainFile(const std::string& path, DWORD access, DWORD disposition) {
  HANDLE handle = CreateFileW(widePath(path).c_str(), access, kShareAll, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    errno = errnoOfLastError();
    return handle;
  }
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    CloseHandle(handle);
    errno = EACCES;
    return INVALID_HANDLE_VALUE;
  }
  return handle;
}

std::FILE* fileOfHandle(HANDLE handle, int flags, const char* mode) {
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), flags | _O_BINARY);
  if (fd < 0) {
    CloseHandle(handle);
    return nullptr;
  }
  std::FILE* file = _fdopen(fd, mode);
  if (file == nullptr) _close(fd);
  return file;
}

bool lockWholeFile(HANDLE handle, DWORD flags) {
  OVERLAPPED whole{};
  return LockFileEx(handle, flags, 0, MAXDWORD, MAXDWORD, &whole) != 0;
}

bool sameFile(HANDLE a, HANDLE b) {
  BY_HANDLE_FILE_INFORMATION x, y;
  return GetFileInformationByHandle(a, &x) && GetFileInformationByHandle(b, &y) &&
         x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
         x.nFileIndexLow == y.nFileIndexLow;
}

}  // namespace

std::FILE* openRegularFileForReading(const std::string& path) {
  HANDLE handle = openPlainFile(path, GENERIC_READ, OPEN_EXISTING);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return fileOfHandle(handle, _O_RDONLY, "rb");
}

// Creating links takes a privilege that office users lack: the print file is
// opened as it always was, so its errors keep their system error codes.
std::FILE* openRegularFileForWriting(const std::string& path) {
  return _wfopen(widePath(path).c_str(), L"wb");
}

bool lockForReading(std::FILE* file) {
  return lockWholeFile(handleOf(file), 0);
}

// The store itself is locked (see the POSIX side for why); after the lock the
// path must still name the same file, or another save replaced it meanwhile.
bool openLocked(const std::string& storePath, LockedFile& locked) {
  const std::string path = replacementTarget(storePath);
  for (int attempt = 0; attempt < 1000; ++attempt) {
    HANDLE handle = openPlainFile(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
    if (!lockWholeFile(handle, LOCKFILE_EXCLUSIVE_LOCK)) {
      errno = errnoOfLastError();
      CloseHandle(handle);
      return false;
    }
    HANDLE named = CreateFileW(widePath(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool same = named != INVALID_HANDLE_VALUE && sameFile(handle, named);
    if (named != INVALID_HANDLE_VALUE) CloseHandle(named);
    if (!same) {
      CloseHandle(handle);
      continue;
    }
    locked.file = fileOfHandle(handle, _O_RDWR, "r+b");
    if (locked.file == nullptr) return false;
    locked.created = created;
    locked.path = path;
    return true;
  }
  errno = EBUSY;
  return false;
}

void closeLocked(LockedFile& locked, bool removeCreated) {
  if (locked.file == nullptr) return;
  if (removeCreated && locked.created) DeleteFileW(widePath(locked.path).c_str());
  std::fclose(locked.file);
  locked.file = nullptr;
}

std::FILE* createTemporaryBeside(const std::string& path, std::string& name) {
  std::random_device entropy;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(entropy()));
    const std::string candidate = path + suffix;
    HANDLE handle = CreateFileW(widePath(candidate).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      if (GetLastError() == ERROR_FILE_EXISTS) continue;
      errno = errnoOfLastError();
      return nullptr;
    }
    std::FILE* file = fileOfHandle(handle, _O_WRONLY, "wb");
    if (file == nullptr) {
      DeleteFileW(widePath(candidate).c_str());
      errno = EIO;
      return nullptr;
    }
    name = candidate;
    return file;
  }
  errno = EEXIST;
  return nullptr;
}

// A save holds its temporary file open without sharing it, so Windows refuses
// to delete the file of a save at work and deletes those of killed ones.
void removeAbandonedTemporaries(const std::string& path) {
  const std::filesystem::path store(path);
  const std::wstring prefix = store.filename().wstring() + L".";
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((store.wstring() + L".*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    // ".%08x.tmp", as createTemporaryBeside names them.
    if (name.size() != prefix.size() + 12 || name.compare(0, prefix.size(), prefix) != 0) continue;
    if (name.find_first_not_of(L"0123456789abcdef", prefix.size()) != prefix.size() + 8) continue;
    DeleteFileW((store.parent_path() / name).wstring().c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

bool folderRefusesNewFiles(int errnoValue) {
  return errnoValue == EACCES;
}

// The rights of a Windows file come from its folder; the replacement lies in
// the same folder and gets the same ones.
bool keepOwnership(std::FILE*, std::FILE*) {
  return true;
}

bool removeFile(const std::string& path) {
  return DeleteFileW(widePath(path).c_str()) != 0;
}

bool flushToDisk(std::FILE* file) {
  return _commit(_fileno(file)) == 0;
}

bool truncateFile(std::FILE* file, long long length) {
  return _chsize_s(_fileno(file), length) == 0;
}

bool replaceFile(const std::string& from, const std::string& to) {
  if (MoveFileExW(widePath(from).c_str(), widePath(to).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  errno = errnoOfLastError();
  return false;
}

// Access denied or a sharing violation: the store is open, by this save's
// locked handle if by nobody else.
bool replaceRefusedWhileOpen(int errnoValue) {
  return errnoValue == EACCES;
}

// %LOCALAPPDATA%\muhtasar, the user's own; the store is named by its volume
// and file index, which stay while it is rewritten in place.
std::string rewriteJournalPath(std::FILE* store, bool make) {
  BY_HANDLE_FILE_INFORMATION identity;
  if (!GetFileInformationByHandle(handleOf(store), &identity)) return {};
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  if (local == nullptr || local[0] == 0) return {};
  const std::filesystem::path folder = std::filesystem::path(local) / L"muhtasar";
  if (make) CreateDirectoryW(folder.wstring().c_str(), nullptr);
  char name[64];
  std::snprintf(name, sizeof name, "rewrite-%08lx-%08lx%08lx.journal",
                static_cast<unsigned long>(identity.dwVolumeSerialNumber),
                static_cast<unsigned long>(identity.nFileIndexHigh),
                static_cast<unsigned long>(identity.nFileIndexLow));
  return textOfPath(folder / name);
}

// MoveFileExW with MOVEFILE_WRITE_THROUGH has put the entry on the disk.
void flushFolderToDisk(const std::string&) {}

long long holdLockFile(const std::string& path, bool& heldByOthers) {
  HANDLE handle = openPlainFile(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
  if (handle == INVALID_HANDLE_VALUE) return -1;
  OVERLAPPED whole{};
  heldByOthers = !LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                             MAXDWORD, MAXDWORD, &whole);
  if (!heldByOthers) UnlockFileEx(handle, 0, MAXDWORD, MAXDWORD, &whole);
  if (!LockFileEx(handle, 0, 0, MAXDWORD, MAXDWORD, &whole)) {
    CloseHandle(handle);
    return -1;
  }
  return reinterpret_cast<long long>(handle);
}

void releaseLockFile(const std::string& path, long long value) {
  if (value == -1) return;
  HANDLE handle = reinterpret_cast<HANDLE>(value);
  OVERLAPPED whole{};
  UnlockFileEx(handle, 0, MAXDWORD, MAXDWORD, &whole);
  const bool last = LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                               MAXDWORD, MAXDWORD, &whole);
  CloseHandle(handle);
  if (last) DeleteFileW(widePath(path).c_str());
}

// Windows has no file-size signal.
void letFileSizeLimitFailWrites() {}

}  // namespace period
