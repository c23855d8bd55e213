#pragma once
// What both windows show in "Beyanname Geçmişi": the period's versions,
// newest first, and how the selected one differs from the form.

#include <string>
#include <string_view>
#include <vector>

#include "period/history.h"

namespace form {
class Form;
}

namespace app {

inline constexpr const char* kHistoryWindowTitle = "Beyanname Geçmişi";
inline constexpr const char* kRestoreButton = "&Geri Yükle";
inline constexpr const char* kNoVersions = "Bu dönemin kaydedilmiş önceki hali yok.";
inline constexpr const char* kNoDifferences = "Bu hali formdakiyle aynı.";

struct HistoryView {
  std::vector<period::Version> versions;  // newest first
  std::vector<std::string> labels;        // «2026-12-09 10:00:00  Kaydetmeden önce», UTF-8
};

// The versions of the period in the history of the current directory.
HistoryView historyViewOf(std::string_view periodKey);

// Each field the version holds otherwise than the form, by its caption and
// row as the form shows them: «<caption>: «<version>», şimdi «<form>»».
std::vector<std::string> differencesOf(const period::Version& version, const form::Form& form);

}  // namespace app
