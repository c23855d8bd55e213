#pragma once

#include <QStringList>

#include "launcher/launch_rules.h"
#include "launcher/qt/start_muhtasar.h"

class QSettings;

namespace launcher {

// With a path (the opened payroll summary, or a folder), runs muhtasar in its
// folder; without one, asks for the company folder first, starting at the one
// chosen last, and ends quietly with status 0 when the user cancels. Returns
// the exit status for the launcher.
int runLauncher(const QStringList& paths, QSettings& settings, const QString& muhtasarProgram,
                const ErrorReport& report);

}  // namespace launcher
