#include "SettingsPlace.h"

#include "AppFont.h"
#include "GFunc.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace veloquin {
namespace {

// A path as the user knows it: the home folder as "~", cut as messages quote.
QString ShownPath(const std::string& path)
{
    QString shown = QString::fromStdString(path);
    const QString home = QDir::homePath();
    if (home != QLatin1String("/") && shown.startsWith(home + QLatin1Char('/')))
        shown.replace(0, home.size(), QStringLiteral("~"));
    return QString::fromStdString(QuotedInput(shown.toStdString()));
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
        .arg(ShownPath(location.movedFrom), ShownPath(location.path));
}

} // namespace veloquin
