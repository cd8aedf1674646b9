#include "PreviewIcons.h"

#include "CommandIcons.h"
#include "IconPalette.h"

#include <QPainter>
#include <QPainterPath>

namespace veloquin {
namespace {

using namespace icon_palette;

const QColor kGlass(200, 225, 250);
const QColor kSkin(240, 200, 160);

void DrawMagnifier(QPainter& p, bool plus)
{
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(kGlass);
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(kOutline, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
    p.setPen(QPen(kBlue, 1.5));
    p.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
    if (plus)
        p.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
}

void DrawHand(QPainter& p)
{
    QPainterPath hand;
    hand.moveTo(4, 15);
    hand.lineTo(2, 9);
    hand.quadTo(2.5, 7.5, 4, 8.5);
    hand.lineTo(5, 10);
    hand.lineTo(5, 3);
    hand.quadTo(6, 1.5, 7, 3);
    hand.lineTo(7, 7.5);
    hand.lineTo(7, 2);
    hand.quadTo(8, 0.5, 9, 2);
    hand.lineTo(9, 7.5);
    hand.lineTo(9, 3);
    hand.quadTo(10, 1.5, 11, 3);
    hand.lineTo(11, 8);
    hand.lineTo(11, 5);
    hand.quadTo(12, 3.5, 13, 5);
    hand.lineTo(13, 11);
    hand.quadTo(12.5, 14, 11, 15);
    hand.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kSkin);
    p.drawPath(hand);
}

void DrawPrinter(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(kSteel);
    p.drawRect(QRectF(1.5, 6.5, 13, 6));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
    p.setPen(QPen(kOutline, 0.8));
    p.drawLine(QPointF(5.5, 12.5), QPointF(10.5, 12.5));
    p.fillRect(QRectF(12, 8, 1.5, 1.2), QColor(60, 180, 60));
}

void DrawSheetOptions(QPainter& p)
{
    QPainterPath page;
    page.moveTo(2.5, 1.5);
    page.lineTo(10.5, 1.5);
    page.lineTo(10.5, 14.5);
    page.lineTo(2.5, 14.5);
    page.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kPaper);
    p.drawPath(page);
    // The frame and title block of a page.
    p.setPen(QPen(kBlue, 0.8));
    p.drawRect(QRectF(4, 3, 5, 10));
    p.drawLine(QPointF(4, 5), QPointF(9, 5));
    // A pencil across the corner.
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(QColor(235, 190, 60));
    QPainterPath pencil;
    pencil.moveTo(9, 13);
    pencil.lineTo(14.5, 7.5);
    pencil.lineTo(15.5, 8.5);
    pencil.lineTo(10, 14);
    pencil.lineTo(8.5, 14.5);
    pencil.closeSubpath();
    p.drawPath(pencil);
}

void DrawArrow(QPainter& p, bool up)
{
    QPainterPath arrow;
    if (up) {
        arrow.moveTo(12, 1);
        arrow.lineTo(16, 5.5);
        arrow.lineTo(13.5, 5.5);
        arrow.lineTo(13.5, 9);
        arrow.lineTo(10.5, 9);
        arrow.lineTo(10.5, 5.5);
        arrow.lineTo(8, 5.5);
    } else {
        arrow.moveTo(12, 15);
        arrow.lineTo(16, 10.5);
        arrow.lineTo(13.5, 10.5);
        arrow.lineTo(13.5, 7);
        arrow.lineTo(10.5, 7);
        arrow.lineTo(10.5, 10.5);
        arrow.lineTo(8, 10.5);
    }
    arrow.closeSubpath();
    p.setPen(QPen(kBlue.darker(130), 0.8));
    p.setBrush(kBlue);
    p.drawPath(arrow);
}

void DrawPageOnly(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(2.5, 1.5, 8, 13));
    p.setPen(QPen(kSteel.darker(120), 0.8));
    for (double y = 4.5; y < 13; y += 2)
        p.drawLine(QPointF(4, y), QPointF(9, y));
}

void DrawIcon(PreviewIcon icon, QPainter& p)
{
    switch (icon) {
    case PreviewIcon::ZoomIn: DrawMagnifier(p, true); break;
    case PreviewIcon::ZoomOut: DrawMagnifier(p, false); break;
    case PreviewIcon::Hand: DrawHand(p); break;
    case PreviewIcon::Print: DrawPrinter(p); break;
    case PreviewIcon::SheetOptions: DrawSheetOptions(p); break;
    case PreviewIcon::PageUp:
        DrawPageOnly(p);
        DrawArrow(p, true);
        break;
    case PreviewIcon::PageDown:
        DrawPageOnly(p);
        DrawArrow(p, false);
        break;
    }
}

} // namespace

QIcon PreviewCommandIcon(PreviewIcon icon)
{
    return IconFromDrawing([icon](QPainter& p) { DrawIcon(icon, p); });
}

QPixmap PrinterPicture(int sizePx)
{
    return RenderDrawing([](QPainter& p) { DrawIcon(PreviewIcon::Print, p); }, sizePx);
}

} // namespace veloquin
