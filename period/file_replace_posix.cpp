#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <dirent.h>
#include <limits.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "period/file_replace.h"

namespace period {
namespace {

// Opens without waiting: a pipe opened for reading would wait for a writer.
// A file that is not a plain file is refused, then the file descriptor
// blocks again as ordinary reads and writes expect.
int openPlainFile(const std::string& path, int flags, mode_t mode = 0) {
  const int fd = open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, mode);
  if (fd < 0) return -1;
  struct stat status;
  int error = 0;
  if (fstat(fd, &status) != 0)
    error = errno;
  else if (!S_ISREG(status.st_mode))
    error = EACCES;
  else if (fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
    error = errno;
  if (error == 0) return fd;
  close(fd);
  errno = error;
  return -1;
}

// Record locks rather than flock: flock is a no-op or emulated on many network
// drives, where the office's stores live, while record locks reach the file
// server. Locks of the open file itself (not of the process) where the system
// has them, so that a reader closing another handle of the store does not
// drop the lock of a save.
bool lockWholeFile(int fd, short type) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
#ifdef F_OFD_SETLKW
  constexpr int command = F_OFD_SETLKW;
#else
  constexpr int command = F_SETLKW;
#endif
  while (fcntl(fd, command, &lock) != 0) {
    if (errno == EINTR) continue;
    // A file system without locks still lets the save go on, as it did before
    // saves were locked; refusing every save there would trap the user.
    return errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL;
  }
  return true;
}

bool sameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A link in a folder the office shares may have been planted by a colleague,
// to make this user's save write into a file of theirs. Only links of the
// user's own making (or the system's) are followed. The link is read through
// a handle of the link itself, so the link whose owner was checked is the one
// whose target is taken. A path that no longer names a link is left for the
// caller to open again.
bool followOwnLink(std::string& path) {
  const int link = open(path.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
  if (link < 0) return false;
  struct stat status;
  char target[PATH_MAX];
  ssize_t length = 0;
  int error = 0;
  if (fstat(link, &status) != 0) {
    error = errno;
  } else if (S_ISLNK(status.st_mode)) {
    if (status.st_uid != geteuid() && status.st_uid != 0)
      error = EACCES;
    else if ((length = readlinkat(link, "", target, sizeof target)) < 0)
      error = errno;
    else if (length == static_cast<ssize_t>(sizeof target))
      error = ENAMETOOLONG;
  }
  close(link);
  if (error != 0) {
    errno = error;
    return false;
  }
  if (!S_ISLNK(status.st_mode)) return true;
  const std::string next(target, static_cast<size_t>(length));
  const size_t slash = path.rfind('/');
  path = next.front() == '/' || slash == std::string::npos ? next : path.substr(0, slash + 1) + next;
  return true;
}

// Opens the plain file at path, through the user's own links only; a missing
// file is created where create is set. Gives the path of the file itself
// (no link) through opened. Checking a link and opening what it names leave
// no gap: every open refuses to follow a link, and a link is followed by hand.
int openThroughOwnLinks(const std::string& start, int flags, bool create, std::string& opened,
                        bool& created) {
  std::string path = start;
  created = false;
  for (int step = 0; step < 64; ++step) {
    int fd = openPlainFile(path, flags | O_NOFOLLOW);
    if (fd < 0 && errno == ENOENT && create) {
      fd = openPlainFile(path, flags | O_NOFOLLOW | O_CREAT | O_EXCL, 0666);
      // Made meanwhile, or a link with nothing behind it: look again.
      if (fd < 0 && errno == EEXIST) continue;
      created = fd >= 0;
    }
    if (fd >= 0) {
      opened = path;
      return fd;
    }
    if (errno != ELOOP || !followOwnLink(path)) return -1;
  }
  errno = ELOOP;
  return -1;
}

std::FILE* fileOf(int fd, const char* mode) {
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, mode);
  if (file == nullptr) close(fd);
  return file;
}

}  // namespace

std::FILE* openRegularFileForReading(const std::string& path) {
  std::string opened;
  bool created = false;
  return fileOf(openThroughOwnLinks(path, O_RDONLY, false, opened, created), "rb");
}

std::FILE* openRegularFileForWriting(const std::string& path) {
  std::string opened;
  bool created = false;
  return fileOf(openThroughOwnLinks(path, O_WRONLY | O_TRUNC, true, opened, created), "wb");
}

bool lockForReading(std::FILE* file) {
  return lockWholeFile(fileno(file), F_RDLCK);
}

// The store itself is locked, not a companion lock file: the folder may refuse
// new files while the store is writable, and a lock file left behind by a
// crash would need clearing by hand. Since a save replaces the store by
// rename, the lock is taken on the file as opened and then checked to be the
// one the path still names; a save that waited while another replaced the
// store opens the new one and waits again.
bool openLocked(const std::string& path, LockedFile& locked) {
  for (int attempt = 0; attempt < 1000; ++attempt) {
    bool created = false;
    std::string opened;
    const int fd = openThroughOwnLinks(path, O_RDWR, true, opened, created);
    if (fd < 0) return false;
    struct stat held, named;
    if (!lockWholeFile(fd, F_WRLCK) || fstat(fd, &held) != 0) {
      const int error = errno;
      if (created) unlink(opened.c_str());
      close(fd);
      errno = error;
      return false;
    }
    // lstat: a link put in the file's place meanwhile is another file.
    if (lstat(opened.c_str(), &named) != 0 || !sameFile(held, named)) {
      close(fd);
      continue;
    }
    locked.file = fdopen(fd, "r+b");
    if (locked.file == nullptr) {
      close(fd);
      return false;
    }
    locked.created = created;
    locked.path = opened;
    return true;
  }
  errno = EBUSY;
  return false;
}

void closeLocked(LockedFile& locked, bool removeCreated) {
  if (locked.file == nullptr) return;
  if (removeCreated && locked.created) unlink(locked.path.c_str());
  std::fclose(locked.file);
  locked.file = nullptr;
}

// The temporary file of a save that is at work is locked for as long as it is
// open; one nobody holds was left by a save that was killed.
bool lockUnlessHeld(int fd) {
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
#ifdef F_OFD_SETLK
  return fcntl(fd, F_OFD_SETLK, &lock) == 0;
#else
  return fcntl(fd, F_SETLK, &lock) == 0;
#endif
}

constexpr const char* kTemporarySuffix = ".tmp";
constexpr size_t kTemporaryUniquePart = 6;  // mkostemps' "XXXXXX"

std::FILE* createTemporaryBeside(const std::string& path, std::string& name) {
  std::string pattern = path + ".XXXXXX" + kTemporarySuffix;
  const int fd = mkostemps(pattern.data(), 4, O_CLOEXEC);
  if (fd < 0) return nullptr;
  lockUnlessHeld(fd);
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) {
    const int error = errno;
    close(fd);
    unlink(pattern.c_str());
    errno = error;
    return nullptr;
  }
  name = pattern;
  return file;
}

// Each temporary file holds every period of the store: those of killed saves
// would pile up in the company folder. Called while the store is locked, so
// no save can be between making its temporary file and locking it.
void removeAbandonedTemporaries(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const std::string prefix = (slash == std::string::npos ? path : path.substr(slash + 1)) + ".";
  const size_t length = prefix.size() + kTemporaryUniquePart + std::strlen(kTemporarySuffix);
  DIR* entries = opendir(folder.c_str());
  if (entries == nullptr) return;
  const int folderFd = dirfd(entries);
  while (const dirent* entry = readdir(entries)) {
    const std::string_view name = entry->d_name;
    if (name.size() != length || !name.starts_with(prefix) || !name.ends_with(kTemporarySuffix))
      continue;
    const int fd = openat(folderFd, entry->d_name, O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat status;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && lockUnlessHeld(fd))
      unlinkat(folderFd, entry->d_name, 0);
    close(fd);
  }
  closedir(entries);
}

bool folderRefusesNewFiles(int errnoValue) {
  return errnoValue == EACCES || errnoValue == EPERM;
}

bool keepOwnership(std::FILE* from, std::FILE* to) {
  struct stat old, now;
  if (fstat(fileno(from), &old) != 0 || fstat(fileno(to), &now) != 0) return false;
  if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
    // Only a privileged user may give a file away; anyone may hand it to a
    // group they belong to, and the group is what lets the office share it.
    if (fchown(fileno(to), old.st_uid, old.st_gid) != 0 &&
        fchown(fileno(to), static_cast<uid_t>(-1), old.st_gid) != 0)
      return false;
  }
  // After the owner: changing it may clear the mode's special bits.
  return fchmod(fileno(to), old.st_mode & 07777) == 0;
}

bool removeFile(const std::string& path) {
  return unlink(path.c_str()) == 0;
}

bool flushToDisk(std::FILE* file) {
  return fsync(fileno(file)) == 0;
}

bool truncateFile(std::FILE* file, long long length) {
  return ftruncate(fileno(file), static_cast<off_t>(length)) == 0;
}

// The new file's bytes are on the disk before the rename, so after a crash the
// store is either the old file or the new one, never a torn one.
bool replaceFile(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

// A rename replaces a file whoever holds it open.
bool replaceRefusedWhileOpen(int) {
  return false;
}

namespace {

// A folder of this user's alone, made when missing: never a link, never
// another user's, so that nobody else can put a journal there.
bool ownFolder(const std::string& path, bool make) {
  if (make) mkdir(path.c_str(), 0700);
  struct stat status;
  return lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
         status.st_uid == geteuid() && (status.st_mode & 022) == 0;
}

// The state folder of the XDG base directories, or a folder of the user's in
// /var/tmp (kept across restarts, as a journal must be) where the home cannot
// be written.
std::string stateFolder(bool make) {
  std::string base;
  const char* state = std::getenv("XDG_STATE_HOME");
  const char* home = std::getenv("HOME");
  if (state != nullptr && state[0] == '/') {
    base = state;
  } else if (home != nullptr && home[0] == '/') {
    base = std::string(home) + "/.local/state";
    if (make) {
      mkdir((std::string(home) + "/.local").c_str(), 0700);
      mkdir(base.c_str(), 0700);
    }
  }
  if (!base.empty()) {
    if (make) mkdir(base.c_str(), 0700);
    const std::string folder = base + "/muhtasar";
    if (ownFolder(folder, make)) return folder;
  }
  const std::string fallback = "/var/tmp/muhtasar-state-" + std::to_string(geteuid());
  return ownFolder(fallback, make) ? fallback : std::string();
}

}  // namespace

std::string rewriteJournalPath(std::FILE* store, bool make) {
  struct stat status;
  if (fstat(fileno(store), &status) != 0) return {};
  const std::string folder = stateFolder(make);
  if (folder.empty()) return {};
  return folder + "/rewrite-" + std::to_string(status.st_dev) + "-" +
         std::to_string(status.st_ino) + ".journal";
}

void flushFolderToDisk(const std::string& path) {
  const size_t slash = path.rfind('/');
  const int folder = open(slash == std::string::npos ? "." : path.substr(0, slash + 1).c_str(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return;
  fsync(folder);
  close(folder);
}

// flock, not record locks: a record lock is the process's, and would be let go
// when this program closes any other handle of the file.
long long holdLockFile(const std::string& path, bool& heldByOthers) {
  std::string opened;
  bool created = false;
  const int fd = openThroughOwnLinks(path, O_RDWR, true, opened, created);
  if (fd < 0) return -1;
  heldByOthers = flock(fd, LOCK_EX | LOCK_NB) != 0;
  if (flock(fd, LOCK_SH) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

void releaseLockFile(const std::string& path, long long handle) {
  if (handle < 0) return;
  const int fd = static_cast<int>(handle);
  struct stat held, named;
  // The last holder: nobody else holds it, and the name is still this file.
  if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &held) == 0 &&
      lstat(path.c_str(), &named) == 0 && sameFile(held, named))
    unlink(path.c_str());
  close(fd);
}

void letFileSizeLimitFailWrites() {
  signal(SIGXFSZ, SIG_IGN);
}

}  // namespace period
