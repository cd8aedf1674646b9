#pragma once
// Line work of recorded pages in page millimetres: the rules, boxes and walls
// that the texts of a page do not show. Pages are drawn at 10 pixels per mm
// (TenPerMm), so every position of the drawings reads back exactly.

#include "DocumentsTestSupport.h"
#include "PagePainter.h"

#include <cmath>
#include <sstream>
#include <string>

namespace veloquin::test {

inline int TenthsOf(double mm)
{
    return RoundToEven(mm * 10);
}

// A line drawn from (x1, y1) to (x2, y2) with a pen widthMm wide.
inline bool HasLine(const RecordingCanvas& canvas, double x1, double y1, double x2, double y2, double widthMm,
                    PenStyle style = PenStyle::Solid)
{
    for (const RecordedLine& line : canvas.Lines())
        if (line.x1 == TenthsOf(x1) && line.y1 == TenthsOf(y1) && line.x2 == TenthsOf(x2) && line.y2 == TenthsOf(y2) &&
            line.penWidth == TenthsOf(widthMm) && line.penStyle == style)
            return true;
    return false;
}

inline std::string LineText(const RecordedLine& line)
{
    std::ostringstream out;
    out << "(" << line.x1 / 10.0 << ", " << line.y1 / 10.0 << ")-(" << line.x2 / 10.0 << ", " << line.y2 / 10.0
        << ") pen " << line.penWidth / 10.0;
    return out.str();
}

// Lines drawn with a pen of widthMm.
inline std::vector<RecordedLine> LinesOfPen(const RecordingCanvas& canvas, double widthMm)
{
    std::vector<RecordedLine> lines;
    for (const RecordedLine& line : canvas.Lines())
        if (line.penWidth == TenthsOf(widthMm))
            lines.push_back(line);
    return lines;
}

// The closed path of a box: top-left, down, across, up, back.
inline bool HasBoxPath(const RecordingCanvas& canvas, double left, double top, double right, double bottom,
                       double widthMm)
{
    return HasLine(canvas, left, top, left, bottom, widthMm) && HasLine(canvas, left, bottom, right, bottom, widthMm) &&
           HasLine(canvas, right, bottom, right, top, widthMm) && HasLine(canvas, right, top, left, top, widthMm);
}

// A filled box (white, outlined with the pen).
inline bool HasFilledBox(const RecordingCanvas& canvas, double left, double top, double right, double bottom)
{
    for (const RecordedFill& fill : canvas.Fills())
        if (fill.outlined && fill.colour == kWhiteBrush && fill.left == TenthsOf(left) && fill.top == TenthsOf(top) &&
            fill.right == TenthsOf(right) && fill.bottom == TenthsOf(bottom))
            return true;
    return false;
}

} // namespace veloquin::test
