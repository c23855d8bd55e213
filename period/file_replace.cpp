#include "period/file_replace.h"

#include <filesystem>
#include <system_error>

#include "period/io_error.h"
#include "period/path_text.h"

namespace period {

bool overwriteFile(std::FILE* file, std::string_view bytes) {
  std::clearerr(file);
  return std::fseek(file, 0, SEEK_SET) == 0 &&
         std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
         std::fflush(file) == 0 && truncateFile(file, static_cast<long long>(bytes.size())) &&
         flushToDisk(file);
}

std::string replacementTarget(const std::string& path) {
  // Followed link by link, as the system would, so that a link whose file is
  // yet to be made names that file and not the link.
  std::filesystem::path target = pathOfText(path);
  std::error_code error;
  for (int depth = 0; depth < 40 && std::filesystem::is_symlink(target, error); ++depth) {
    const std::filesystem::path next = std::filesystem::read_symlink(target, error);
    if (error) break;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return textOfPath(target);
}

std::string pathInCurrentDirectory(const std::string& name) {
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  if (error) throwIoError(error.value());
  std::string path = textOfPath(current);
  constexpr char separator = static_cast<char>(std::filesystem::path::preferred_separator);
  if (path.empty() || path.back() != separator) path += separator;
  return path + name;
}

}  // namespace period
