#include "ProtocolPageParts.h"

#include "GFunc.h"

namespace veloquin {

void DrawRules(PagePainter& painter, std::initializer_list<RuleMm> rules)
{
    for (const RuleMm& rule : rules)
        painter.Line(rule.x1, rule.y1, rule.x2, rule.y2);
}

void DrawCells(PagePainter& painter, std::initializer_list<CellText> cells)
{
    for (const CellText& cell : cells)
        painter.TextCentred(cell.left, cell.right, cell.y, cell.text);
}

void DrawSectionTitle(PagePainter& painter, double yMm, const char* title)
{
    painter.SetFont(PageFonts::Arial, 4, FontStyle::Regular);
    painter.TextCentred(25, 200, yMm, title);
}

void SetTableFont(PagePainter& painter, FontStyle style)
{
    painter.SetFont(PageFonts::Arial, 3.5, style);
}

std::string OneDecimal(double value)
{
    return FormatDecimals(1, value);
}

std::string ThreeDecimals(double value)
{
    return FormatDecimals(3, value);
}

std::string SignedOneDecimal(double value)
{
    return value > 0 ? "+" + OneDecimal(value) : OneDecimal(value);
}

} // namespace veloquin
