#include "AppFont.h"

#include <QCoreApplication>

namespace veloquin {

QFont UiFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

QString ApplicationTitle()
{
    return QCoreApplication::applicationName();
}

void SetApplicationTitle(const QString& title)
{
    // The application name, not the display name: Qt appends a display name to
    // every window caption, and the main window sets its whole caption itself.
    QCoreApplication::setApplicationName(title);
}

} // namespace veloquin
