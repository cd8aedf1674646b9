#include "AppContext.h"

namespace veloquin {

QString AppContext::NewFileName()
{
    return QStringLiteral("Резервуар1.vlq");
}

AppContext::AppContext(const std::string& settingsPath) : currentFileName(NewFileName()), settings(settingsPath)
{
    // A new tank leaves its constructor modified; nothing has changed yet for the user.
    tank.SetModified(false);
    editing.StartNewHistory();
}

} // namespace veloquin
