#include "help/user_guide.h"

#include <system_error>

#include "period/path_text.h"

namespace help {

std::vector<std::filesystem::path> guidePlaces(const std::filesystem::path& programFolder) {
  return {programFolder / kGuideFolder / kGuidePage,
          programFolder.parent_path() / "share" / "doc" / "muhtasar" / kGuideFolder / kGuidePage};
}

std::filesystem::path findGuide(const std::filesystem::path& programFolder) {
  for (const std::filesystem::path& place : guidePlaces(programFolder)) {
    std::error_code error;
    if (std::filesystem::is_regular_file(place, error)) return place;
  }
  return {};
}

std::string guideMissing(const std::filesystem::path& programFolder) {
  return "Kullanım kılavuzu bulunamadı: " + period::textOfPath(guidePlaces(programFolder).front());
}

std::string guideNotOpened(const std::filesystem::path& guide) {
  return "Kullanım kılavuzu açılamadı: " + period::textOfPath(guide);
}

}  // namespace help
