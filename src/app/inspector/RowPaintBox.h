#pragma once
// A widget that is only a surface: its owner paints it and handles its mouse.
// The inspector's caption column, splitter and value column are three of these.

#include <QWidget>

#include <functional>

namespace veloquin {

class RowPaintBox : public QWidget
{
public:
    explicit RowPaintBox(QWidget* parent) : QWidget(parent) {}

    std::function<void(QPainter&)> onPaint;
    std::function<void(QMouseEvent&)> onMousePress;
    std::function<void(QMouseEvent&)> onMouseMove;
    std::function<void(QMouseEvent&)> onMouseRelease;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace veloquin
