#pragma once
// The pictures of the preview's commands and the print dialog's printer, drawn
// by the program itself like the main window's command icons.

#include <QIcon>
#include <QPixmap>

namespace veloquin {

enum class PreviewIcon
{
    ZoomIn,
    ZoomOut,
    Hand,
    Print,
    SheetOptions,
    PageUp,
    PageDown
};

QIcon PreviewCommandIcon(PreviewIcon icon);

// Image1 of the print dialog.
QPixmap PrinterPicture(int sizePx);

} // namespace veloquin
