#include "period/file_replace.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "period/io_error.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace period {

#ifdef _WIN32

bool flushToDisk(std::FILE* file) {
  return _commit(_fileno(file)) == 0;
}

// The rights of a Windows file travel with the folder's; its read-only
// attribute already refuses the save before this point.
bool copyAccessRights(std::FILE*, std::FILE*) {
  return true;
}

bool replaceFile(const std::string& from, const std::string& to) {
  const std::filesystem::path source(from), target(to);
  if (MoveFileExW(source.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  errno = EACCES;
  return false;
}

constexpr char kSeparator = '\\';

#else

bool flushToDisk(std::FILE* file) {
  return fsync(fileno(file)) == 0;
}

bool copyAccessRights(std::FILE* from, std::FILE* to) {
  struct stat old;
  if (fstat(fileno(from), &old) != 0) return false;
  return fchmod(fileno(to), old.st_mode & 07777) == 0;
}

// The new file's bytes are on the disk before the rename, so after a crash the
// store is either the old file or the new one, never a torn one.
bool replaceFile(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

constexpr char kSeparator = '/';

#endif

std::string replacementTarget(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(path, error)) return path;
  const std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
  return error ? path : target.string();
}

std::string pathInCurrentDirectory(const std::string& name) {
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  if (error) throwIoError(error.value());
  std::string path = current.string();
  if (path.empty() || path.back() != kSeparator) path += kSeparator;
  return path + name;
}

}  // namespace period
