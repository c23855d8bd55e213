#pragma once

#include <string>

namespace form {
class Form;
}

namespace period {

// Runs once at window creation: reads the period key, loads the stored
// declaration or computes a fresh one, closes a gap in row 8, saves.
void StartUp(form::Form& form, std::string& periodKey);

}  // namespace period
