// The protocol's last page: the base height, the blank tables of a floating
// cover and of a volumetric calibration (filled in by hand), the signatures.

#include "ProtocolPageParts.h"

namespace veloquin {
namespace {

void DrawBaseHeight(PagePainter& painter, const TSteelVertCylTank& tank)
{
    DrawSectionTitle(painter, 55, "9. Базовая высота");
    painter.SetBrush(kWhiteBrush);
    painter.SetPen(kTableHeavyPenMm);
    painter.Rectangle(30, 65, 195, 80.5);
    painter.SetPen(kThinPenMm);
    DrawRules(painter, {{30, 70, 195, 70}, {30, 75, 195, 75}, {85, 70, 85, 80}, {140, 70, 140, 80}});
    SetTableFont(painter);
    DrawCells(painter, {{30, 195, 65.5, "Определение базовой высоты резервуара, мм"},
                        {30, 85, 70.5, "Первое измерение"},
                        {85, 140, 70.5, "Второе измерение"},
                        {140, 195, 70.5, "Среднее значение"}});
    painter.TextCentred(30, 85, 75.5, OneDecimal(tank.BaseHeightMeas1()));
    painter.TextCentred(85, 140, 75.5, OneDecimal(tank.BaseHeightMeas2()));
    painter.TextCentred(140, 195, 75.5, OneDecimal(tank.BaseHeight()));
}

void DrawFloatingCover(PagePainter& painter)
{
    DrawSectionTitle(painter, 88, "10. Плавающее покрытие");
    painter.SetPen(kTableHeavyPenMm);
    painter.Rectangle(30, 98, 195, 113);
    painter.SetPen(kThinPenMm);
    DrawRules(painter, {{85, 103, 195, 103}, {30, 108, 195, 108}, {85, 98, 85, 113}, {140, 103, 140, 113}});
    SetTableFont(painter);
    DrawCells(painter, {{30, 85, 101, "Масса, кг"},
                        {85, 195, 98.5, "Расстояние от днища резервуара при крайнем положении, мм"},
                        {85, 140, 103.5, "Нижнее положение"},
                        {140, 195, 103.5, "Верхнее положение"}});

    painter.SetPen(kTableHeavyPenMm);
    painter.Rectangle(30, 118, 195, 133);
    painter.SetPen(kThinPenMm);
    DrawRules(painter, {{85, 123, 195, 123},
                        {30, 128, 195, 128},
                        {85, 118, 85, 133},
                        {121.7, 123, 121.7, 133},
                        {158.3, 123, 158.3, 133}});
    DrawCells(painter, {{30, 85, 119, "Внешний диаметр"},
                        {30, 85, 123.5, "понтона, мм"},
                        {85, 195, 118.5, "Диаметры внутренних отверстий, мм"},
                        {85, 121.7, 123.5, "d1"},
                        {121.7, 158.3, 123.5, "d2"},
                        {158.3, 195, 123.5, "d3"}});
}

void DrawVolumetricCalibration(PagePainter& painter)
{
    constexpr double kPairEdges[] = {30, 71.25, 112.5, 153.75, 195};
    constexpr double kHalfEdges[] = {50.6, 91.9, 133.1, 174.4};

    DrawSectionTitle(painter, 141, "11. Градуировка резервуара объемным методом");
    painter.SetPen(kTableHeavyPenMm);
    painter.Rectangle(30, 151, 195.2, 200.2);
    painter.Line(30, 161, 195, 161);
    for (int p = 1; p <= 3; ++p)
        painter.Line(kPairEdges[p], 151, kPairEdges[p], 200);
    painter.SetPen(kThinPenMm);
    for (const double x : kHalfEdges)
        painter.Line(x, 151, x, 200);
    SetTableFont(painter);
    for (int p = 0; p < 4; ++p) {
        painter.TextCentred(kPairEdges[p], kHalfEdges[p], 151.5, "Доза,");
        painter.TextCentred(kPairEdges[p], kHalfEdges[p], 156, "м куб.");
        painter.TextCentred(kHalfEdges[p], kPairEdges[p + 1], 151.5, "Высота,");
        painter.TextCentred(kHalfEdges[p], kPairEdges[p + 1], 156, "мм");
    }

    painter.SetPen(kTableHeavyPenMm);
    painter.Rectangle(30, 205, 195, 215);
    painter.SetPen(kThinPenMm);
    DrawRules(painter, {{30, 210, 195, 210}, {112.5, 205, 112.5, 215}});
    DrawCells(painter, {{30, 112.5, 205.5, "Диаметр резервуара, мм"}, {112.5, 195, 205.5, "Высота резервуара, мм"}});
}

void DrawSignatures(PagePainter& painter, const PageOptions& options)
{
    constexpr ProtocolTextId kPositions[] = {ProtocolTextId::Dolgnost_1, ProtocolTextId::Dolgnost_2,
                                             ProtocolTextId::Dolgnost_3, ProtocolTextId::Dolgnost_4};
    constexpr ProtocolTextId kNames[] = {ProtocolTextId::Familia_1, ProtocolTextId::Familia_2,
                                         ProtocolTextId::Familia_3, ProtocolTextId::Familia_4};
    constexpr double kRowTops[] = {243, 251.5, 260, 268.5};

    DrawSectionTitle(painter, 225, "12. Подписи");
    painter.SetPen(kTableHeavyPenMm);
    painter.Rectangle(30, 235, 195.2, 275);
    painter.Line(30, 241, 195, 241);
    painter.SetPen(kThinPenMm);
    DrawRules(painter, {{95, 235, 95, 275}, {145, 235, 145, 275}});
    SetTableFont(painter);
    DrawCells(painter, {{30, 95, 236, "Должность"}, {95, 145, 236, "Фамилия И.О."}, {145, 195, 236, "Подпись"}});
    for (int row = 0; row < 4; ++row) {
        painter.OptionText(OptionBoxName(kPositions[row]), 32, kRowTops[row], 95, options.Protocol(kPositions[row]));
        painter.OptionText(OptionBoxName(kNames[row]), 97, kRowTops[row], 145, options.Protocol(kNames[row]));
    }
}

} // namespace

void DrawProtocolBaseHeightAndSignatures(PagePainter& painter, const TSteelVertCylTank& tank,
                                         const PageOptions& options)
{
    DrawBaseHeight(painter, tank);
    DrawFloatingCover(painter);
    DrawVolumetricCalibration(painter);
    DrawSignatures(painter, options);
}

} // namespace veloquin
