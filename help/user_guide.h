#pragma once
// Where the user guide "Muhtasar Beyanname Kullanım Kılavuzu" lies beside a
// program, and what F1 says when it cannot be had. Each program looks for it
// relative to its own folder, as the window looks for its print program, so
// that it is found wherever the programs are installed and in the build tree.

#include <filesystem>
#include <string>
#include <vector>

namespace help {

inline constexpr const char* kGuideFolder = "kilavuz";
inline constexpr const char* kGuidePage = "index.html";
// The sections F1 opens at: the window and its menu commands, the preview.
inline constexpr const char* kWindowSection = "komutlar";
inline constexpr const char* kPreviewSection = "onizleme";

// The places looked at, in order: beside the program (Windows, the build
// tree), then the package's documentation folder (Debian: the program in
// /usr/bin, the guide in /usr/share/doc/muhtasar/kilavuz).
std::vector<std::filesystem::path> guidePlaces(const std::filesystem::path& programFolder);

// The guide's page, or an empty path where none of the places holds it.
std::filesystem::path findGuide(const std::filesystem::path& programFolder);

// "Kullanım kılavuzu bulunamadı: <path>" with the first place looked at, and
// "Kullanım kılavuzu açılamadı: <path>" where the desktop would not open it.
std::string guideMissing(const std::filesystem::path& programFolder);
std::string guideNotOpened(const std::filesystem::path& guide);

}  // namespace help
