#pragma once
// The pictures of the commands (tool bars and menu), drawn by the program itself
// so that no image files need to ship. Indexes are those of the command table:
// 0 save, 1 open, 2 about, 3 calibration table, 4 tank outline, 5 printer
// calibration, 6 protocol, 7 inspector, 8 exit, 9 active page.

#include <QIcon>
#include <QPixmap>

#include <functional>

class QPainter;

namespace veloquin {

constexpr int kCommandIconCount = 10;

QIcon CommandIcon(int index);

// Every picture of the program is drawn on a 16 x 16 grid by `draw`; these
// render it antialiased at any size, or as an icon of 16, 24 and 32 pixels.
using IconDrawing = std::function<void(QPainter&)>;
QPixmap RenderDrawing(const IconDrawing& draw, int sizePx);
QIcon IconFromDrawing(const IconDrawing& draw);

// The small picture of the inspector's dialog button (an ellipsis), 16 x 15.
QPixmap DialogButtonPicture();

// The picture of the About box: a vertical tank with a measuring tape.
QPixmap AboutPicture(int sizePx);

} // namespace veloquin
