#pragma once

class QWidget;

namespace app {

// The program: the application under its title, the window "Form1", the
// event loop. Returns the process's exit code.
int runMuhtasar(int argc, char** argv);

// Set in the environment, the program ends as soon as its window has been
// painted the first time, so that the start-up benchmark measures start-up
// alone: the window is not closed, so the save on close does not run.
inline constexpr const char* kQuitAfterShowVariable = "MUHTASAR_QUIT_AFTER_SHOW";

// Once the window's first paint has reached the screen, writes the line
// "shown" to standard output (the benchmark's mark of the first paint) and
// ends the event loop without closing any window.
void quitAfterFirstPaint(QWidget& window);

}  // namespace app
