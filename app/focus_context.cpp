#include "app/focus_context.h"

#include <algorithm>
#include <map>
#include <string>

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

std::size_t firstComponentBelow(int height) {
  const auto& catalogue = form::catalogue();
  std::map<std::string, int, std::less<>> containerTop = {{"", 0}};
  std::size_t first = catalogue.size();
  for (std::size_t i = 0; i < catalogue.size(); ++i) {
    const form::Component& c = catalogue[i];
    const int top = containerTop.at(c.parent) + c.top;
    if (c.kind == form::ComponentKind::Panel || c.kind == form::ComponentKind::ScrollBox)
      containerTop.emplace(c.name, top);
    if (top < height)
      first = catalogue.size();
    else if (first == catalogue.size())
      first = i;
  }
  return first;
}

}  // namespace app
