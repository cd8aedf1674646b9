// The table the tank computes: the steps of the wall at the seams, a volume that
// falls, and the table's top against the nominal capacity.

#include "CheckContext.h"
#include "LevelStepping.h"
#include "PhysicalConstants.h"
#include "RobustStatistics.h"

#include <algorithm>
#include <cmath>

namespace veloquin::checks {
namespace {

using Tank = TSteelVertCylTank;

// Adjacent girdles are welded edge to edge: their radii differ by their sheets
// and by their lean, which erection keeps to a few centimetres.
constexpr double kSeamStepUsualMm = 40;
constexpr double kSeamStepImpossibleMm = 100;

double CapacityPerCentimetre(double circumferenceMm)
{
    return CylinderVolume(circumferenceMm, 10);
}

void CheckSeams(CheckContext& context)
{
    const Tank& tank = context.tank;
    for (int i = 1; i < tank.GirdleCount(); ++i) {
        const double below = tank.IntCircumference(i);
        const double above = tank.IntCircumference(i + 1);
        // A girdle without its plumb readings is reported as such, not by its seams.
        if (below <= 0 || above <= 0 || GirdleLacksPlumbRow(tank, i) || GirdleLacksPlumbRow(tank, i + 1))
            continue;
        const double twoPi = static_cast<double>(physics::kTwoPi);
        const double thicknessChange = tank.SheetThickness(i + 1) - tank.SheetThickness(i);
        const double step = (above - below) / twoPi + thicknessChange;
        if (std::fabs(step) <= kSeamStepUsualMm)
            continue;
        const double qBelow = CapacityPerCentimetre(below);
        const double qAbove = CapacityPerCentimetre(above);
        const double explained = CapacityPerCentimetre(below - twoPi * thicknessChange);
        context.AddJudged(std::fabs(step) > kSeamStepImpossibleMm, CheckedField::GirdleCapacity,
                          FindingIndex::One(i + 1), step,
                          "Шов поясов " + std::to_string(i) + " и " + std::to_string(i + 1) + ", ступень стенки", kMm,
                          "вместимость 1 см меняется с " + Fixed(4, qBelow) + " до " + Fixed(4, qAbove) + " м³ (на " +
                              Fixed(2, (qAbove / qBelow - 1) * 100) + " %), толщины листов объясняют " +
                              Fixed(2, (explained / qBelow - 1) * 100) + " %; проверьте расстояния до нити отвеса",
                          std::string());
    }
}

void CheckTableItself(CheckContext& context)
{
    const Tank& tank = context.tank;
    double previous = 0;
    bool first = true;
    bool reported = false;
    const bool walked = WalkTable(tank, [&](double levelMm, double volume) {
        if (!first && volume < previous && !reported) {
            const double level = levelMm - tank.TouchPointHeight();
            context.Add(Severity::Error, CheckedField::VolumeAtLevel, FindingIndex::None(), level,
                        "Градуировочная таблица, уровень", kMm,
                        "объем " + Fixed(3, volume) + " м³ меньше, чем 10 мм ниже (" + Fixed(3, previous) +
                            " м³); проверьте объемы и границы внутренних деталей",
                        std::string());
            reported = true;
        }
        first = false;
        previous = volume;
    });
    if (!walked)
        return;

    // A table built on a circumference in doubt says nothing of the design capacity.
    if (context.Found(CheckedField::ExtCircumferenceMeasured1) ||
        context.Found(CheckedField::ExtCircumferenceMeasured2))
        return;
    const double design = tank.DesignCapacity();
    const double ratio = previous / design;
    if (ratio < kCapacityRatioUsualMin || ratio > kCapacityRatioUsualMax) {
        const Slip slip = FindSlip(design, previous, previous * (kCapacityRatioUsualMax - 1), ValueUnit::Count,
                                   SlipSearch::ScaleOnly);
        context.AddOutOfRange(ratio < kCapacityRatioPossibleMin || ratio > kCapacityRatioPossibleMax,
                              CheckedField::DesignCapacity, FindingIndex::None(), design, "Номинальная вместимость",
                              "м³",
                              "по таблице до максимального уровня " + Fixed(0, previous) +
                                  " м³; от номинальной вместимости зависит поправка на сварные швы",
                              slip);
    }
}

} // namespace

void CheckTable(CheckContext& context)
{
    CheckSeams(context);
    CheckTableItself(context);
}

} // namespace veloquin::checks
