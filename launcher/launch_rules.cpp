#include "launcher/launch_rules.h"

#include <system_error>

namespace launcher {
namespace fs = std::filesystem;

namespace {

bool isFolder(const fs::path& path) {
  std::error_code ignored;
  return fs::is_directory(path, ignored);
}

fs::path withoutTrailingSeparator(fs::path path) {
  if (!path.has_filename() && path.has_relative_path()) path = path.parent_path();
  return path;
}

std::string utf8Of(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

fs::path companyFolderOf(const fs::path& opened) {
  std::error_code ignored;
  fs::path path = fs::absolute(opened, ignored).lexically_normal();
  if (isFolder(path)) return withoutTrailingSeparator(path);
  return withoutTrailingSeparator(path).parent_path();
}

fs::path dialogStart(const fs::path& remembered, const fs::path& fallback) {
  return !remembered.empty() && isFolder(remembered) ? remembered : fallback;
}

int runLauncher(const std::vector<fs::path>& paths, LauncherFace& face) {
  fs::path folder;
  if (!paths.empty()) {
    folder = companyFolderOf(paths.front());
  } else {
    std::optional<fs::path> chosen =
        face.askForFolder(dialogStart(face.rememberedFolder(), face.usersFolder()));
    if (!chosen) return 0;
    folder = *chosen;
  }
  if (!isFolder(folder)) {
    face.report(folderMissing(utf8Of(folder)));
    return 1;
  }
  face.rememberFolder(folder);
  return face.runMuhtasarIn(folder);
}

std::string folderMissing(const std::string& folder) {
  return std::string("Klasör bulunamadı: ").append(folder);
}

std::string cannotStart(const std::string& program, const std::string& reason) {
  return std::string(program).append(" başlatılamadı: ").append(reason);
}

}  // namespace launcher
