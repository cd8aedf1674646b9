#include "InspectorPaintBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace veloquin {

void InspectorPaintBox::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    if (onPaint)
        onPaint(painter);
}

void InspectorPaintBox::mousePressEvent(QMouseEvent* event)
{
    if (onMousePress)
        onMousePress(*event);
}

void InspectorPaintBox::mouseMoveEvent(QMouseEvent* event)
{
    if (onMouseMove)
        onMouseMove(*event);
}

void InspectorPaintBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (onMouseRelease)
        onMouseRelease(*event);
}

} // namespace veloquin
