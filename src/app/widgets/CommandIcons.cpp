#include "CommandIcons.h"

#include "IconPalette.h"

#include <QPainter>
#include <QPainterPath>

namespace veloquin {
namespace {

using namespace icon_palette;

void DrawPage(QPainter& p)
{
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(10.5, 1.5);
    page.lineTo(13.5, 4.5);
    page.lineTo(13.5, 14.5);
    page.lineTo(3.5, 14.5);
    page.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kPaper);
    p.drawPath(page);
    p.drawLine(QPointF(10.5, 1.5), QPointF(10.5, 4.5));
    p.drawLine(QPointF(10.5, 4.5), QPointF(13.5, 4.5));
}

void DrawSave(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kBlue);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(kPaper);
    p.drawRect(QRectF(3.5, 1.5, 9, 6));
    p.setBrush(kSteel);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
    p.fillRect(QRectF(9, 11, 2, 3), kOutline);
}

void DrawOpen(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kYellow.darker(115));
    QPainterPath back;
    back.moveTo(1.5, 13.5);
    back.lineTo(1.5, 3.5);
    back.lineTo(5.5, 3.5);
    back.lineTo(6.5, 4.5);
    back.lineTo(12.5, 4.5);
    back.lineTo(12.5, 13.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(kYellow);
    QPainterPath front;
    front.moveTo(1.5, 13.5);
    front.lineTo(4.5, 7.5);
    front.lineTo(15.5, 7.5);
    front.lineTo(12.5, 13.5);
    front.closeSubpath();
    p.drawPath(front);
}

void DrawAbout(QPainter& p)
{
    p.setPen(QPen(kBlue.darker(130), 1));
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.fillRect(QRectF(7, 7, 2, 5), kPaper);
    p.fillRect(QRectF(7, 4, 2, 2), kPaper);
}

void DrawTable(QPainter& p)
{
    DrawPage(p);
    p.setPen(QPen(kBlue, 1));
    for (double y = 6.5; y < 14; y += 2)
        p.drawLine(QPointF(5, y), QPointF(12, y));
    p.drawLine(QPointF(8.5, 6), QPointF(8.5, 13));
}

void DrawOutline(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kSteel);
    p.drawRect(QRectF(2.5, 3.5, 11, 10));
    p.setBrush(kLiquid);
    p.drawRect(QRectF(2.5, 8.5, 11, 5));
    p.setBrush(kSteel.lighter(120));
    p.drawEllipse(QRectF(2.5, 1.5, 11, 4));
}

void DrawPrinterCalibration(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(kSteel);
    p.drawRect(QRectF(1.5, 6.5, 13, 6));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
    p.setPen(QPen(Qt::red, 1));
    p.drawLine(QPointF(5, 12.5), QPointF(11, 12.5));
    p.fillRect(QRectF(12, 8, 2, 1), QColor(60, 180, 60));
}

void DrawProtocol(QPainter& p)
{
    DrawPage(p);
    p.setPen(QPen(kOutline, 1));
    for (double y = 6.5; y < 14; y += 2)
        p.drawLine(QPointF(5, y), QPointF(y < 12 ? 12 : 9, y));
}

void DrawInspector(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.fillRect(QRectF(2, 2, 12, 3), kBlue);
    p.setPen(QPen(kSteel.darker(120), 1));
    for (double y = 7.5; y < 14; y += 3)
        p.drawLine(QPointF(2, y), QPointF(14, y));
    p.drawLine(QPointF(6.5, 5), QPointF(6.5, 14));
}

void DrawExit(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(170, 120, 70));
    p.drawRect(QRectF(1.5, 1.5, 8, 13));
    p.fillRect(QRectF(7, 8, 1, 1), kYellow);
    p.setPen(QPen(QColor(200, 40, 40), 2));
    p.drawLine(QPointF(9, 8), QPointF(15, 8));
    p.drawLine(QPointF(12, 5), QPointF(15, 8));
    p.drawLine(QPointF(12, 11), QPointF(15, 8));
}

void DrawActivePage(QPainter& p)
{
    DrawPage(p);
    p.setPen(QPen(kBlue, 1.5));
    p.setBrush(kLiquid.lighter(140));
    p.drawEllipse(QRectF(5, 5, 5.5, 5.5));
    p.drawLine(QPointF(9.8, 9.8), QPointF(13, 13));
}

void DrawCommand(int index, QPainter& p)
{
    switch (index) {
    case 0: DrawSave(p); break;
    case 1: DrawOpen(p); break;
    case 2: DrawAbout(p); break;
    case 3: DrawTable(p); break;
    case 4: DrawOutline(p); break;
    case 5: DrawPrinterCalibration(p); break;
    case 6: DrawProtocol(p); break;
    case 7: DrawInspector(p); break;
    case 8: DrawExit(p); break;
    case 9: DrawActivePage(p); break;
    default: break;
    }
}

} // namespace

QPixmap RenderDrawing(const IconDrawing& draw, int sizePx)
{
    QPixmap pixmap(sizePx, sizePx);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(sizePx / 16.0, sizePx / 16.0);
    draw(painter);
    return pixmap;
}

QIcon IconFromDrawing(const IconDrawing& draw)
{
    QIcon icon;
    for (int size : {16, 24, 32})
        icon.addPixmap(RenderDrawing(draw, size));
    return icon;
}

QIcon CommandIcon(int index)
{
    return IconFromDrawing([index](QPainter& p) { DrawCommand(index, p); });
}

QPixmap DialogButtonPicture()
{
    QPixmap pixmap(16, 15);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    for (int x : {4, 7, 10})
        painter.fillRect(QRect(x, 9, 2, 2), Qt::black);
    return pixmap;
}

QPixmap AboutPicture(int sizePx)
{
    QPixmap pixmap(sizePx, sizePx);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(sizePx / 100.0, sizePx / 100.0);

    // Shell with its girdles, part filled, and the roof.
    const QRectF shell(15, 22, 60, 66);
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(kSteel.lighter(115));
    p.drawRect(shell);
    p.setBrush(kLiquid);
    p.drawRect(QRectF(15, 52, 60, 36));
    p.setPen(QPen(kOutline, 0.8));
    for (double y = 33; y < 88; y += 11)
        p.drawLine(QPointF(15, y), QPointF(75, y));
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(kSteel);
    p.drawEllipse(QRectF(15, 16, 60, 12));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(15, 82, 60, 12), 180 * 16, 180 * 16);

    // The measuring tape down the hatch, with its weight.
    p.setPen(QPen(QColor(200, 40, 40), 1.2));
    p.drawLine(QPointF(60, 20), QPointF(60, 84));
    p.setBrush(QColor(200, 40, 40));
    p.drawRect(QRectF(58, 84, 4, 4));

    // Level marks on the right.
    p.setPen(QPen(kOutline, 1));
    for (int i = 0; i <= 6; ++i) {
        const double y = 88 - i * 11;
        p.drawLine(QPointF(80, y), QPointF(i % 2 == 0 ? 90 : 86, y));
    }
    p.drawLine(QPointF(80, 22), QPointF(80, 88));
    return pixmap;
}

} // namespace veloquin
