#pragma once

#include <QString>

namespace platform::paths {

// The separator that ends every folder text of the program.
QChar separator();

// A stored folder as the program uses it: backslashes (a company table written
// on Windows) count as separators, and the text ends in the separator. An
// empty folder becomes the separator alone.
QString asFolder(const QString& stored);

bool isAbsolute(const QString& folder);

// The current folder of the process, ending in the separator.
QString currentFolder();

// The settings file of a company: WorkFolder + DataFolder + "FileConfig.txt",
// or DataFolder + "FileConfig.txt" when the data folder is absolute.
QString settingsFile(const QString& workFolder, const QString& dataFolder);

// The marker that allows this computer without a login:
// <user data folder>/Monvela/.FileSys<computer name>.tr (hidden by its leading dot).
QString accessMarker(const QString& computerName);

// WorkFolder + "m3Help" + separator + "Monvela.hlp".
QString helpFile(const QString& workFolder);

// WorkFolder + "Empre001/ICONOS/notify.wav".
QString defaultSoundFile(const QString& workFolder);

} // namespace platform::paths
