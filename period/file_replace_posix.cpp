#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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

}  // namespace

std::FILE* openRegularFileForReading(const std::string& path) {
  const int fd = openPlainFile(path, O_RDONLY);
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, "rb");
  if (file == nullptr) close(fd);
  return file;
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
    int fd = openPlainFile(path, O_RDWR);
    if (fd < 0 && errno == ENOENT) {
      fd = openPlainFile(path, O_RDWR | O_CREAT | O_EXCL, 0666);
      if (fd < 0 && errno == EEXIST) continue;
      created = fd >= 0;
    }
    if (fd < 0) return false;
    struct stat opened, named;
    if (!lockWholeFile(fd, F_WRLCK) || fstat(fd, &opened) != 0) {
      const int error = errno;
      if (created) unlink(path.c_str());
      close(fd);
      errno = error;
      return false;
    }
    if (stat(path.c_str(), &named) != 0 || !sameFile(opened, named)) {
      close(fd);
      continue;
    }
    locked.file = fdopen(fd, "r+b");
    if (locked.file == nullptr) {
      close(fd);
      return false;
    }
    locked.created = created;
    return true;
  }
  errno = EBUSY;
  return false;
}

void closeLocked(const std::string& path, LockedFile& locked, bool removeCreated) {
  if (locked.file == nullptr) return;
  if (removeCreated && locked.created) unlink(path.c_str());
  std::fclose(locked.file);
  locked.file = nullptr;
}

std::FILE* createTemporaryBeside(const std::string& path, std::string& name) {
  std::string pattern = path + ".XXXXXX.tmp";
  const int fd = mkostemps(pattern.data(), 4, O_CLOEXEC);
  if (fd < 0) return nullptr;
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

void letFileSizeLimitFailWrites() {
  signal(SIGXFSZ, SIG_IGN);
}

}  // namespace period
