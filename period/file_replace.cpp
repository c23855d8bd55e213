#include "period/file_replace.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "period/io_error.h"

namespace period {

int readWholeFile(std::FILE* file, std::unique_ptr<char[]>& bytes, size_t& size) {
  bytes.reset();
  size = 0;
  errno = 0;
  // The size the file has now, and one byte more to see that it has not grown
  // meanwhile; a file that grew is read on to its end.
  size_t capacity = size_t{1} << 12;
  if (std::fseek(file, 0, SEEK_END) != 0) return errno != 0 ? errno : EIO;
  const long end = std::ftell(file);
  if (end > 0) capacity = static_cast<size_t>(end) + 1;
  if (std::fseek(file, 0, SEEK_SET) != 0) return errno != 0 ? errno : EIO;
  bytes = std::make_unique_for_overwrite<char[]>(capacity);
  for (;;) {
    size += std::fread(bytes.get() + size, 1, capacity - size, file);
    if (size < capacity) return std::ferror(file) ? (errno != 0 ? errno : EIO) : 0;
    capacity *= 2;
    auto larger = std::make_unique_for_overwrite<char[]>(capacity);
    std::memcpy(larger.get(), bytes.get(), size);
    bytes = std::move(larger);
  }
}

std::string replacementTarget(const std::string& path) {
  // Followed link by link, as the system would, so that a link whose file is
  // yet to be made names that file and not the link.
  std::filesystem::path target(path);
  std::error_code error;
  for (int depth = 0; depth < 40 && std::filesystem::is_symlink(target, error); ++depth) {
    const std::filesystem::path next = std::filesystem::read_symlink(target, error);
    if (error) break;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return target.string();
}

std::string pathInCurrentDirectory(const std::string& name) {
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  if (error) throwIoError(error.value());
  std::string path = current.string();
  constexpr char separator = static_cast<char>(std::filesystem::path::preferred_separator);
  if (path.empty() || path.back() != separator) path += separator;
  return path + name;
}

}  // namespace period
