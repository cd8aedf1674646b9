#include "Canvas.h"

#include "PageGeometry.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace veloquin {

QFont CanvasFont(const QString& family, int pointSize, FontStyle style)
{
    QFont font(family);
    // Without the named font (a bare system) the hint still finds a look-alike.
    if (family.contains(QLatin1String("Times")))
        font.setStyleHint(QFont::Serif);
    else if (family.contains(QLatin1String("Courier")))
        font.setStyleHint(QFont::TypeWriter);
    else
        font.setStyleHint(QFont::SansSerif);
    // A page shrunk to a few pixels still gets a font Qt accepts.
    font.setPointSize(std::max(1, pointSize));
    font.setBold(style == FontStyle::Bold);
    font.setItalic(style == FontStyle::Italic);
    font.setKerning(false);
    return font;
}

std::pair<int, int> TextCentred(Canvas& canvas, int left, int right, int y, const QString& text)
{
    const int width = canvas.TextWidth(text);
    // In double, exact for ints: cells from any coordinates never overflow.
    const double offset = RoundToEven((static_cast<double>(right) - left - width) / 2.0);
    const int x = RoundToEven(left + offset);
    canvas.TextOut(x, y, text);
    return {x, width};
}

void TextRight(Canvas& canvas, int right, int y, const QString& text)
{
    canvas.TextOut(RoundToEven(static_cast<double>(right) - canvas.TextWidth(text)), y, text);
}

namespace {

Qt::PenStyle QtPenStyle(PenStyle style)
{
    return style == PenStyle::DashDot ? Qt::DashDotLine : Qt::SolidLine;
}

} // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter)
    : m_painter(painter), m_linePen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin), m_textPen(Qt::black, 0),
      m_metrics(painter.font(), painter.device())
{
    m_painter.setPen(m_linePen);
    m_painter.setBrush(Qt::NoBrush);
}

void QPainterCanvas::SetPen(QColor colour, int widthPx, PenStyle style)
{
    m_linePen = QPen(colour, std::max(1, widthPx), QtPenStyle(style), Qt::RoundCap, Qt::RoundJoin);
}

void QPainterCanvas::SetBrush(QColor colour)
{
    m_brush = colour;
}

void QPainterCanvas::SetFont(const QString& family, int pointSize, FontStyle style)
{
    const QFont font = CanvasFont(family, pointSize, style);
    m_painter.setFont(font);
    m_metrics = QFontMetrics(font, m_painter.device());
}

void QPainterCanvas::MoveTo(int x, int y)
{
    m_x = x;
    m_y = y;
}

void QPainterCanvas::LineTo(int x, int y)
{
    m_painter.setPen(m_linePen);
    m_painter.drawLine(m_x, m_y, x, y);
    m_x = x;
    m_y = y;
}

void QPainterCanvas::Rectangle(int left, int top, int right, int bottom)
{
    m_painter.setPen(m_linePen);
    m_painter.setBrush(m_brush);
    m_painter.drawRect(QRectF(left, top, static_cast<double>(right) - left, static_cast<double>(bottom) - top));
    m_painter.setBrush(Qt::NoBrush);
}

void QPainterCanvas::FillRect(int left, int top, int right, int bottom)
{
    m_painter.fillRect(
        QRect(left, top, RoundToEven(static_cast<double>(right) - left), RoundToEven(static_cast<double>(bottom) - top)),
        m_brush);
}

void QPainterCanvas::TextOut(int x, int y, const QString& text)
{
    m_painter.setPen(m_textPen);
    m_painter.drawText(x, y + m_metrics.ascent(), text);
}

int QPainterCanvas::TextWidth(const QString& text)
{
    return m_metrics.horizontalAdvance(text);
}

int QPainterCanvas::DotsPerInch() const
{
    return m_painter.device()->logicalDpiY();
}

} // namespace veloquin
