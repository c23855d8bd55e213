// Placeholder body so the program links while the start-up is being written.
#include "period/startup.h"

namespace period {
void StartUp(form::Form&, std::string&) {}
}  // namespace period
