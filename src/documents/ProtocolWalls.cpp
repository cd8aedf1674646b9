// Section 3 of the protocol: the distance from the wall to the plumb line at
// every measuring point of every generatrix, twelve generatrices a page. The
// sheet is always ruled for twelve generatrices and twelve girdles, so that a
// page of a small tank can be completed by hand like any other.

#include "ProtocolPageParts.h"
#include "GFunc.h"

#include <algorithm>
#include <array>
#include <string>

namespace veloquin {
namespace {

constexpr double kFirstColumnMm = 63;
constexpr double kColumnWidthMm = 11;
constexpr double kBandHeightMm = 17.4;
constexpr double kFirstBandTopMm = 83.6;
constexpr int kRuledGirdles = 12;

const std::array<const char*, kRuledGirdles> kRomanGirdles{"I",   "II",   "III", "IV", "V",  "VI",
                                                           "VII", "VIII", "IX",  "X",  "XI", "XII"};

double ColumnLeft(int j)
{
    return kFirstColumnMm + kColumnWidthMm * (j - 1);
}

double ColumnRight(int j)
{
    return kFirstColumnMm + kColumnWidthMm * j;
}

void DrawRuling(PagePainter& painter)
{
    painter.SetPen(kTableHeavyPenMm);
    painter.BoxPath(30, 65, 195, 275);
    painter.Line(30, 77, 195, 77);
    painter.SetPen(kThinPenMm);
    DrawRules(painter,
              {{kFirstColumnMm, 71, 195, 71}, {43.2, 65, 43.2, 275}, {kFirstColumnMm, 65, kFirstColumnMm, 275}});
    for (int j = 1; j < kGeneratricesPerPage; ++j)
        painter.Line(ColumnRight(j), 71, ColumnRight(j), 275);
}

void DrawBands(PagePainter& painter)
{
    painter.SetPen(kThinPenMm);
    painter.Line(30, kFirstBandTopMm, 195, kFirstBandTopMm);
    for (int k = 1; k < kRuledGirdles - 1; ++k) {
        const double y = kFirstBandTopMm + kBandHeightMm * k;
        painter.Line(30, y, 195, y);
    }
}

} // namespace

void DrawProtocolWallDeviations(PagePainter& painter, const TSteelVertCylTank& tank, int generatrixOffset)
{
    const int o = generatrixOffset;
    const int columns = std::clamp(tank.GeneratrixCount() - o, 0, kGeneratricesPerPage);
    const int girdles = std::min(tank.GirdleCount(), kRuledGirdles);
    const auto value = [&tank, o](int row, int j) { return FloatToStr(tank.PlumbDistance(row, o + j)); };

    DrawSectionTitle(painter, 55, "3. Радиальные отклонения образующих резервуара от вертикали");
    DrawRuling(painter);

    SetTableFont(painter, FontStyle::Bold);
    for (int j = 1; j <= columns; ++j)
        painter.TextCentred(ColumnLeft(j), ColumnRight(j), 72, std::to_string(o + j));
    SetTableFont(painter);
    for (int j = 1; j <= columns; ++j)
        painter.TextCentred(ColumnLeft(j), ColumnRight(j), 78.3, value(1, j));
    DrawCells(painter, {{30, 43.2, 66.5, "Номер"},
                        {30, 43.2, 71.5, "пояса"},
                        {43.2, kFirstColumnMm, 66.5, "Точки"},
                        {43.2, kFirstColumnMm, 71.5, "измерений"},
                        {kFirstColumnMm, 195, 66, "Номера образующих резервуара"}});
    DrawBands(painter);

    painter.SetFont(PageFonts::CourierNew, 4.5, FontStyle::Bold);
    painter.TextCentred(30, 43.2, 78, kRomanGirdles[0]);
    for (int k = 2; k <= girdles; ++k)
        painter.TextCentred(30, 43.2, kBandHeightMm * k + 55, kRomanGirdles[static_cast<std::size_t>(k - 1)]);

    // Girdle 1 has one row, at three quarters of its height; every further
    // girdle its bottom, middle and (but the top one) its top.
    SetTableFont(painter);
    painter.TextCentred(43.2, kFirstColumnMm, 78.3, "3/4 h");
    for (int k = 2; k <= girdles; ++k) {
        const double bottomY = kBandHeightMm * k + 50;
        const double middleY = kBandHeightMm * k + 55.5;
        const double topY = kBandHeightMm * k + 61;
        const bool hasTop = k < tank.GirdleCount();
        painter.TextCentred(43.2, kFirstColumnMm, bottomY, "Низ");
        painter.TextCentred(43.2, kFirstColumnMm, middleY, "Сер.");
        if (hasTop)
            painter.TextCentred(43.2, kFirstColumnMm, topY, "Верх");
        for (int j = 1; j <= columns; ++j) {
            painter.TextCentred(ColumnLeft(j), ColumnRight(j), bottomY, value(3 * (k - 1) - 1, j));
            painter.TextCentred(ColumnLeft(j), ColumnRight(j), middleY, value(3 * (k - 1), j));
            if (hasTop)
                painter.TextCentred(ColumnLeft(j), ColumnRight(j), topY, value(3 * (k - 1) + 1, j));
        }
    }
}

} // namespace veloquin
