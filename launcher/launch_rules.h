#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace launcher {

// Caption of the launcher's folder dialog and of its error messages.
inline constexpr char kFolderDialogTitle[] = "Firma Klasörünü Seçin";
inline constexpr char kErrorCaption[] = "Muhtasar Beyanname";

// The folder muhtasar works in for a path the file manager hands over: the
// folder of a file (whether or not it exists yet), or a folder itself.
std::filesystem::path companyFolderOf(const std::filesystem::path& opened);

// Where the folder dialog starts: the folder chosen last while it is still
// there, else the fallback (the user's own folder).
std::filesystem::path dialogStart(const std::filesystem::path& remembered,
                                  const std::filesystem::path& fallback);

// What a launcher face does for the rules below; texts are UTF-8.
class LauncherFace {
 public:
  virtual ~LauncherFace() = default;
  // The folder the user picks, starting at `start`; nothing when cancelled.
  virtual std::optional<std::filesystem::path> askForFolder(const std::filesystem::path& start) = 0;
  virtual std::filesystem::path rememberedFolder() = 0;
  virtual void rememberFolder(const std::filesystem::path& folder) = 0;
  virtual std::filesystem::path usersFolder() = 0;
  // Runs muhtasar in the folder and waits: its exit status, or 1 after
  // reporting why it could not start.
  virtual int runMuhtasarIn(const std::filesystem::path& folder) = 0;
  virtual void report(const std::string& message) = 0;
};

// With a path (the opened payroll summary, or a folder), runs muhtasar in its
// folder; without one, asks for the company folder first, starting at the one
// chosen last, and ends quietly with status 0 when the user cancels. The
// folder is remembered once muhtasar is about to run there. Returns the exit
// status for the launcher.
int runLauncher(const std::vector<std::filesystem::path>& paths, LauncherFace& face);

std::string folderMissing(const std::string& folder);
std::string cannotStart(const std::string& program, const std::string& reason);

}  // namespace launcher
