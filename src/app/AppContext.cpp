#include "AppContext.h"

namespace veloquin {
namespace {

std::string WithSeparator(const std::string& directory)
{
    if (directory.empty() || directory.back() == '/')
        return directory;
    return directory + '/';
}

} // namespace

QString AppContext::NewFileName()
{
    return QStringLiteral("Резервуар1.vlq");
}

AppContext::AppContext(const std::string& directory)
    : startDirectory(WithSeparator(directory)), currentFileName(NewFileName()),
      settings(SettingsFilePath(startDirectory))
{
    // A new tank leaves its constructor modified; nothing has changed yet for the user.
    tank.SetModified(false);
    editing.StartNewHistory();
}

} // namespace veloquin
