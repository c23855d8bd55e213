#pragma once

#include <clocale>
#include <string>

namespace testing_support {

// The process locale of a Turkish desktop, as Qt sets it when the application
// starts, for the life of the object: numbers there are written with a decimal
// comma. The names are glibc's and those of the Windows C run-time.
class TurkishLocale {
 public:
  TurkishLocale() : saved_(std::setlocale(LC_ALL, nullptr)) {
    for (const char* name : {"tr_TR.UTF-8", "tr_TR.utf8", "tr-TR", "Turkish_Turkey.1254"}) {
      if (std::setlocale(LC_ALL, name) != nullptr) break;
    }
  }
  ~TurkishLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
  TurkishLocale(const TurkishLocale&) = delete;
  TurkishLocale& operator=(const TurkishLocale&) = delete;

  // False where no Turkish locale exists (scripts/install-deps generates it).
  static bool writesDecimalComma() { return std::string(std::localeconv()->decimal_point) == ","; }

 private:
  std::string saved_;
};

}  // namespace testing_support
