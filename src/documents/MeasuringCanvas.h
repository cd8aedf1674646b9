#pragma once
// A canvas that draws nothing: it measures texts with the real font metrics of
// a device of the given resolution and keeps the option texts the page says do
// not fit their place. What the sheet options dialog checks pages with.
// Needs a QGuiApplication (fonts).

#include "Canvas.h"

#include <QImage>

#include <vector>

namespace veloquin {

class MeasuringCanvas : public Canvas
{
public:
    explicit MeasuringCanvas(int dotsPerInch);

    void SetPen(QColor, int, PenStyle) override {}
    void SetBrush(QColor) override {}
    void SetFont(const QString& family, int pointSize, FontStyle style) override;
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void Rectangle(int, int, int, int) override {}
    void FillRect(int, int, int, int) override {}
    void TextOut(int, int, const QString&) override {}
    int TextWidth(const QString& text) override;
    int DotsPerInch() const override { return m_dotsPerInch; }
    void NoteOverflow(const TextOverflow& overflow) override { m_overflows.push_back(overflow); }

    const std::vector<TextOverflow>& Overflows() const { return m_overflows; }
    void ClearOverflows() { m_overflows.clear(); }

private:
    int m_dotsPerInch;
    QImage m_device; // carries the resolution for the font metrics
    QFont m_font;
    std::vector<TextOverflow> m_overflows;
};

} // namespace veloquin
