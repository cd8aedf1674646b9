#pragma once
// Qt's own texts (the file dialogs, the text boxes' context menus, standard
// buttons) in Russian like the rest of the program, whatever the user's locale.

#include <QString>

#include <memory>

class QTranslator;

namespace veloquin {

// The folder Qt's translation catalogues are installed in.
QString ToolkitTranslationsPath();

// Loads Qt's Russian catalogue and installs it on the application; null when it
// is not installed (Qt's texts then stay English). Destroying the translator
// removes it again.
std::unique_ptr<QTranslator> InstallToolkitTranslation();

} // namespace veloquin
