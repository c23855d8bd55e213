#pragma once

#include <QString>
#include <functional>

namespace launcher {

using ErrorReport = std::function<void(const QString& message)>;

// muhtasar in the launcher's own folder, where both are installed side by side.
QString muhtasarBesideLauncher();

// Runs the program in the folder and waits for it, so that the launcher's exit
// status is muhtasar's. A program that cannot start is reported; the result is
// then 1, as it is when the program crashes.
int runIn(const QString& folder, const QString& program, const ErrorReport& report);

}  // namespace launcher
