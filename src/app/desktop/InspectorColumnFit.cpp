#include "InspectorColumnFit.h"

#include "AppFont.h"
#include "TankInspector.h"

#include <QFontMetrics>

#include <algorithm>

namespace veloquin {
namespace {

// The caption is drawn 2 px in from the column's edge; a few more keep it off the splitter.
constexpr int kCaptionInsetPx = 2;
constexpr int kCaptionSlackPx = 6;

} // namespace

int CaptionColumnFitPx(const TankInspector& inspector)
{
    const QFontMetrics metrics(UiFont());
    int widest = 0;
    for (int row = 1; row <= inspector.RowCount(); ++row)
        widest = std::max(widest, metrics.horizontalAdvance(inspector.GetCell(0, row)));
    return widest + kCaptionInsetPx + kCaptionSlackPx;
}

InspectorSettings InspectorGeometryToShow(const ProfileFile& settings, const TankInspector& inspector)
{
    InspectorSettings geometry = ReadInspectorSettings(settings);
    if (!InspectorColumnWidthStored(settings))
        geometry.col1WidthPx = std::max(geometry.col1WidthPx, CaptionColumnFitPx(inspector));
    return geometry;
}

} // namespace veloquin
