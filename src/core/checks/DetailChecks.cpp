// The internal details: where they stand and what share of their band they take.

#include "CheckContext.h"
#include "LevelStepping.h"
#include "PhysicalConstants.h"
#include "RobustStatistics.h"

#include <algorithm>
#include <cmath>

namespace veloquin::checks {
namespace {

using Tank = TSteelVertCylTank;

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
            const Slip slip =
                FindSlip(d.Diameter, band, band * (1 - kBandToCylinder), ValueUnit::Millimetre, SlipSearch::ScaleOnly);
            context.AddJudged(false, CheckedField::DetailDiameter, index, d.Diameter, place + ", диаметр", kMm,
                              "деталь занимает по высоте только " + Typed(band) + " мм", slip);
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
        const Slip slip = FindSlip(d.Volume, kDetailUsualShare * bandCapacity / 2, kDetailUsualShare * bandCapacity / 2,
                                   ValueUnit::CubicMetre, SlipSearch::ScaleOnly);
        context.AddOutOfRange(d.Volume > bandCapacity, CheckedField::DetailVolume, index, d.Volume, place + ", объем",
                              "м³",
                              "резервуар в полосе " + Typed(d.Bottom) + "–" + Typed(d.Top) + " мм вмещает " +
                                  Fixed(3, bandCapacity) + " м³",
                              slip);
    }
}

} // namespace

void CheckDetails(CheckContext& context)
{
    for (int k = 1; k <= context.tank.DetailCount(); ++k)
        CheckDetails(context, k);
}

} // namespace veloquin::checks
