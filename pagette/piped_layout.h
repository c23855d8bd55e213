#pragma once

#include <istream>

#include "printer.h"

namespace pagette {

// Lays a job out on a thread of its own, measuring its texts with a measurer
// made there, while the calling thread hands to the printer, in the same order,
// every call that the layout makes of it. Drawing and laying out then share the
// work of a long job. The printer receives exactly what a layout on its own
// thread would give it. Throws whatever the layout or the printer throws.
void layOutAlongside(std::istream& job, Printer& printer, const MeasurerMaker& makeMeasurer);

}  // namespace pagette
