#pragma once

namespace app {

// The program: the application under its title, the window "Form1", the
// event loop. Returns the process's exit code.
int runMuhtasar(int argc, char** argv);

// Set in the environment, the program quits as soon as its window has been
// painted the first time: the start-up benchmark measures up to that point.
inline constexpr const char* kQuitAfterShowVariable = "MUHTASAR_QUIT_AFTER_SHOW";

}  // namespace app
