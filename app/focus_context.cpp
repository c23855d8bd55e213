#include "app/focus_context.h"

#include <algorithm>

#include "form/catalogue.h"

namespace app {
namespace {

// The components that open the sections of the form below its title block.
constexpr const char* kSectionOpenings[] = {"StaticTextTablo1", "StaticText31", "Panel2",
                                            "StaticTextTablo2"};

}  // namespace

int scrolledTo(int value, int first, int last, int visible, int margin, int context) {
  if (first - margin < value) {
    const bool contextFits = context >= 0 && last + margin + 1 - context <= visible;
    return contextFits ? context : first - margin;
  }
  if (last + margin >= value + visible) return last + margin + 1 - visible;
  return value;
}

int sectionTopOf(int top) {
  int sectionTop = 0;
  for (const form::Component& c : form::catalogue()) {
    for (const char* opening : kSectionOpenings) {
      if (c.name == opening && c.top <= top) sectionTop = std::max(sectionTop, c.top);
    }
  }
  return sectionTop;
}

}  // namespace app
