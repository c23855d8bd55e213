#pragma once

#include <string>

namespace period {

// Tells a window that opens a period which another running window holds: each
// window holds a small lock file beside the store for its period, shared
// with the others, until it ends. A lock file left by a crashed window is
// held by nobody.

// Holds the period of the key for this program (letting go of one held
// before) and tells whether another program held it already.
bool holdOpenPeriod(const std::string& periodKey);

// The lock file of a period: beside the store, named by the key with every
// character but letters and digits written as "%" and two hex digits.
std::string periodLockPath(const std::string& periodKey);

}  // namespace period
