#pragma once
// The one font of every window. The inspector and the dialogs are laid out in
// pixels (16 px rows, 15 px editors), so the font is fixed in pixels too: a text
// that fits at 96 dpi then fits at any logical dpi the desktop reports.

#include <QFont>
#include <QString>

namespace veloquin {

// Sans serif, 11 px (8 pt at 96 dpi), Liberation Sans where installed.
QFont UiFont();

// The application title: the caption of every message box.
QString ApplicationTitle();
void SetApplicationTitle(const QString& title);

} // namespace veloquin
