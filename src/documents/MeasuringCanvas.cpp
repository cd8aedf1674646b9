#include "MeasuringCanvas.h"

#include <QFontMetrics>

namespace veloquin {

MeasuringCanvas::MeasuringCanvas(int dotsPerInch) : m_dotsPerInch(dotsPerInch), m_device(1, 1, QImage::Format_RGB32)
{
    const int dotsPerMetre = qRound(dotsPerInch / 0.0254);
    m_device.setDotsPerMeterX(dotsPerMetre);
    m_device.setDotsPerMeterY(dotsPerMetre);
}

void MeasuringCanvas::SetFont(const QString& family, int pointSize, FontStyle style)
{
    m_font = CanvasFont(family, pointSize, style);
}

int MeasuringCanvas::TextWidth(const QString& text)
{
    return QFontMetrics(m_font, &m_device).horizontalAdvance(text);
}

} // namespace veloquin
