// The limits of the field-data checks: every rule's limit with a reading at it,
// just inside and just outside, and the severity each must get. The slips the
// other tests type are far from any limit; a limit swapped for its neighbour
// (the warning limit used for the error) shows only here.
//
// Each case names its rule ("plumb.impossible") and the fields whose findings
// are judged (a rule that may blame either of two measurements lists both), so
// that a rule changed on purpose changes its own rows only. The base tank is a
// realistic one made exact: girdles of 1500 mm, smooth plumb and bottom
// readings, so that a reading moved by d departs by exactly d.

#include "CheckContext.h"
#include "LevelStepping.h"
#include "PhysicalConstants.h"
#include "RealisticTank.h"
#include "TankChecks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace veloquin {
namespace {

enum class Expect
{
    None,
    Warning,
    Error
};

const char* ExpectName(Expect expect)
{
    return expect == Expect::None ? "none" : expect == Expect::Warning ? "warning" : "error";
}

using Setter = std::function<void(TSteelVertCylTank&)>;

struct ThresholdCase
{
    std::string rule;
    std::string side; // "inside", "at", "outside"
    Setter set;
    std::vector<CheckedField> fields;
    FindingIndex index;
    Expect expect = Expect::None;
};

std::ostream& operator<<(std::ostream& out, const ThresholdCase& c)
{
    return out << c.rule << " " << c.side;
}

constexpr int kGirdles = 12;
constexpr double kGirdleMm = 1500;
constexpr double kWallMm = kGirdles * kGirdleMm;
// A reading's least step the cases move by: a binary fraction, so sums stay exact.
constexpr double kStep = 1.0 / 16;

double BottomReadingOf(int circle)
{
    // Flat under the centre (circles 1 and 2 agree, so the centre is expected at
    // their reading), falling 2 mm a circle outwards.
    return circle <= 2 ? 1400 : 1400 - 2.0 * (circle - 2);
}
constexpr double kBottomLowMm = 1400 - 2.0 * (TSteelVertCylTank::kBottomCircles - 2);

TSteelVertCylTank ThresholdTank()
{
    test::RealisticTankShape shape;
    shape.details = 0;
    TSteelVertCylTank tank = test::MakeRealisticTank(shape);
    tank.SetExtCircumferenceMeasurements(71600, 71600);
    for (int i = 1; i <= kGirdles; ++i) {
        tank.SetGirdleHeightOuter(i, kGirdleMm);
        tank.SetOverlapBottom(i, 0);
        tank.SetOverlapTop(i, 0);
        tank.UpdateGirdleHeight(i);
    }
    for (int row = 1; row <= tank.PlumbRowCount(); ++row)
        for (int g = 1; g <= tank.GeneratrixCount(); ++g)
            tank.SetPlumbDistance(row, g, 100 + row);
    for (int c = 1; c <= TSteelVertCylTank::kBottomCircles; ++c)
        for (int r = 1; r <= TSteelVertCylTank::kBottomRadii; ++r)
            tank.SetBottomReading(c, r, BottomReadingOf(c));
    tank.SetBottomCenter(1400);
    tank.SetPointPlumb(1390);
    tank.SetBaseHeightMeas1(kWallMm + 500);
    tank.SetBaseHeightMeas2(kWallMm + 500);
    tank.UpdateBaseHeight();
    tank.UpdateAll();
    return tank;
}

const TSteelVertCylTank& BaseTank()
{
    static const TSteelVertCylTank tank = ThresholdTank();
    return tank;
}

// One limit: a value at it and just inside get `within`, a value just beyond it
// `beyond`. `outward` is +1 when values above the limit are beyond it.
struct Limit
{
    std::string rule;
    std::vector<CheckedField> fields;
    FindingIndex index;
    double limit;
    int outward;
    double step;
    Expect within;
    Expect beyond;
    std::function<void(TSteelVertCylTank&, double)> set;
    bool exact = true; // false: the limit cannot be met exactly, only approached
};

void Add(std::vector<ThresholdCase>& cases, const Limit& l)
{
    auto at = [&](double value) { return Setter([set = l.set, value](TSteelVertCylTank& t) { set(t, value); }); };
    cases.push_back({l.rule, "inside", at(l.limit - l.outward * l.step), l.fields, l.index, l.within});
    if (l.exact)
        cases.push_back({l.rule, "at", at(l.limit), l.fields, l.index, l.within});
    cases.push_back({l.rule, "outside", at(l.limit + l.outward * l.step), l.fields, l.index, l.beyond});
}

// A usual band [low, high] outside which a value is unusual, and a possible band
// around it outside which it is impossible.
void AddBands(std::vector<ThresholdCase>& cases, const std::string& rule, std::vector<CheckedField> fields,
              FindingIndex index, double possibleLow, double usualLow, double usualHigh, double possibleHigh,
              const std::function<void(TSteelVertCylTank&, double)>& set)
{
    Add(cases, {rule + ".usual.low", fields, index, usualLow, -1, kStep, Expect::None, Expect::Warning, set});
    Add(cases, {rule + ".usual.high", fields, index, usualHigh, +1, kStep, Expect::None, Expect::Warning, set});
    Add(cases, {rule + ".possible.low", fields, index, possibleLow, -1, kStep, Expect::Warning, Expect::Error, set});
    Add(cases, {rule + ".possible.high", fields, index, possibleHigh, +1, kStep, Expect::Warning, Expect::Error, set});
}

double CylinderBand(double heightMm)
{
    return checks::CylinderVolume(BaseTank().IntCircumference(1), heightMm);
}

// The step of the wall at the seam below `girdle`: the radii's difference and the sheets'.
double SeamStep(const TSteelVertCylTank& tank, int girdle)
{
    return (tank.IntCircumference(girdle) - tank.IntCircumference(girdle - 1)) / static_cast<double>(physics::kTwoPi) +
           tank.SheetThickness(girdle) - tank.SheetThickness(girdle - 1);
}

void ShiftGirdlePlumbRows(TSteelVertCylTank& tank, int girdle, double by)
{
    for (int row = 1; row <= tank.PlumbRowCount(); ++row)
        if (tank.GirdleOfPlumbRow(row) == girdle)
            for (int g = 1; g <= tank.GeneratrixCount(); ++g)
                tank.SetPlumbDistance(row, g, tank.PlumbDistance(row, g) + by);
}

constexpr int kSeamGirdle = 7;

double SeamStepAfterShift(double by)
{
    TSteelVertCylTank tank = BaseTank();
    ShiftGirdlePlumbRows(tank, kSeamGirdle, by);
    tank.UpdateAll();
    return SeamStep(tank, kSeamGirdle);
}

// Shifts the seam girdle's readings so that the step below it is `step`.
void ShiftToSeamStep(TSteelVertCylTank& tank, double step)
{
    static const double still = SeamStepAfterShift(0);
    static const double perMm = SeamStepAfterShift(1) - still;
    // Not quite linear: a few secant rounds.
    double by = (step - still) / perMm;
    for (int round = 0; round < 8; ++round)
        by += (step - SeamStepAfterShift(by)) / perMm;
    ShiftGirdlePlumbRows(tank, kSeamGirdle, by);
}

std::vector<ThresholdCase> Cases()
{
    using F = CheckedField;
    std::vector<ThresholdCase> cases;
    const FindingIndex none = FindingIndex::None();

    // Densities of stored liquids.
    AddBands(cases, "density.stored", {F::StoredDensity}, none, 400, 650, 1300, 2000,
             [](TSteelVertCylTank& t, double v) { t.SetStoredDensity(v); });
    AddBands(cases, "density.calibration", {F::CalibrationDensity}, none, 400, 650, 1300, 2000,
             [](TSteelVertCylTank& t, double v) { t.SetCalibrationDensity(v); });

    // Two lays of the tape: 5 mm or 1e-4 of the length apart.
    const std::vector<F> lays = {F::ExtCircumferenceMeasured1, F::ExtCircumferenceMeasured2};
    for (double length : {40000.0, 80000.0}) {
        const auto set = [length](TSteelVertCylTank& t, double apart) {
            t.SetExtCircumferenceMeasurements(length, length - apart);
        };
        const std::string rule = length < 50000 ? "circumference.mm" : "circumference.share";
        Add(cases, {rule + ".agreement", lays, none, std::max(5.0, 1e-4 * length), +1, kStep, Expect::None,
                    Expect::Warning, set});
    }
    // Lays 50 mm apart change the table by more than its stated error: an error
    // already, so the impossible limit (50 mm or 1e-3) no longer shows.

    // Weld corrections 0-10 mm; beyond 30 mm or below -10 mm impossible.
    AddBands(cases, "weld", {F::WeldCorrection}, FindingIndex::One(1), -10, 0, 10, 30,
             [](TSteelVertCylTank& t, double v) {
                 t.SetWeldCorrectionCount(1);
                 t.SetWeldCorrection(1, v);
                 t.UpdateExtCircumference();
             });

    // Paint 0-2 mm, beyond 3 mm impossible; no paint below nothing.
    const auto paint = [](TSteelVertCylTank& t, double v) { t.SetPaintThickness(v); };
    Add(cases, {"paint.usual.high", {F::PaintThickness}, none, 2, +1, kStep, Expect::None, Expect::Warning, paint});
    Add(cases, {"paint.possible.high", {F::PaintThickness}, none, 3, +1, kStep, Expect::Warning, Expect::Error, paint});
    Add(cases, {"paint.possible.low", {F::PaintThickness}, none, 0, -1, kStep, Expect::None, Expect::Error, paint});

    // The fill height of the calibration: within the wall.
    const auto fill = [](TSteelVertCylTank& t, double v) { t.SetCalibrationFillHeight(v); };
    Add(cases, {"fill.low", {F::CalibrationFillHeight}, none, 0, -1, kStep, Expect::None, Expect::Error, fill});
    Add(cases, {"fill.high", {F::CalibrationFillHeight}, none, kWallMm, +1, kStep, Expect::None, Expect::Error, fill});

    // Base height: two readings 5 mm apart at most, 50 mm impossible; the hatch
    // 1500 mm above the wall at most, 3000 mm impossible.
    const std::vector<F> readings = {F::BaseHeightMeas1, F::BaseHeightMeas2};
    const auto apart = [](TSteelVertCylTank& t, double v) {
        t.SetBaseHeightMeas1(kWallMm + 500);
        t.SetBaseHeightMeas2(kWallMm + 500 - v);
        t.UpdateBaseHeight();
    };
    Add(cases, {"base.agreement", readings, none, 5, +1, kStep, Expect::None, Expect::Warning, apart});
    Add(cases, {"base.impossible", readings, none, 50, +1, kStep, Expect::Warning, Expect::Error, apart});
    const auto hatch = [](TSteelVertCylTank& t, double v) {
        t.SetBaseHeightMeas1(kWallMm + v);
        t.SetBaseHeightMeas2(kWallMm + v);
        t.UpdateBaseHeight();
    };
    Add(cases, {"base.hatch.usual", readings, none, 1500, +1, kStep, Expect::None, Expect::Warning, hatch});
    Add(cases, {"base.hatch.possible", readings, none, 3000, +1, kStep, Expect::Warning, Expect::Error, hatch});

    // Sheet thicknesses 3-40 mm, 2-60 mm possible: the high limits on girdle 1
    // (nothing below it), the low ones on the top girdle (6 mm below it).
    const auto thickness = [](int girdle) {
        return [girdle](TSteelVertCylTank& t, double v) { t.SetSheetThickness(girdle, v); };
    };
    // Girdle 2 of 25 mm: a slip of girdle 1's 59.9375 (a dropped 5) would make it 9.9375, near 10.
    const auto thickFirst = [](TSteelVertCylTank& t, double v) {
        t.SetSheetThickness(1, v);
        t.SetSheetThickness(2, 25);
    };
    const FindingIndex first = FindingIndex::One(1), top = FindingIndex::One(kGirdles);
    Add(cases,
        {"thickness.usual.high", {F::SheetThickness}, first, 40, +1, kStep, Expect::None, Expect::Warning, thickFirst});
    Add(cases, {"thickness.possible.high",
                {F::SheetThickness},
                first,
                60,
                +1,
                kStep,
                Expect::Warning,
                Expect::Error,
                thickFirst});
    Add(cases, {"thickness.usual.low",
                {F::SheetThickness},
                top,
                3,
                -1,
                kStep,
                Expect::None,
                Expect::Warning,
                thickness(kGirdles)});
    Add(cases, {"thickness.possible.low",
                {F::SheetThickness},
                top,
                2,
                -1,
                kStep,
                Expect::Warning,
                Expect::Error,
                thickness(kGirdles)});
    // Up the wall a sheet thickens by 2 mm at most.
    Add(cases, {"thickness.step.up",
                {F::SheetThickness},
                top,
                6 + 2,
                +1,
                kStep,
                Expect::None,
                Expect::Warning,
                thickness(kGirdles)});

    // Overlap corrections 60 mm. A lap beyond that changes a girdle of this
    // tank by more than the table's stated error, which makes it an error at
    // once: the impossible limit (0.15 of the girdle) no longer shows.
    const auto overlap = [](TSteelVertCylTank& t, double v) {
        t.SetOverlapBottom(2, -v);
        t.UpdateGirdleHeight(2);
    };
    Add(cases, {"overlap.usual",
                {F::OverlapBottom},
                FindingIndex::One(2),
                60,
                +1,
                kStep,
                Expect::None,
                Expect::Error,
                overlap});

    // A girdle's height: within 30 mm of the others' unless a sheet width; beyond
    // 0.4-2.5 times theirs impossible. The others are made 1560 mm: no sheet
    // width, and no single slip brings a height at these limits back to it.
    constexpr double typical = 1560;
    const auto girdle = [](TSteelVertCylTank& t, double v) {
        for (int i = 1; i <= kGirdles; ++i) {
            t.SetGirdleHeightOuter(i, i == 5 ? v : typical);
            t.UpdateGirdleHeight(i);
        }
    };
    const FindingIndex fifth = FindingIndex::One(5);
    Add(cases, {"girdle.agreement.high",
                {F::GirdleHeightOuter},
                fifth,
                typical + 30,
                +1,
                kStep,
                Expect::None,
                Expect::Warning,
                girdle});
    Add(cases, {"girdle.agreement.low",
                {F::GirdleHeightOuter},
                fifth,
                typical - 30,
                -1,
                kStep,
                Expect::None,
                Expect::Warning,
                girdle});
    Add(cases, {"girdle.possible.low",
                {F::GirdleHeightOuter},
                fifth,
                0.4 * typical,
                -1,
                kStep,
                Expect::Warning,
                Expect::Error,
                girdle});
    Add(cases, {"girdle.possible.high",
                {F::GirdleHeightOuter},
                fifth,
                2.5 * typical,
                +1,
                kStep,
                Expect::Warning,
                Expect::Error,
                girdle});

    // Plumb readings 15 mm from both neighbours unusual, 30 mm impossible.
    const auto plumb = [](TSteelVertCylTank& t, double d) { t.SetPlumbDistance(8, 3, 108 + d); };
    Add(cases, {"plumb.usual",
                {F::PlumbDistance},
                FindingIndex::Pair(8, 3),
                15,
                +1,
                kStep,
                Expect::None,
                Expect::Warning,
                plumb});
    Add(cases, {"plumb.impossible",
                {F::PlumbDistance},
                FindingIndex::Pair(8, 3),
                30,
                +1,
                kStep,
                Expect::Warning,
                Expect::Error,
                plumb});

    // Bottom readings 15 mm from both neighbours unusual, 40 mm impossible.
    const auto bottom = [](TSteelVertCylTank& t, double d) { t.SetBottomReading(4, 4, BottomReadingOf(4) + d); };
    Add(cases, {"bottom.usual",
                {F::BottomReadings},
                FindingIndex::Pair(4, 4),
                15,
                +1,
                kStep,
                Expect::None,
                Expect::Warning,
                bottom});
    Add(cases, {"bottom.impossible",
                {F::BottomReadings},
                FindingIndex::Pair(4, 4),
                40,
                +1,
                kStep,
                Expect::Warning,
                Expect::Error,
                bottom});
    // The centre 40 mm off the inner circles' cone unusual, 100 mm impossible.
    const auto centre = [](TSteelVertCylTank& t, double d) { t.SetBottomCenter(1400 + d); };
    Add(cases, {"centre.usual", {F::BottomCenter}, none, 40, +1, kStep, Expect::None, Expect::Warning, centre});
    Add(cases, {"centre.impossible", {F::BottomCenter}, none, 100, +1, kStep, Expect::Warning, Expect::Error, centre});
    // The touch point 30 mm beyond the bottom's readings unusual, 150 mm impossible.
    const auto touch = [](TSteelVertCylTank& t, double d) { t.SetPointPlumb(kBottomLowMm - d); };
    Add(cases, {"touch.usual", {F::PointPlumb}, none, 30, +1, kStep, Expect::None, Expect::Warning, touch});
    Add(cases, {"touch.impossible", {F::PointPlumb}, none, 150, +1, kStep, Expect::Warning, Expect::Error, touch});

    // Details: a fifth of their band's capacity unusual, all of it impossible.
    const FindingIndex detail = FindingIndex::One(1);
    // A band of 10 mm: its whole capacity changes the table by less than the stated error.
    const double band = CylinderBand(10);
    const auto volume = [](TSteelVertCylTank& t, double v) { t.AddArbitraryDetail(v, 1000, 1010); };
    Add(cases, {"detail.volume.usual",
                {F::DetailVolume},
                detail,
                0.2 * band,
                +1,
                1e-6,
                Expect::None,
                Expect::Warning,
                volume});
    Add(cases,
        {"detail.volume.possible", {F::DetailVolume}, detail, band, +1, 1e-6, Expect::Warning, Expect::Error, volume});
    // Above the wall: possible up to twice its height.
    const auto detailTop = [](TSteelVertCylTank& t, double v) { t.AddArbitraryDetail(0.01, kWallMm - 1000, v); };
    Add(cases,
        {"detail.top.wall", {F::DetailTop}, detail, kWallMm, +1, kStep, Expect::None, Expect::Warning, detailTop});
    Add(cases, {"detail.top.possible",
                {F::DetailTop},
                detail,
                2 * kWallMm,
                +1,
                kStep,
                Expect::Warning,
                Expect::Error,
                detailTop});
    const auto detailBottom = [](TSteelVertCylTank& t, double v) { t.AddArbitraryDetail(0.01, v, 1000); };
    Add(cases,
        {"detail.bottom.floor", {F::DetailBottom}, detail, 0, -1, kStep, Expect::None, Expect::Error, detailBottom});
    // A cylinder no wider than the tank...
    const double tankDiameter = BaseTank().IntCircumference(1) / static_cast<double>(physics::kPi);
    const auto diameter = [](TSteelVertCylTank& t, double v) { t.AddCylindricalDetail(1000, 1100, v, 100); };
    Add(cases, {"detail.diameter.tank",
                {F::DetailDiameter},
                detail,
                tankDiameter,
                +1,
                1e-3,
                Expect::None,
                Expect::Error,
                diameter});
    // ...and in a band of at least a quarter of its diameter (or length). Just
    // beyond, a tenth of the diameter always lies near the band: a slip, so an error.
    const auto cylinderBand = [](TSteelVertCylTank& t, double v) { t.AddCylindricalDetail(1000, 1000 + v, 400, 400); };
    Add(cases, {"detail.band", {F::DetailDiameter}, detail, 100, -1, kStep, Expect::None, Expect::Error, cylinderBand});

    // The table's top against the design capacity: 0.6-1.6 times it usual,
    // 0.3-3 possible. Capacities are whole cubic metres: the nearest on each
    // side. The weld correction follows the capacity and moves the top a little,
    // so the capacity is found again from the top it gives.
    const auto capacityLimit = [&](const std::string& rule, double ratio, int outward, Expect within, Expect beyond) {
        for (const int beyondBy : {0, 1}) {
            const Setter set = [ratio, outward, beyondBy](TSteelVertCylTank& t) {
                // A ratio above its high limit is a design capacity below top / ratio.
                for (int round = 0; round < 5; ++round) {
                    t.UpdateAll();
                    double tableTop = 0;
                    WalkTable(t, [&](double, double atTop) { tableTop = atTop; });
                    const double inside = outward > 0 ? std::ceil(tableTop / ratio) : std::floor(tableTop / ratio);
                    t.SetDesignCapacity(static_cast<std::int32_t>(inside) - beyondBy * outward);
                }
            };
            cases.push_back(
                {rule, beyondBy ? "outside" : "inside", set, {F::DesignCapacity}, none, beyondBy ? beyond : within});
        }
    };
    capacityLimit("capacity.usual.high", 1.6, +1, Expect::None, Expect::Warning);
    capacityLimit("capacity.usual.low", 0.6, -1, Expect::None, Expect::Warning);
    capacityLimit("capacity.possible.high", 3, +1, Expect::Warning, Expect::Error);
    capacityLimit("capacity.possible.low", 0.3, -1, Expect::Warning, Expect::Error);

    // The wall's step at a seam: 40 mm unusual, 100 mm impossible. Girdle 7's
    // readings shifted all round move the seam below it (linearly); the step is
    // met within a few hundredths of a millimetre.
    Limit seamUsual{"seam.usual", {F::GirdleCapacity}, FindingIndex::One(7), 40, +1, 0.1,
                    Expect::None, Expect::Warning,     ShiftToSeamStep};
    seamUsual.exact = false;
    Add(cases, seamUsual);
    Limit seamImpossible{"seam.impossible", {F::GirdleCapacity}, FindingIndex::One(7), 100, +1, 0.1,
                         Expect::Warning,   Expect::Error,       ShiftToSeamStep};
    seamImpossible.exact = false;
    Add(cases, seamImpossible);
    return cases;
}

class CheckThresholds : public ::testing::TestWithParam<ThresholdCase>
{
};

std::string Describe(const std::vector<Finding>& findings)
{
    std::string text;
    for (const Finding& f : findings)
        text += std::string(SeverityName(f.severity)) + " " + CheckedFieldName(f.field) + " [" +
                std::to_string(f.index.first) + "," + std::to_string(f.index.second) + "] " + f.message + "\n";
    return text;
}

// The most severe finding of the case's fields at its index.
Expect Judged(const std::vector<Finding>& findings, const ThresholdCase& c)
{
    Expect judged = Expect::None;
    for (const Finding& f : findings) {
        const bool field = std::find(c.fields.begin(), c.fields.end(), f.field) != c.fields.end();
        if (!field || !(f.index == c.index))
            continue;
        const Expect severity = f.severity == Severity::Error ? Expect::Error : Expect::Warning;
        if (static_cast<int>(severity) > static_cast<int>(judged))
            judged = severity;
    }
    return judged;
}

TEST(CheckThresholds, TheBaseTankIsQuiet)
{
    const std::vector<Finding> findings = CheckTank(BaseTank());
    EXPECT_TRUE(findings.empty()) << Describe(findings);
}

TEST_P(CheckThresholds, SeverityAtTheLimit)
{
    const ThresholdCase& c = GetParam();
    TSteelVertCylTank tank = BaseTank();
    c.set(tank);
    tank.UpdateAll();
    const std::vector<Finding> findings = CheckTank(tank);
    EXPECT_STREQ(ExpectName(c.expect), ExpectName(Judged(findings, c))) << c << "\n" << Describe(findings);
}

// The seam cases hold only if the shift met the step they aim at.
TEST(CheckThresholds, TheSeamCasesMeetTheirSteps)
{
    for (const ThresholdCase& c : Cases()) {
        if (c.rule.rfind("seam.", 0) != 0)
            continue;
        TSteelVertCylTank tank = BaseTank();
        c.set(tank);
        tank.UpdateAll();
        const double step = SeamStep(tank, kSeamGirdle);
        const double aim = c.rule == "seam.usual" ? 40 : 100;
        EXPECT_NEAR(step, c.side == "inside" ? aim - 0.1 : aim + 0.1, 0.03) << c;
    }
}

std::string CaseName(const ::testing::TestParamInfo<ThresholdCase>& info)
{
    std::string name = info.param.rule + "_" + info.param.side;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Rules, CheckThresholds, ::testing::ValuesIn(Cases()), CaseName);

} // namespace
} // namespace veloquin
