// The bottom, the internal details and the table the tank computes.

#include "CheckContext.h"
#include "LevelStepping.h"
#include "PhysicalConstants.h"
#include "RobustStatistics.h"

#include <algorithm>
#include <cmath>

namespace veloquin::checks {
namespace {

using Tank = TSteelVertCylTank;

// m3 in a cylinder of the given circumference and height (mm).
double CylinderVolume(double circumferenceMm, double heightMm)
{
    return static_cast<double>(static_cast<long double>(circumferenceMm) * circumferenceMm * heightMm /
                               physics::kCylinderDivisor);
}

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
    bool anyTyped = tank.BottomCenter() != 0 || tank.PointPlumb() != 0;
    double low = tank.BottomCenter(), high = tank.BottomCenter();
    for (int c = 1; c <= table.positions; ++c)
        for (int r = 1; r <= table.lines; ++r) {
            const double v = tank.BottomReading(c, r);
            table.values.push_back(v);
            anyTyped = anyTyped || v != 0;
            low = std::min(low, v);
            high = std::max(high, v);
        }
    if (!anyTyped)
        return;

    const LineDeviations deviations = DeviationsAlongLines(table);
    const double spread = std::max(deviations.stepSpread, kMinimalSpreadMm);
    const double usual = std::max(kBottomUsualMm, kUsualSpreads * spread);
    const double impossible = std::max(kBottomImpossibleMm, kImpossibleSpreads * spread);
    for (int c = 1; c <= table.positions; ++c)
        for (int r = 1; r <= table.lines; ++r) {
            const CellDeviation& cell = deviations.cells[static_cast<std::size_t>((c - 1) * table.lines + (r - 1))];
            const double deviation = std::fabs(cell.deviation);
            if (deviation <= usual)
                continue;
            const double value = table.At(c - 1, r - 1);
            const std::string hint = GuessSlip(value, cell.expected, usual, ValueUnit::Millimetre);
            context.AddJudged(deviation > impossible, CheckedField::BottomReadings, FindingIndex::Pair(c, r), value,
                              BottomPlace(c, r), kMm,
                              "соседние по радиусу отсчеты " + Range(cell.neighbourLow, cell.neighbourHigh) + " мм",
                              hint);
        }

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
        const std::string hint =
            GuessSlip(centre, expectedCentre, centreUsual, ValueUnit::Millimetre, SlipSearch::ScaleOnly);
        context.AddOutOfRange(std::fabs(centre - expectedCentre) > std::max(kCentreImpossibleMm, impossible),
                              CheckedField::BottomCenter, FindingIndex::None(), centre, "Днище, центр", kMm,
                              "по окружностям 1 и 2 ожидается около " + Fixed(0, expectedCentre) + " мм", hint);
    }

    // The touch point against the bottom's readings.
    const double point = tank.PointPlumb();
    const double margin = std::max(kTouchMarginMm, (high - low) / 2);
    const double outside = point < low ? low - point : point > high ? point - high : 0;
    if (outside > margin) {
        const double wall = tank.BottomReading(8, 1);
        const std::string hint = GuessSlip(point, wall, margin, ValueUnit::Millimetre, SlipSearch::ScaleOnly);
        context.AddOutOfRange(outside > std::max(kTouchImpossibleMarginMm, 3 * margin), CheckedField::PointPlumb,
                              FindingIndex::None(), point, "Отсчет в точке касания", kMm,
                              "отсчеты по днищу " + Range(low, high) + " мм, высота точки касания " +
                                  Fixed(1, tank.TouchPointHeight()) + " мм",
                              hint);
    }
}

// A detail within the tank takes a share of the tank's volume in its band: a
// pipe, a coil, a column take a few percent of it at most.
constexpr double kDetailUsualShare = 0.2;
// A horizontal cylinder needs its diameter of band, a vertical one its length; a
// band of a quarter of both cannot hold it, even with the band drawn loosely.
constexpr double kBandToCylinder = 0.25;
// A pipe may pass above the wall into the roof; twice the wall is no part of it.
constexpr double kDetailAboveWallPossible = 2;

void CheckDetails(CheckContext& context, int k)
{
    const Tank& tank = context.tank;
    const InternalDetail& d = tank.Detail(k);
    const std::string place = "Деталь " + std::to_string(k);
    const FindingIndex index = FindingIndex::One(k);
    const double wall = context.wallHeightMm;
    if (d.Bottom < 0) {
        context.Add(Severity::Error, CheckedField::DetailBottom, index, d.Bottom, place + ", низ", kMm, "ниже днища",
                    "неверный знак?");
        return;
    }
    if (d.Top < d.Bottom) {
        context.Add(Severity::Error, CheckedField::DetailTop, index, d.Top, place + ", верх", kMm,
                    "ниже низа детали (" + Typed(d.Bottom) + " мм)", "перепутаны низ и верх?");
        return;
    }
    if (d.Bottom > wall) {
        context.Add(Severity::Error, CheckedField::DetailBottom, index, d.Bottom, place + ", низ", kMm,
                    "выше стенки (" + Typed(wall) + " мм)",
                    GuessSlip(d.Bottom, wall / 2, wall / 2, ValueUnit::Millimetre, SlipSearch::ScaleOnly));
        return;
    }
    if (d.Top > wall) {
        context.AddOutOfRange(d.Top > kDetailAboveWallPossible * wall, CheckedField::DetailTop, index, d.Top,
                              place + ", верх", kMm, "выше стенки (" + Typed(wall) + " мм)",
                              GuessSlip(d.Top, wall / 2, wall / 2, ValueUnit::Millimetre, SlipSearch::ScaleOnly));
        return;
    }
    if (!d.IsArbitrary) {
        if (d.Diameter <= 0 || d.Length <= 0) {
            const bool diameter = d.Diameter <= 0;
            context.Add(Severity::Error, diameter ? CheckedField::DetailDiameter : CheckedField::DetailLength, index,
                        diameter ? d.Diameter : d.Length, place + (diameter ? ", диаметр" : ", длина"), kMm,
                        "должен быть больше нуля", "не введено?");
            return;
        }
        const double tankDiameter = tank.IntCircumference(1) / static_cast<double>(physics::kPi);
        if (d.Diameter > tankDiameter) {
            context.Add(Severity::Error, CheckedField::DetailDiameter, index, d.Diameter, place + ", диаметр", kMm,
                        "больше диаметра резервуара (" + Fixed(0, tankDiameter) + " мм)",
                        GuessSlip(d.Diameter, d.Top - d.Bottom, d.Top - d.Bottom, ValueUnit::Millimetre,
                                  SlipSearch::ScaleOnly));
            return;
        }
        const double band = d.Top - d.Bottom;
        if (band < kBandToCylinder * d.Diameter && band < kBandToCylinder * d.Length) {
            const std::string hint =
                GuessSlip(d.Diameter, band, band * (1 - kBandToCylinder), ValueUnit::Millimetre, SlipSearch::ScaleOnly);
            context.AddJudged(false, CheckedField::DetailDiameter, index, d.Diameter, place + ", диаметр", kMm,
                              "деталь занимает по высоте только " + Typed(band) + " мм", hint);
            return;
        }
    }
    if (d.Volume <= 0) {
        context.Add(d.Volume < 0 ? Severity::Error : Severity::Warning, CheckedField::DetailVolume, index, d.Volume,
                    place + ", объем", "м³",
                    d.Volume < 0 ? "отрицательный объем прибавил бы вместимость" : "деталь без объема ничего не меняет",
                    d.Volume < 0 ? "неверный знак?" : "не введено?");
        return;
    }
    const double circumference = tank.IntCircumference(1);
    const double band = std::max(d.Top - d.Bottom, 0.0);
    const double bandCapacity = CylinderVolume(circumference, band);
    if (band > 0 && d.Volume > kDetailUsualShare * bandCapacity) {
        const std::string hint =
            GuessSlip(d.Volume, kDetailUsualShare * bandCapacity / 2, kDetailUsualShare * bandCapacity / 2,
                      ValueUnit::CubicMetre, SlipSearch::ScaleOnly);
        context.AddOutOfRange(d.Volume > bandCapacity, CheckedField::DetailVolume, index, d.Volume, place + ", объем",
                              "м³",
                              "резервуар в полосе " + Typed(d.Bottom) + "–" + Typed(d.Top) + " мм вмещает " +
                                  Fixed(3, bandCapacity) + " м³",
                              hint);
    }
}

// Nominal capacities follow a series (100, 200, 300, 400, 700, 1000, 2000,
// 3000, 5000, 10 000...), so a tank may hold up to about 1.6 times its nominal
// size or somewhat less than it; ten times more or less is a digit.
constexpr double kCapacityRatioUsualMin = 0.6;
constexpr double kCapacityRatioUsualMax = 1.6;
constexpr double kCapacityRatioPossibleMin = 0.3;
constexpr double kCapacityRatioPossibleMax = 3;
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
        if (below <= 0 || above <= 0)
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

    const double design = tank.DesignCapacity();
    const double ratio = previous / design;
    if (ratio < kCapacityRatioUsualMin || ratio > kCapacityRatioUsualMax) {
        const std::string hint = GuessSlip(design, previous, previous * (kCapacityRatioUsualMax - 1), ValueUnit::Count,
                                           SlipSearch::ScaleOnly);
        context.AddOutOfRange(ratio < kCapacityRatioPossibleMin || ratio > kCapacityRatioPossibleMax,
                              CheckedField::DesignCapacity, FindingIndex::None(), design, "Номинальная вместимость",
                              "м³",
                              "по таблице до максимального уровня " + Fixed(0, previous) +
                                  " м³; от номинальной вместимости зависит поправка на сварные швы",
                              hint);
    }
}

} // namespace

void CheckBottom(CheckContext& context)
{
    CheckBottomReadings(context);
}

void CheckDetails(CheckContext& context)
{
    for (int k = 1; k <= context.tank.DetailCount(); ++k)
        CheckDetails(context, k);
}

void CheckTable(CheckContext& context)
{
    CheckSeams(context);
    CheckTableItself(context);
}

} // namespace veloquin::checks
