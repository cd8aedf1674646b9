#include "RecordingCanvas.h"

namespace veloquin {

RecordingCanvas::RecordingCanvas(int dotsPerInch) : MeasuringCanvas(dotsPerInch) {}

void RecordingCanvas::SetPen(QColor colour, int widthPx, PenStyle style)
{
    m_penColour = colour;
    m_penWidth = widthPx;
    m_penStyle = style;
}

void RecordingCanvas::SetBrush(QColor colour)
{
    m_brush = colour;
}

void RecordingCanvas::SetFont(const QString& family, int pointSize, FontStyle style)
{
    MeasuringCanvas::SetFont(family, pointSize, style);
    m_family = family;
    m_pointSize = pointSize;
    m_style = style;
}

void RecordingCanvas::MoveTo(int x, int y)
{
    m_x = x;
    m_y = y;
}

void RecordingCanvas::LineTo(int x, int y)
{
    m_order.emplace_back(CallKind::Line, m_lines.size());
    m_lines.push_back({m_x, m_y, x, y, m_penWidth, m_penStyle, m_penColour});
    m_x = x;
    m_y = y;
}

void RecordingCanvas::Rectangle(int left, int top, int right, int bottom)
{
    m_order.emplace_back(CallKind::Fill, m_fills.size());
    m_fills.push_back({left, top, right, bottom, m_brush, true});
}

void RecordingCanvas::FillRect(int left, int top, int right, int bottom)
{
    m_order.emplace_back(CallKind::Fill, m_fills.size());
    m_fills.push_back({left, top, right, bottom, m_brush, false});
}

void RecordingCanvas::TextOut(int x, int y, const QString& text)
{
    m_order.emplace_back(CallKind::Text, m_texts.size());
    m_texts.push_back({x, y, TextWidth(text), text, m_family, m_pointSize, m_style});
}

void RecordingCanvas::Clear()
{
    ClearOverflows();
    m_texts.clear();
    m_lines.clear();
    m_fills.clear();
    m_order.clear();
}

} // namespace veloquin
