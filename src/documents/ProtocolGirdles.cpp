// The protocol's page of sections 4 to 6: the mean radial deviation of every
// girdle, the liquid at the measurement, the girdles' dimensions and the paint.

#include "ProtocolPageParts.h"
#include "GFunc.h"

#include <algorithm>
#include <string>

namespace veloquin {
namespace {

constexpr int kGirdleColumns = 12;

void DrawMeanDeviations(PagePainter& painter, const TSteelVertCylTank& tank, int girdles)
{
    DrawSectionTitle(painter, 55, "4. Средние радиальные отклонения образующих резервуара от вертикали");
    painter.SetPen(kTableHeavyPenMm);
    painter.BoxPath(30, 65, 195, 87);
    DrawRules(painter, {{30, 77, 195, 77}, {57, 65, 57, 87}});
    painter.SetPen(kThinPenMm);
    painter.Line(57, 71, 195, 71);
    for (int j = 1; j < kGirdleColumns; ++j)
        painter.Line(57 + 11.5 * j, 71, 57 + 11.5 * j, 87);

    SetTableFont(painter);
    DrawCells(painter, {{57, 195, 66, "Номер пояса"}, {30, 57, 78, "Отклонение от"}, {30, 57, 82, "вертикали, мм"}});
    for (int i = 1; i <= girdles; ++i)
        painter.TextCentred(45.5 + 11.5 * i, 57 + 11.5 * i, 80, OneDecimal(tank.MeanRadialDeviation(i)));
    SetTableFont(painter, FontStyle::Bold);
    for (int i = 1; i <= girdles; ++i)
        painter.TextCentred(45.5 + 11.5 * i, 57 + 11.5 * i, 72, std::to_string(i));
}

void DrawStoredProduct(PagePainter& painter, const TSteelVertCylTank& tank)
{
    DrawSectionTitle(painter, 97, "5. Характеристика продуктов хранения");
    painter.SetPen(kTableHeavyPenMm);
    painter.BoxPath(30, 107, 195, 129);
    painter.SetPen(kThinPenMm);
    DrawRules(painter, {{30, 119, 195, 119}, {85, 107, 85, 129}, {140, 107, 140, 129}});
    SetTableFont(painter);
    DrawCells(painter, {{30, 85, 108, "Уровень жидкости при"},
                        {30, 85, 113, "измерении, мм"},
                        {85, 140, 108, "Плотность жидкости при"},
                        {85, 140, 113, "измерении, кг/м куб."},
                        {140, 195, 108, "Плотность хранимой жидкости,"},
                        {140, 195, 113, "кг/м куб."}});
    painter.TextCentred(30, 85, 122, FloatToStr(tank.CalibrationFillHeight()));
    painter.TextCentred(85, 140, 122, FloatToStr(tank.CalibrationDensity()));
    painter.TextCentred(140, 195, 122, FloatToStr(tank.StoredDensity()));
}

void DrawGirdleDimensions(PagePainter& painter, const TSteelVertCylTank& tank, int girdles)
{
    DrawSectionTitle(painter, 139, "6. Размеры поясов резервуара");
    painter.SetPen(kTableHeavyPenMm);
    painter.BoxPath(30, 149, 195, 228);
    painter.SetPen(kThinPenMm);
    DrawRules(painter, {{30, 167, 195, 167},
                        {55, 149, 55, 228},
                        {83, 149, 83, 228},
                        {139, 149, 139, 228},
                        {167, 149, 167, 228},
                        {111, 158, 111, 228},
                        {83, 158, 139, 158}});

    SetTableFont(painter);
    DrawCells(painter, {{30, 55, 156, "Номер пояса"},
                        {55, 83, 150.5, "Высота пояса"},
                        {55, 83, 155.5, "снаружи резер-"},
                        {55, 83, 160.5, "вуара, мм"},
                        {83, 139, 150.5, "Высота нахлеста, мм"},
                        {83, 111, 160.5, "Низ пояса"},
                        {111, 139, 160.5, "Верх пояса"},
                        {139, 167, 150.5, "Высота пояса"},
                        {139, 167, 155.5, "внутри резер-"},
                        {139, 167, 160.5, "вуара, мм"},
                        {167, 195, 152.5, "Толщина"},
                        {167, 195, 158.5, "листа, мм"}});
    for (int i = 1; i <= girdles; ++i) {
        const double y = 5.0 * i + 163;
        painter.TextRight(76, y, OneDecimal(tank.GirdleHeightOuter(i)));
        painter.TextRight(160, y, OneDecimal(tank.GirdleHeight(i)));
        painter.TextCentred(167, 195, y, OneDecimal(tank.SheetThickness(i)));
        painter.TextRight(102, y, SignedOneDecimal(tank.OverlapBottom(i)));
        painter.TextRight(130, y, SignedOneDecimal(tank.OverlapTop(i)));
    }
    SetTableFont(painter, FontStyle::Bold);
    for (int i = 1; i <= girdles; ++i)
        painter.TextCentred(30, 55, 5.0 * i + 163, std::to_string(i));

    painter.SetPen(kTableHeavyPenMm);
    painter.BoxPath(30, 242, 195, 262);
    painter.SetPen(kThinPenMm);
    painter.Line(30, 252, 195, 252);
    SetTableFont(painter);
    painter.TextCentred(30, 195, 245, "Толщина слоя покраски, мм");
    painter.TextCentred(30, 195, 255, OneDecimal(tank.PaintThickness()));
}

} // namespace

void ProtocolGirdles(PagePainter& painter, const TSteelVertCylTank& tank)
{
    const int girdles = std::min(tank.GirdleCount(), kGirdleColumns);
    DrawMeanDeviations(painter, tank, girdles);
    DrawStoredProduct(painter, tank);
    DrawGirdleDimensions(painter, tank, girdles);
}

} // namespace veloquin
