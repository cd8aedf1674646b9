#pragma once
// The few colours every picture drawn on the 16-pixel grid is painted with, so
// that the tool bars, the preview and the clipboard buttons look of one set.

#include <QColor>

namespace veloquin::icon_palette {

inline const QColor kOutline(60, 60, 60);
inline const QColor kPaper(255, 255, 255);
inline const QColor kBlue(40, 80, 160);
inline const QColor kYellow(235, 190, 60);
inline const QColor kSteel(150, 165, 180);
inline const QColor kLiquid(90, 150, 220);

} // namespace veloquin::icon_palette
