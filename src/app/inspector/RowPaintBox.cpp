#include "RowPaintBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace veloquin {

void RowPaintBox::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    if (onPaint)
        onPaint(painter);
}

void RowPaintBox::mousePressEvent(QMouseEvent* event)
{
    if (onMousePress)
        onMousePress(*event);
}

void RowPaintBox::mouseMoveEvent(QMouseEvent* event)
{
    if (onMouseMove)
        onMouseMove(*event);
}

void RowPaintBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (onMouseRelease)
        onMouseRelease(*event);
}

} // namespace veloquin
