#pragma once
// Where the running program keeps its settings file: the rule of
// LocateSettingsFile on the user's configuration folder
// ($XDG_CONFIG_HOME/Veloquin, ~/.config/Veloquin when that is not set) and home
// folder, and the status bar's line when an old file was moved there.

#include "Settings.h"

#include <QString>

#include <string>

namespace veloquin {

// Sets the application's name, which the configuration folder is named after.
SettingsLocation LocateProgramSettings(const std::string& startDirectory);

// "Файл настроек перенесён из ~/Veloquin.ini в ~/.config/Veloquin/Veloquin.ini";
// empty when nothing was moved.
QString SettingsMovedMessage(const SettingsLocation& location);

} // namespace veloquin
