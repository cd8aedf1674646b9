// The bottom: the staff readings of its circles, its centre and the touch point.

#include "CheckContext.h"
#include "LevelStepping.h"
#include "PhysicalConstants.h"
#include "RobustStatistics.h"

#include <algorithm>
#include <cmath>

namespace veloquin::checks {
namespace {

using Tank = TSteelVertCylTank;

// A levelling staff is read to 1 mm; a bottom plate between two neighbouring
// circles (one to two metres apart) sags or bulges by what the erection
// tolerances allow, about 15 mm. Twice that apart from both neighbours is a slip.
constexpr double kBottomUsualMm = 15;
constexpr double kBottomImpossibleMm = 40;
constexpr double kUsualSpreads = 5;
constexpr double kImpossibleSpreads = 8;
constexpr double kMinimalSpreadMm = 1;
// The centre is read 0.35 of the radius inside circle 1: the cone of circles 1
// and 2 carried on to it predicts it within the unevenness of the plates.
constexpr double kCentreUsualMm = 40;
constexpr double kCentreImpossibleMm = 100;
constexpr double kCentreExtrapolation = 0.35 / 0.15; // (circle 1 - centre) / (circle 2 - circle 1) radii
// The tape's touch point lies on the bottom: its reading is within the bottom's
// own readings, give or take a touch plate or a sump.
constexpr double kTouchMarginMm = 30;
constexpr double kTouchImpossibleMarginMm = 150;

std::string BottomPlace(int circle, int radius)
{
    return "Днище, окружность " + std::to_string(circle) + ", радиус " + std::to_string(radius);
}

void CheckBottomReadings(CheckContext& context)
{
    const Tank& tank = context.tank;
    LineTable table;
    table.positions = Tank::kBottomCircles;
    table.lines = Tank::kBottomRadii;
    LineTable taken = table; // zeros as readings not taken
    for (int c = 1; c <= table.positions; ++c)
        for (int r = 1; r <= table.lines; ++r) {
            const double v = tank.BottomReading(c, r);
            table.values.push_back(v);
            taken.values.push_back(v == 0 ? std::nan("") : v);
        }
    // A staff may read 0 at one point; a whole circle, radius or bottom of zeros was not read.
    const MissingReadings missing = FindMissing(taken);
    if (missing.all) {
        if (FieldWorkBegun(tank))
            context.AddMissing(CheckedField::BottomReadings, FindingIndex::Pair(1, 1), "Днище", kNotMeasured);
        return;
    }
    for (int c = 1; c <= table.positions; ++c)
        if (missing.positions[static_cast<std::size_t>(c - 1)])
            context.AddMissing(CheckedField::BottomReadings, FindingIndex::Pair(c, 1),
                               "Днище, окружность " + std::to_string(c), kNoReadings);
    for (int r = 1; r <= table.lines; ++r)
        if (missing.lines[static_cast<std::size_t>(r - 1)])
            context.AddMissing(CheckedField::BottomReadings, FindingIndex::Pair(1, r),
                               "Днище, радиус " + std::to_string(r), kNoReadings);
    double low = tank.BottomCenter(), high = tank.BottomCenter();
    for (int c = 1; c <= table.positions; ++c)
        for (int r = 1; r <= table.lines; ++r) {
            double& v = table.values[static_cast<std::size_t>((c - 1) * table.lines + (r - 1))];
            if (missing.InGroup(c - 1, r - 1)) {
                v = std::nan("");
                continue;
            }
            low = std::min(low, v);
            high = std::max(high, v);
        }

    const LineDeviations deviations = DeviationsAlongLines(table);
    const double spread = std::max(deviations.stepSpread, kMinimalSpreadMm);
    const double usual = std::max(kBottomUsualMm, kUsualSpreads * spread);
    const double impossible = std::max(kBottomImpossibleMm, kImpossibleSpreads * spread);
    for (int c = 1; c <= table.positions; ++c)
        for (int r = 1; r <= table.lines; ++r) {
            const CellDeviation& cell = deviations.cells[static_cast<std::size_t>((c - 1) * table.lines + (r - 1))];
            const double deviation = std::fabs(cell.deviation);
            if (cell.missing || deviation <= usual)
                continue;
            const double value = table.At(c - 1, r - 1);
            const Slip slip = FindSlip(value, cell.expected, usual, ValueUnit::Millimetre);
            context.AddJudged(deviation > impossible, CheckedField::BottomReadings, FindingIndex::Pair(c, r), value,
                              BottomPlace(c, r), kMm,
                              "соседние по радиусу отсчеты " + Range(cell.neighbourLow, cell.neighbourHigh) + " мм",
                              slip);
        }
    // The centre and the touch point are judged by the circles they stand on.
    if (missing.positions[0] || missing.positions[1] || missing.positions[Tank::kBottomCircles - 1] || missing.lines[0])
        return;

    // The centre against the cone of the two inner circles.
    std::vector<double> circle1, circle2;
    for (int r = 1; r <= table.lines; ++r) {
        circle1.push_back(tank.BottomReading(1, r));
        circle2.push_back(tank.BottomReading(2, r));
    }
    const double inner = Median(circle1);
    const double expectedCentre = inner - (Median(circle2) - inner) * kCentreExtrapolation;
    const double centre = tank.BottomCenter();
    const double centreUsual = std::max(kCentreUsualMm, kUsualSpreads * spread);
    if (std::fabs(centre - expectedCentre) > centreUsual) {
        const Slip slip = FindSlip(centre, expectedCentre, centreUsual, ValueUnit::Millimetre, SlipSearch::ScaleOnly);
        context.AddOutOfRange(std::fabs(centre - expectedCentre) > std::max(kCentreImpossibleMm, impossible),
                              CheckedField::BottomCenter, FindingIndex::None(), centre, "Днище, центр", kMm,
                              "по окружностям 1 и 2 ожидается около " + Fixed(0, expectedCentre) + " мм", slip);
    }

    // The touch point against the bottom's readings.
    const double point = tank.PointPlumb();
    const double margin = std::max(kTouchMarginMm, (high - low) / 2);
    const double outside = point < low ? low - point : point > high ? point - high : 0;
    if (outside > margin) {
        const double wall = tank.BottomReading(8, 1);
        const Slip slip = FindSlip(point, wall, margin, ValueUnit::Millimetre, SlipSearch::ScaleOnly);
        context.AddOutOfRange(outside > std::max(kTouchImpossibleMarginMm, 3 * margin), CheckedField::PointPlumb,
                              FindingIndex::None(), point, "Отсчет в точке касания", kMm,
                              "отсчеты по днищу " + Range(low, high) + " мм, высота точки касания " +
                                  Fixed(1, tank.TouchPointHeight()) + " мм",
                              slip);
    }
}

} // namespace

void CheckBottom(CheckContext& context)
{
    CheckBottomReadings(context);
}

} // namespace veloquin::checks
