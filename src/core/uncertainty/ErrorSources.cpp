#include "ErrorSources.h"

#include "PhysicalConstants.h"

#include <cmath>

namespace veloquin {
namespace {

using K = UncertaintyKey;
using G = UncertaintyGroup;
using T = ErrorTarget;
using D = ErrorDistribution;

constexpr std::array<UncertaintyGroupDescriptor, kUncertaintyGroupCount> kGroups = {{
    {G::Tape, "tape", "Рулетка (шкала, натяжение, температура)"},
    {G::CircumferenceRepeatability, "circumference_repeatability", "Повторяемость измерения длины окружности"},
    {G::WeldCorrections, "weld_corrections", "Поправки на сварные швы"},
    {G::SheetThickness, "sheet_thickness", "Толщина листов"},
    {G::Paint, "paint", "Толщина краски"},
    {G::Plumb, "plumb", "Отсчёты по отвесу"},
    {G::GirdleHeights, "girdle_heights", "Высоты и нахлёсты поясов"},
    {G::Staff, "staff", "Отсчёты по рейке на днище"},
    {G::Collimation, "collimation", "Нивелир (угол i)"},
    {G::CalibrationFill, "calibration_fill", "Уровень наполнения при измерениях"},
    {G::CalibrationDensity, "calibration_density", "Плотность жидкости при измерениях"},
    {G::StoredDensity, "stored_density", "Плотность хранимого продукта"},
    {G::ElasticModel, "elastic_model", "Упругая модель стенки"},
    {G::Details, "details", "Внутренние детали"},
    {G::Rounding, "rounding", "Округление длин окружностей"},
}};

constexpr bool GroupsInOrder()
{
    for (int k = 0; k < kUncertaintyGroupCount; ++k)
        if (static_cast<int>(kGroups[static_cast<std::size_t>(k)].group) != k)
            return false;
    return true;
}
static_assert(GroupsInOrder(), "the group table follows UncertaintyGroup");

const double kSqrt3 = std::sqrt(3.0);
constexpr double kArcsecond = static_cast<double>(physics::kPi) / 648000;
constexpr double kMmPerM = 1000;

// Girdle i's departure from girdle 1 as one generatrix alone gives it, for every
// generatrix: the engine's own weighting of a girdle's rows, applied to a grid
// whose every column is that generatrix.
double PlumbScatterMm(const TSteelVertCylTank& tank, int girdle)
{
    const int columns = tank.GeneratrixCount();
    if (columns < 2)
        return 0;
    const TSteelVertCylTank::PlumbGrid grid = tank.PlumbDistances();
    TSteelVertCylTank probe = tank;
    std::vector<double> departures;
    for (int j = 0; j < columns; ++j) {
        TSteelVertCylTank::PlumbGrid single = grid;
        for (auto& row : single)
            for (double& cell : row)
                cell = row[static_cast<std::size_t>(j)];
        probe.SetPlumbDistances(single);
        departures.push_back(probe.MeanRadialDeviation(girdle));
    }
    double mean = 0;
    for (double d : departures)
        mean += d;
    mean /= columns;
    double squares = 0;
    for (double d : departures)
        squares += (d - mean) * (d - mean);
    return std::sqrt(squares / (columns - 1)) / std::sqrt(static_cast<double>(columns));
}

// Graduation, tension, temperature: half-widths of rectangular errors of one tape.
std::array<double, 3> TapeHalfWidthsMm(double c, const UncertaintySettings& s)
{
    return {s[K::TapeA0] + s[K::TapeAPerM] * (c / kMmPerM - 1), c * s[K::TensionRelHalf], c * s[K::TemperatureRelHalf]};
}

class SourceCollector
{
public:
    explicit SourceCollector(std::vector<ErrorSource>& sources) : m_sources(sources) {}

    void Add(G group, T target, D distribution, double u, int index = 0, int column = 0, double count = 1)
    {
        if (!(u > 0) || !std::isfinite(u) || !(count > 0))
            return;
        ErrorSource s{group, target, distribution, u, index, column, count};
        m_sources.push_back(s);
    }

private:
    std::vector<ErrorSource>& m_sources;
};

} // namespace

const UncertaintyGroupDescriptor& DescriptorOf(UncertaintyGroup group)
{
    return kGroups[static_cast<std::size_t>(group)];
}

double TapeUncertaintyMm(double circumferenceMm, const UncertaintySettings& settings)
{
    double squares = 0;
    for (double half : TapeHalfWidthsMm(circumferenceMm, settings))
        squares += half * half;
    return std::sqrt(squares) / kSqrt3;
}

ErrorSourceList ErrorSources(const TSteelVertCylTank& tank, const UncertaintySettings& s, SourceExpansion expansion)
{
    ErrorSourceList list;
    SourceCollector add(list.sources);
    const bool every = expansion == SourceExpansion::EveryReading;
    const int girdles = tank.GirdleCount();

    // 1-3: one tape for both readings.
    const double m1 = tank.ExtCircumferenceMeasured1();
    const double m2 = tank.ExtCircumferenceMeasured2();
    const double c = (m1 + m2) / 2;
    for (double half : TapeHalfWidthsMm(c, s))
        add.Add(G::Tape, T::BothCircumferences, D::Rectangular, half / kSqrt3);

    // 4: two readings give one degree of freedom; a prior floor keeps their
    // difference from being taken alone.
    if (s[K::CircReading] > 0) {
        const double sr = std::max(std::fabs(m1 - m2) / std::sqrt(2.0), s[K::CircReading]);
        add.Add(G::CircumferenceRepeatability, T::Circumference1, D::Normal, sr);
        add.Add(G::CircumferenceRepeatability, T::Circumference2, D::Normal, sr);
    }

    // 5, 6: entered corrections each on their own; a tabulated one is typical,
    // not this tank's, and moves the mean as one offset.
    const int welds = tank.WeldCorrectionCount();
    if (welds > 0) {
        if (every) {
            for (int i = 0; i < welds; ++i)
                add.Add(G::WeldCorrections, T::WeldEntry, D::Normal, s[K::WeldEntry], i);
        } else {
            add.Add(G::WeldCorrections, T::WeldEntry, D::Normal, s[K::WeldEntry], 0, 0, welds);
        }
    } else if (welds == -1) {
        const double tabulated = c - tank.ExtCircumference();
        add.Add(G::WeldCorrections, T::BothCircumferences, D::Rectangular,
                std::fabs(tabulated) * s[K::WeldTableFracHalf] / kSqrt3);
    }

    // 7, 8: one gauge for every girdle, and each girdle's own value.
    add.Add(G::SheetThickness, T::SheetThicknessAll, D::Rectangular, s[K::ThickBiasHalf] / kSqrt3);
    for (int i = 0; i < girdles; ++i)
        add.Add(G::SheetThickness, T::SheetThickness, D::Normal, s[K::ThickGirdle], i);
    add.Add(G::Paint, T::Paint, D::Normal, s[K::Paint]);

    // 10: every reading of a row enters its girdle's mean with the same weight.
    const int rows = tank.PlumbRowCount();
    const int columns = tank.GeneratrixCount();
    for (int r = 0; r < rows; ++r) {
        if (every) {
            for (int j = 0; j < columns; ++j)
                add.Add(G::Plumb, T::PlumbReading, D::Normal, s[K::Plumb], r, j);
        } else {
            add.Add(G::Plumb, T::PlumbReading, D::Normal, s[K::Plumb], r, 0, columns);
        }
    }
    for (int r = 1; r <= rows; ++r)
        list.girdleOfPlumbRow.push_back(tank.GirdleOfPlumbRow(r) - 1);
    if (s[K::PlumbScatter] != 0)
        for (int i = 2; i <= girdles; ++i)
            add.Add(G::Plumb, T::PlumbGirdle, D::Normal, PlumbScatterMm(tank, i), i - 1);

    // 11
    for (int i = 0; i < girdles; ++i) {
        add.Add(G::GirdleHeights, T::HeightOuter, D::Normal, s[K::HeightOuter], i);
        add.Add(G::GirdleHeights, T::OverlapBottom, D::Normal, s[K::Overlap], i);
        add.Add(G::GirdleHeights, T::OverlapTop, D::Normal, s[K::Overlap], i);
    }

    // 12, 13: the level stands at the centre; circle c lies at sqrt(c/8) of the
    // radius (equal areas), the touch point at the wall.
    constexpr int circles = TSteelVertCylTank::kBottomCircles;
    for (int ci = 0; ci < circles; ++ci)
        for (int r = 0; r < TSteelVertCylTank::kBottomRadii; ++r)
            add.Add(G::Staff, T::BottomReading, D::Normal, s[K::Staff], ci, r);
    add.Add(G::Staff, T::BottomCenter, D::Normal, s[K::Staff]);
    add.Add(G::Staff, T::PointPlumb, D::Normal, s[K::Staff]);
    const double radius = tank.ExtCircumference() / static_cast<double>(physics::kTwoPi);
    for (int ci = 0; ci < circles; ++ci)
        list.circleRadiusMm[static_cast<std::size_t>(ci)] = radius * std::sqrt(static_cast<double>(ci + 1) / circles);
    list.touchPointRadiusMm = radius;
    add.Add(G::Collimation, T::Collimation, D::Rectangular, s[K::CollimationArcsecHalf] * kArcsecond / kSqrt3);

    // 14-17
    add.Add(G::CalibrationFill, T::CalibrationFill, D::Normal, s[K::CalibFill]);
    add.Add(G::CalibrationDensity, T::CalibrationDensity, D::Normal, s[K::CalibDensity]);
    add.Add(G::StoredDensity, T::StoredDensityRel, D::Rectangular, s[K::StoredDensityRelHalf] / kSqrt3);
    add.Add(G::ElasticModel, T::DensitiesRel, D::Normal, s[K::ElasticRel]);

    // 18, 19
    for (int d = 0; d < tank.DetailCount(); ++d) {
        add.Add(G::Details, T::DetailSizeRel, D::Normal, s[K::DetailVolumeRel], d);
        add.Add(G::Details, T::DetailPosition, D::Normal, s[K::DetailPosition], d);
    }

    // 20: the Monte Carlo recomputes with the rounding itself.
    if (!every)
        for (int i = 0; i < girdles; ++i)
            add.Add(G::Rounding, T::Rounding, D::Rectangular, s[K::RoundingHalf] / kSqrt3, i);
    return list;
}

void ApplyError(TankInputs& in, const ErrorSourceList& list, const ErrorSource& source, double v)
{
    const auto i = static_cast<std::size_t>(source.index);
    const auto j = static_cast<std::size_t>(source.column);
    switch (source.target) {
    case T::BothCircumferences:
        in.measured1 += v;
        in.measured2 += v;
        return;
    case T::Circumference1: in.measured1 += v; return;
    case T::Circumference2: in.measured2 += v; return;
    case T::WeldEntry: in.weldCorrections[i] += v; return;
    case T::SheetThicknessAll:
        for (double& t : in.sheetThickness)
            t += v;
        return;
    case T::SheetThickness: in.sheetThickness[i] += v; return;
    case T::Paint: in.paint += v; return;
    case T::PlumbReading: in.plumb[i][j] += v; return;
    case T::PlumbGirdle:
        for (std::size_t r = 0; r < in.plumb.size() && r < list.girdleOfPlumbRow.size(); ++r)
            if (list.girdleOfPlumbRow[r] == source.index)
                for (double& cell : in.plumb[r])
                    cell += v;
        return;
    case T::HeightOuter: in.heightOuter[i] += v; return;
    case T::OverlapBottom: in.overlapBottom[i] += v; return;
    case T::OverlapTop: in.overlapTop[i] += v; return;
    case T::BottomReading: in.bottom[i][j] += v; return;
    case T::BottomCenter: in.bottomCenter += v; return;
    case T::PointPlumb: in.pointPlumb += v; return;
    case T::Collimation:
        for (std::size_t c = 0; c < in.bottom.size(); ++c)
            for (double& reading : in.bottom[c])
                reading += v * list.circleRadiusMm[c];
        in.pointPlumb += v * list.touchPointRadiusMm;
        return;
    case T::CalibrationFill: in.calibrationFillHeight += v; return;
    case T::CalibrationDensity: in.calibrationDensity += v; return;
    case T::StoredDensityRel: in.storedDensity *= 1 + v; return;
    case T::DensitiesRel:
        in.storedDensity *= 1 + v;
        in.calibrationDensity *= 1 + v;
        return;
    case T::DetailSizeRel: {
        InternalDetail& d = in.details[i];
        // A cylinder's volume is linear in its length and is computed from it.
        if (d.IsArbitrary)
            d.Volume *= 1 + v;
        else
            d.Length *= 1 + v;
        return;
    }
    case T::DetailPosition:
        in.details[i].Bottom += v;
        in.details[i].Top += v;
        return;
    case T::Rounding: in.roundingMm[i] += v; return;
    }
}

} // namespace veloquin
