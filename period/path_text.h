#pragma once

#include <filesystem>
#include <string>

namespace period {

// Paths travel as text in UTF-8: on Linux that is the file name's own bytes,
// and on Windows every folder name survives whatever the system's code page
// (an accountant's "Güneşoğlu Halı" on a Windows set up in English).
inline std::filesystem::path pathOfText(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string textOfPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace period
