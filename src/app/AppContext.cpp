#include "AppContext.h"

namespace veloquin {

QString AppContext::NewFileName()
{
    return QStringLiteral("Резервуар1.vlq");
}

AppContext::AppContext(const std::string& settingsPath) : currentFileName(NewFileName()), settings(settingsPath)
{
    // A new tank leaves its constructor modified; Replace clears that: nothing has changed yet for the user.
    editing.Replace(TSteelVertCylTank(), 1);
}

} // namespace veloquin
