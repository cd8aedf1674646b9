#include "PagePainter.h"

#include <algorithm>

namespace veloquin {

namespace PageFonts {
const char* const Arial = "Arial";
const char* const TimesNewRoman = "Times New Roman";
const char* const CourierNew = "Courier New";
} // namespace PageFonts

int FontPointSize(const PageGeometry& geometry, double heightMm, int dotsPerInch)
{
    if (dotsPerInch <= 0)
        return 1;
    return RoundToEven(geometry.MmToLen(heightMm) * 72.0 / dotsPerInch);
}

void PagePainter::SetPen(double widthMm, PenStyle style)
{
    SetPenPixels(MmToLen(widthMm), style);
}

void PagePainter::SetPenPixels(int widthPx, PenStyle style)
{
    m_canvas.SetPen(Qt::black, widthPx, style);
}

void PagePainter::SetFont(const char* family, double heightMm, FontStyle style)
{
    m_fontHeightMm = heightMm;
    m_canvas.SetFont(QString::fromUtf8(family), FontPointSize(m_geometry, heightMm, m_canvas.DotsPerInch()), style);
}

void PagePainter::MoveTo(double xMm, double yMm)
{
    m_canvas.MoveTo(MmToX(xMm), MmToY(yMm));
}

void PagePainter::LineTo(double xMm, double yMm)
{
    m_canvas.LineTo(MmToX(xMm), MmToY(yMm));
}

void PagePainter::Line(double x1Mm, double y1Mm, double x2Mm, double y2Mm)
{
    MoveTo(x1Mm, y1Mm);
    LineTo(x2Mm, y2Mm);
}

void PagePainter::BoxPath(double leftMm, double topMm, double rightMm, double bottomMm)
{
    MoveTo(leftMm, topMm);
    LineTo(leftMm, bottomMm);
    LineTo(rightMm, bottomMm);
    LineTo(rightMm, topMm);
    LineTo(leftMm, topMm);
}

void PagePainter::FillRect(double leftMm, double topMm, double rightMm, double bottomMm)
{
    m_canvas.FillRect(MmToX(leftMm), MmToY(topMm), MmToX(rightMm), MmToY(bottomMm));
}

void PagePainter::Rectangle(double leftMm, double topMm, double rightMm, double bottomMm)
{
    m_canvas.Rectangle(MmToX(leftMm), MmToY(topMm), MmToX(rightMm), MmToY(bottomMm));
}

void PagePainter::Text(double xMm, double yMm, const std::string& text)
{
    if (!text.empty())
        m_canvas.TextOut(MmToX(xMm), MmToY(yMm), QString::fromStdString(text));
}

void PagePainter::TextCentred(double leftMm, double rightMm, double yMm, const std::string& text)
{
    if (!text.empty())
        veloquin::TextCentred(m_canvas, MmToX(leftMm), MmToX(rightMm), MmToY(yMm), QString::fromStdString(text));
}

void PagePainter::TextRight(double rightMm, double yMm, const std::string& text)
{
    if (!text.empty())
        veloquin::TextRight(m_canvas, MmToX(rightMm), MmToY(yMm), QString::fromStdString(text));
}

void PagePainter::OptionText(const std::string& field, double xMm, double yMm, double placeRightMm, const std::string& text)
{
    if (text.empty())
        return;
    Text(xMm, yMm, text);
    CheckPlace(field, MmToX(xMm), yMm, QString::fromStdString(text), xMm, placeRightMm);
}

void PagePainter::OptionTextCentred(const std::string& field, double leftMm, double rightMm, double yMm,
                                    const std::string& text)
{
    if (text.empty())
        return;
    const auto [x, width] = veloquin::TextCentred(m_canvas, MmToX(leftMm), MmToX(rightMm), MmToY(yMm),
                                                  QString::fromStdString(text));
    NotePlace(field, x, width, yMm, leftMm, rightMm);
}

void PagePainter::CheckPlace(const std::string& field, int leftPx, double yMm, const QString& text, double placeLeftMm,
                             double placeRightMm)
{
    if (!text.isEmpty())
        NotePlace(field, leftPx, m_canvas.TextWidth(text), yMm, placeLeftMm, placeRightMm);
}

void PagePainter::NotePlace(const std::string& field, double leftPx, int widthPx, double yMm, double placeLeftMm,
                            double placeRightMm)
{
    if (m_geometry.ScaleX <= 0)
        return;
    const double outPx = std::max(0.0, MmToX(placeLeftMm) - leftPx) +
                         std::max(0.0, leftPx + widthPx - MmToX(placeRightMm));
    const double byMm = outPx * 100.0 / m_geometry.ScaleX;
    // Within a twentieth of a millimetre is rounding, not a text that leaves its place.
    if (byMm < 0.05)
        return;
    const double shiftMm = m_geometry.ToPrinter ? m_geometry.calibration.dXCalibr : 0;
    const auto toMm = [&](double px) { return px * 100.0 / m_geometry.ScaleX - shiftMm; };
    TextOverflow overflow;
    overflow.field = field;
    overflow.byMm = byMm;
    overflow.leftMm = toMm(leftPx);
    overflow.rightMm = toMm(leftPx + widthPx);
    overflow.topMm = yMm;
    overflow.bottomMm = yMm + m_fontHeightMm;
    overflow.placeLeftMm = placeLeftMm;
    overflow.placeRightMm = placeRightMm;
    m_canvas.NoteOverflow(overflow);
}

} // namespace veloquin
