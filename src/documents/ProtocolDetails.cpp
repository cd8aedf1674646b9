// The protocol's page of sections 7 and 8: the internal details (cylinders and
// bodies of other shape, each box counting its own rows) and the dead cavity
// with the rod readings on the bottom.
//
// Five details of a kind fit in their box; further ones continue downwards at
// the same pitch over what lies below. The rows are drawn after every box of
// the page, so that no later white box covers a detail.

#include "ProtocolPageParts.h"
#include "GFunc.h"

#include <string>

namespace veloquin {
namespace {

// Rows whose top lies below the sheet cannot be printed.
constexpr double kSheetBottomMm = 297;

void DrawDetailBoxes(PagePainter& painter)
{
    SetTableFont(painter);
    painter.Text(31, 60, "7.1. Цилиндрической формы");
    painter.Text(31, 107, "7.2. Прочей формы");

    painter.SetBrush(kWhiteBrush);
    painter.SetPen(kTableHeavyPenMm);
    painter.Rectangle(30, 65, 195, 102);
    painter.SetPen(kThinPenMm);
    DrawRules(painter,
              {{30, 75, 195, 75}, {71, 65, 71, 102}, {112, 65, 112, 102}, {153.5, 70, 153.5, 102}, {112, 70, 195, 70}});
    DrawCells(painter, {{30, 71, 68, "Диаметр, мм"},
                        {71, 112, 68, "Длина цилиндра, мм"},
                        {112, 195, 65.5, "Высота от днища, мм"},
                        {112, 153.5, 70.5, "Нижняя граница"},
                        {153.5, 195, 70.5, "Верхняя граница"}});

    painter.SetPen(kTableHeavyPenMm);
    painter.Rectangle(30, 112, 195, 149);
    painter.SetPen(kThinPenMm);
    DrawRules(painter, {{30, 122, 195, 122}, {112, 112, 112, 149}, {153.5, 117, 153.5, 149}, {112, 117, 195, 117}});
    DrawCells(painter, {{30, 112, 115, "Объем деталей, м куб."},
                        {112, 195, 112.5, "Высота от днища, мм"},
                        {112, 153.5, 117.5, "Нижняя граница"},
                        {153.5, 195, 117.5, "Верхняя граница"}});
}

void DrawDetailRows(PagePainter& painter, const TSteelVertCylTank& tank)
{
    SetTableFont(painter);
    int cylinders = 0;
    int others = 0;
    for (int d = 1; d <= tank.DetailCount(); ++d) {
        const InternalDetail& detail = tank.Detail(d);
        if (!detail.IsArbitrary) {
            const double y = 5.0 * ++cylinders + 71;
            if (y > kSheetBottomMm)
                continue;
            painter.TextCentred(30, 71, y, OneDecimal(detail.Diameter));
            painter.TextCentred(71, 112, y, OneDecimal(detail.Length));
            painter.TextCentred(112, 153.5, y, OneDecimal(detail.Bottom));
            painter.TextCentred(153.5, 195, y, OneDecimal(detail.Top));
        } else {
            const double y = 5.0 * ++others + 118;
            if (y > kSheetBottomMm)
                continue;
            painter.TextCentred(30, 112, y, ThreeDecimals(detail.Volume));
            painter.TextCentred(112, 153.5, y, OneDecimal(detail.Bottom));
            painter.TextCentred(153.5, 195, y, OneDecimal(detail.Top));
        }
    }
}

bool AnyBottomReading(const TSteelVertCylTank& tank)
{
    if (tank.BottomCenter() != 0 || tank.PointPlumb() != 0)
        return true;
    for (int c = 1; c <= TSteelVertCylTank::kBottomCircles; ++c)
        for (int r = 1; r <= TSteelVertCylTank::kBottomRadii; ++r)
            if (tank.BottomReading(c, r) != 0)
                return true;
    return false;
}

double ReadingColumnLeft(int s)
{
    return 87 + 12.0 * s;
}

double ReadingRowTop(int r)
{
    return 5.0 * r + 195;
}

void DrawBottomReadings(PagePainter& painter, const TSteelVertCylTank& tank)
{
    SetTableFont(painter);
    painter.Text(31, 184, "8.2 Отсчеты по рейке на днище резервуара");
    painter.SetBrush(kWhiteBrush);
    painter.SetPen(kTableHeavyPenMm);
    painter.Rectangle(30, 189, 195.2, 247.5);
    DrawRules(painter, {{30, 199, 195, 199}, {30, 241, 195, 241}});
    painter.SetPen(kThinPenMm);
    painter.Line(87, 194, 195, 194);
    for (int s = 0; s <= TSteelVertCylTank::kBottomCircles; ++s)
        painter.Line(ReadingColumnLeft(s), s == 0 ? 189 : 194, ReadingColumnLeft(s), 241);
    painter.Line(147, 241, 147, 247);

    DrawCells(painter, {{30, 87, 192, "Номер радиуса"}, {87, 195, 189.5, "Номер концентрической окружности"}});
    painter.Text(32, 242, "Отсчеты по рейке в точке касания днища грузом рулетки, мм");
    for (int s = 0; s <= TSteelVertCylTank::kBottomCircles; ++s)
        painter.TextCentred(ReadingColumnLeft(s), ReadingColumnLeft(s + 1), 194.5, std::to_string(s));
    for (int r = 1; r <= TSteelVertCylTank::kBottomRadii; ++r)
        painter.TextCentred(30, 87, ReadingRowTop(r), std::to_string(r));

    // A bottom never read is left empty to be filled in by hand, not printed as zeros.
    if (!AnyBottomReading(tank))
        return;
    painter.TextCentred(147, 195, 242, FloatToStr(tank.PointPlumb()));
    const std::string centre = FloatToStr(tank.BottomCenter());
    for (int r = 1; r <= TSteelVertCylTank::kBottomRadii; ++r) {
        painter.TextCentred(ReadingColumnLeft(0), ReadingColumnLeft(1), ReadingRowTop(r), centre);
        for (int c = 1; c <= TSteelVertCylTank::kBottomCircles; ++c)
            painter.TextCentred(ReadingColumnLeft(c), ReadingColumnLeft(c + 1), ReadingRowTop(r),
                                FloatToStr(tank.BottomReading(c, r)));
    }
}

void DrawDeadCavity(PagePainter& painter, const TSteelVertCylTank& tank)
{
    DrawSectionTitle(painter, 159, "8. Вместимость \"мертвой\" полости");
    SetTableFont(painter);
    painter.Text(31, 164, "8.1. Высота \"мертвой\" полости");
    painter.SetBrush(kWhiteBrush);
    painter.SetPen(kTableHeavyPenMm);
    painter.Rectangle(30, 169, 195, 179);
    painter.SetPen(kThinPenMm);
    painter.Line(147, 169, 147, 179);
    painter.Text(32, 172, "Высота \"мертвой\" полости, мм");
    painter.TextCentred(147, 195, 172, FloatToStr(tank.DeadCavityHeight()));

    DrawBottomReadings(painter, tank);

    SetTableFont(painter);
    painter.Text(31, 252, "8.3. Вместимость \"мертвой\" полости");
    painter.SetPen(kTableHeavyPenMm);
    painter.Rectangle(30, 257, 195, 267);
    painter.SetPen(kThinPenMm);
    painter.Line(147, 257, 147, 267);
    painter.Text(32, 260, "Вместимость \"мертвой\" полости, м куб.");
    painter.TextCentred(147, 195, 260, ThreeDecimals(tank.DeadCavityCapacity()));
}

} // namespace

void DrawProtocolDetailsAndDeadCavity(PagePainter& painter, const TSteelVertCylTank& tank)
{
    DrawSectionTitle(painter, 55, "7. Внутренние детали");
    DrawDetailBoxes(painter);
    DrawDeadCavity(painter, tank);
    DrawDetailRows(painter, tank);
}

} // namespace veloquin
