#include "period/period_hold.h"

#include "form/ascii.h"
#include "period/file_replace.h"
#include "period/store.h"

namespace period {
namespace {

// Let go when the program ends; a crash lets go of the lock by itself.
class Hold {
 public:
  ~Hold() { release(); }
  bool take(const std::string& path) {
    release();
    bool heldByOthers = false;
    handle_ = holdLockFile(path, heldByOthers);
    path_ = path;
    return handle_ != -1 && heldByOthers;
  }

 private:
  void release() {
    releaseLockFile(path_, handle_);
    handle_ = -1;
  }
  std::string path_;
  long long handle_ = -1;
};

}  // namespace

std::string periodLockPath(const std::string& periodKey) {
  constexpr char kHex[] = "0123456789abcdef";
  std::string name = storePath() + ".";
  for (char c : periodKey) {
    // Section names ignore letter case: one lock for one period.
    const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    if (form::isAsciiDigit(lower) || (lower >= 'a' && lower <= 'z')) {
      name += lower;
    } else {
      name += '%';
      name += kHex[static_cast<unsigned char>(c) >> 4];
      name += kHex[static_cast<unsigned char>(c) & 15];
    }
  }
  return name + ".lock";
}

bool holdOpenPeriod(const std::string& periodKey) {
  static Hold hold;
  return hold.take(periodLockPath(periodKey));
}

}  // namespace period
