#include "SettingsPlace.h"

#include "AppFont.h"
#include "FileNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace veloquin {
namespace {

// A path as the user knows it: the home folder as "~", cut as messages quote.
QString HomeRelativePath(const std::string& path)
{
    QString shown = PathFromNative(path);
    const QString home = QDir::homePath();
    if (home != QLatin1String("/") && shown.startsWith(home + QLatin1Char('/')))
        shown.replace(0, home.size(), QStringLiteral("~"));
    return QuotedPath(shown);
}

} // namespace

SettingsLocation LocateProgramSettings(const std::string& startDirectory)
{
    // No organisation: the folder is named after the program alone.
    QCoreApplication::setOrganizationName(QString());
    SetApplicationTitle(QStringLiteral("Veloquin"));
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return LocateSettingsFile(startDirectory, config.toStdString(), QDir::homePath().toStdString());
}

QString SettingsMovedMessage(const SettingsLocation& location)
{
    if (location.movedFrom.empty())
        return {};
    return QStringLiteral("Файл настроек перенесён из %1 в %2")
        .arg(HomeRelativePath(location.movedFrom), HomeRelativePath(location.path));
}

} // namespace veloquin
