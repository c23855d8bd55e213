#pragma once

#include <QString>

class QSettings;

namespace launcher {

// The folder muhtasar works in for a path the file manager hands over: the
// folder of a file (whether or not it exists yet), or a folder itself.
QString folderOfOpenedPath(const QString& path);

// The company folder chosen last, remembered between runs; the home folder
// before the first choice or when the remembered one has gone.
QString lastFolder(const QSettings& settings);
void rememberFolder(QSettings& settings, const QString& folder);

}  // namespace launcher
