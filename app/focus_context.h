#pragma once

#include <cstddef>

namespace app {

// Where a scroll bar at `value` goes so that a field from `first` to `last`
// (inclusive) shows whole in a view `visible` long, with a margin where there
// is room. Scrolling up, the view goes on up to the context top (the heading
// the field belongs to, or -1 for none) as long as the field stays in view.
int scrolledTo(int value, int first, int last, int visible, int margin, int context = -1);

// The top, in the form's content, of the section that a place at `top`
// belongs to: its heading. The taxpayer block and the period panel have no
// heading of their own (the title block above them tells what the form is),
// so they belong to the top of the form.
int sectionTopOf(int top);

// The part of the form seen at start is built first, the rest right after the
// window's first paint: the first component of the catalogue that, with all
// after it, lies at or below the height (window pixels).
std::size_t firstComponentBelow(int height);

// The margin kept around a field scrolled into view in the client area.
inline constexpr int kScrollMargin = 4;

}  // namespace app
