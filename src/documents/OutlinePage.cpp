#include "OutlinePage.h"

#include "GFunc.h"
#include "PageFrame.h"
#include "PagePainter.h"

#include <cmath>
#include <string>

namespace veloquin {
namespace {

constexpr double kGroundMm = 220;
constexpr double kDrawnHeightMm = 130;
constexpr double kLeftWallMm = 47;
constexpr double kRightWallMm = 177;
constexpr double kWallPenMm = 0.5;
// A girdle with an overlap is set half a millimetre in or out and starts 1 mm
// below the top of the girdle beneath it.
constexpr double kWallStepMm = 0.5;
constexpr double kOverlapDropMm = 1;

// The sign of an overlap; anything that is neither above nor below zero is no step.
int StepOf(double overlapMm)
{
    return overlapMm > 0 ? 1 : overlapMm < 0 ? -1 : 0;
}

std::string GirdleLabel(const TSteelVertCylTank& tank, int i)
{
    double capacityM3 = tank.GirdleCapacity(i);
    if (i == 1 && tank.DeadCavityHeight() > 0)
        capacityM3 += tank.DeadCavityCapacity();
    return "Пояс №" + std::to_string(i) + "   V = " + FormatDecimals(3, capacityM3) + " м3" +
           "   h = " + FormatDecimals(1, tank.GirdleHeight(i)) + " мм" +
           "   Lвн.ц. = " + FormatDecimals(1, tank.IntCircumference(i)) + " мм";
}

void DrawGirdles(PagePainter& painter, const TSteelVertCylTank& tank, const std::vector<OutlineGirdle>& girdles)
{
    for (std::size_t k = 0; k < girdles.size(); ++k) {
        const OutlineGirdle& g = girdles[k];
        painter.SetPen(kWallPenMm);
        painter.Line(g.leftMm, g.bottomMm, g.leftMm, g.topMm);
        painter.Line(g.rightMm, g.bottomMm, g.rightMm, g.topMm);
        painter.SetPenPixels(1, PenStyle::DashDot);
        painter.Line(g.leftMm, g.nominalTopMm, g.rightMm, g.nominalTopMm);
        painter.SetFont(PageFonts::Arial, 3, FontStyle::Italic);
        painter.TextCentred(g.leftMm, g.rightMm, g.nominalTopMm + g.heightMm / 2 - 1.5,
                            GirdleLabel(tank, static_cast<int>(k + 1)));
    }
}

void DrawRoofAndGround(PagePainter& painter, double leftMm, double rightMm)
{
    painter.SetPen(0.8);
    painter.MoveTo(leftMm, 90);
    painter.LineTo((leftMm + rightMm) / 2, 80);
    painter.LineTo(rightMm, 90);

    painter.SetPen(kWallPenMm);
    painter.Line(40, kGroundMm, 184, kGroundMm);
    for (int k = 0; k < 12; ++k)
        painter.Line(46 + 12.2 * k, kGroundMm, 42 + 12.2 * k, kGroundMm + 4);
}

} // namespace

std::vector<OutlineGirdle> OutlineGirdles(const TSteelVertCylTank& tank)
{
    const int n = tank.GirdleCount();
    double totalMm = 0;
    for (int i = 1; i <= n; ++i)
        totalMm += tank.GirdleHeight(i);
    std::vector<OutlineGirdle> girdles;
    if (!(std::isfinite(totalMm) && totalMm > 0))
        return girdles;

    double nominalTopMm = kGroundMm;
    for (int i = 1; i <= n; ++i) {
        OutlineGirdle g;
        g.heightMm = tank.GirdleHeight(i) * kDrawnHeightMm / totalMm;
        // The top girdle's own top overlap is not looked at: nothing stands on it.
        const bool dropsTop = (i == 1 || i < n) && StepOf(tank.OverlapTop(i)) < 0;
        if (i == 1) {
            g.leftMm = kLeftWallMm;
            g.rightMm = kRightWallMm;
            g.bottomMm = kGroundMm;
            g.topMm = kGroundMm - g.heightMm;
        } else {
            const OutlineGirdle& below = girdles.back();
            const int step = StepOf(tank.OverlapBottom(i));
            g.leftMm = below.leftMm + kWallStepMm * step;
            g.rightMm = below.rightMm - kWallStepMm * step;
            g.bottomMm = below.topMm + (step != 0 ? kOverlapDropMm : 0);
            g.topMm = g.bottomMm - g.heightMm - (step < 0 ? kOverlapDropMm : 0);
        }
        if (dropsTop)
            g.topMm -= kOverlapDropMm;
        nominalTopMm -= g.heightMm;
        g.nominalTopMm = nominalTopMm;
        girdles.push_back(g);
    }
    return girdles;
}

void DrawOutlinePage(Canvas& canvas, const PageGeometry& geometry, const TSteelVertCylTank& tank,
                     const PageOptions& options)
{
    PagePainter painter(canvas, geometry);
    DrawPageFrame(painter, options);

    painter.SetFont(PageFonts::Arial, 5, FontStyle::Regular);
    if (options.cbTopCaption)
        painter.OptionTextCentred("edTopCaption", kFrameLeftMm, kFrameRightMm, 65, options.edTopCaption);
    if (options.cbBottomCaption)
        painter.OptionTextCentred("edBottomCaption", kFrameLeftMm, kFrameRightMm, 240, options.edBottomCaption);

    const std::vector<OutlineGirdle> girdles = OutlineGirdles(tank);
    DrawGirdles(painter, tank, girdles);
    // Without girdles the roof spans the walls of an undivided tank.
    const double leftMm = girdles.empty() ? kLeftWallMm : girdles.back().leftMm;
    const double rightMm = girdles.empty() ? kRightWallMm : girdles.back().rightMm;
    DrawRoofAndGround(painter, leftMm, rightMm);
}

} // namespace veloquin
