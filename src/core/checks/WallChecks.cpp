// The wall: sheet thicknesses, girdle heights and overlaps, plumb-line readings.

#include "CheckContext.h"
#include "RobustStatistics.h"

#include <algorithm>
#include <cmath>

namespace veloquin::checks {
namespace {

// Wall sheets of vertical tanks: 4 mm on the smallest, up to 25-40 mm on the
// lowest girdles of the largest ones.
constexpr double kThicknessUsualMinMm = 3;
constexpr double kThicknessUsualMaxMm = 40;
constexpr double kThicknessPossibleMinMm = 2;
constexpr double kThicknessPossibleMaxMm = 60;
// The hoop stress falls with the height, so the sheets never thicken upwards by
// more than a grade of rolled plate.
constexpr double kThicknessStepUpMm = 2;
constexpr double kThicknessSlipToleranceMm = 1.5;

std::string GirdlePlace(int girdle)
{
    return "Пояс " + std::to_string(girdle);
}

void CheckThicknesses(CheckContext& context)
{
    const TSteelVertCylTank& tank = context.tank;
    const int n = tank.GirdleCount();
    for (int i = 1; i <= n; ++i) {
        const double t = tank.SheetThickness(i);
        const std::string place = GirdlePlace(i) + ", толщина листа";
        std::vector<double> around;
        if (i > 1)
            around.push_back(tank.SheetThickness(i - 1));
        if (i < n)
            around.push_back(tank.SheetThickness(i + 1));
        const double expected = Median(around);
        if (t < kThicknessUsualMinMm || t > kThicknessUsualMaxMm) {
            const Slip slip = FindSlip(t, expected, kThicknessSlipToleranceMm, ValueUnit::Millimetre);
            context.AddJudged(
                t < kThicknessPossibleMinMm || t > kThicknessPossibleMaxMm, CheckedField::SheetThickness,
                FindingIndex::One(i), t, place, kMm,
                "листы стенки бывают " + Typed(kThicknessUsualMinMm) + "–" + Typed(kThicknessUsualMaxMm) + " мм", slip);
            continue;
        }
        if (i > 1 && t > tank.SheetThickness(i - 1) + kThicknessStepUpMm) {
            const double below = tank.SheetThickness(i - 1);
            const Slip slip = FindSlip(t, expected, kThicknessSlipToleranceMm, ValueUnit::Millimetre);
            context.AddJudged(false, CheckedField::SheetThickness, FindingIndex::One(i), t, place, kMm,
                              "толще пояса " + std::to_string(i - 1) + " (" + Typed(below) +
                                  " мм), а вверх по стенке листы не утолщаются",
                              slip);
        }
    }
}

// Girdles are rolled plate of standard widths, trimmed by a few millimetres; a
// girdle of another width than its neighbours is one of these.
constexpr double kSheetWidthsMm[] = {1000, 1250, 1400, 1500, 1800, 2000, 2250, 2500, 3000};
constexpr double kSheetTrimMm = 30;
// Girdles of one tank agree within a few millimetres of the trimming.
constexpr double kGirdleAgreementMm = 30;
// Half or twice the others' height is not a sheet of this tank.
constexpr double kGirdleRatioPossibleMin = 0.4;
constexpr double kGirdleRatioPossibleMax = 2.5;

bool IsSheetWidth(double heightMm)
{
    for (double width : kSheetWidthsMm)
        if (std::fabs(heightMm - (width - kSheetTrimMm / 3)) <= kSheetTrimMm)
            return true;
    return false;
}

void CheckGirdleHeights(CheckContext& context)
{
    const TSteelVertCylTank& tank = context.tank;
    const int n = tank.GirdleCount();
    std::vector<double> heights;
    for (int i = 1; i <= n; ++i)
        heights.push_back(tank.GirdleHeightOuter(i));
    const double typical = Median(heights);
    for (int i = 1; i <= n; ++i) {
        const double h = tank.GirdleHeightOuter(i);
        const std::string place = GirdlePlace(i) + ", высота";
        if (h <= 0) {
            context.Add(Severity::Error, CheckedField::GirdleHeightOuter, FindingIndex::One(i), h, place, kMm,
                        "высота пояса должна быть больше нуля", h == 0 ? "не введено?" : "неверный знак?");
            continue;
        }
        if (std::fabs(h - typical) <= kGirdleAgreementMm || IsSheetWidth(h))
            continue;
        const Slip slip = FindSlip(h, typical, kGirdleAgreementMm, ValueUnit::Millimetre);
        const double ratio = h / typical;
        context.AddJudged(ratio < kGirdleRatioPossibleMin || ratio > kGirdleRatioPossibleMax,
                          CheckedField::GirdleHeightOuter, FindingIndex::One(i), h, place, kMm,
                          "остальные пояса около " + Typed(typical) + " мм, а листов такой ширины не катают", slip);
    }
}

// An overlap correction is the part of a lap joint inside the girdle: 30-60 mm
// laps, corrections of a few tens of millimetres.
constexpr double kOverlapUsualMm = 60;
// The corrections of one tank's girdles agree within a few centimetres.
constexpr double kOverlapAgreementMm = 30;
// A correction above a sixth of the girdle would be a lap wider than any sheet joint.
constexpr double kOverlapPossibleShare = 0.15;

// The corrections of an edge on the other girdles: their median and their band.
struct OtherOverlaps
{
    double typical = 0;
    double low = 0;
    double high = 0;
};
OtherOverlaps OthersOf(const TSteelVertCylTank& tank, double (TSteelVertCylTank::*overlap)(int) const, int except)
{
    std::vector<double> others;
    for (int i = 1; i <= tank.GirdleCount(); ++i)
        if (i != except)
            others.push_back((tank.*overlap)(i));
    if (others.empty())
        return {};
    const auto [low, high] = std::minmax_element(others.begin(), others.end());
    return {Median(others), *low, *high};
}

void CheckOverlaps(CheckContext& context)
{
    const TSteelVertCylTank& tank = context.tank;
    for (int i = 1; i <= tank.GirdleCount(); ++i) {
        const double outer = std::fabs(tank.GirdleHeightOuter(i));
        const struct
        {
            CheckedField field;
            double (TSteelVertCylTank::*value)(int) const;
            const char* edge;
        } overlaps[] = {{CheckedField::OverlapBottom, &TSteelVertCylTank::OverlapBottom, ", нахлест снизу"},
                        {CheckedField::OverlapTop, &TSteelVertCylTank::OverlapTop, ", нахлест сверху"}};
        for (const auto& overlap : overlaps) {
            const double value = (tank.*overlap.value)(i);
            const OtherOverlaps others = OthersOf(tank, overlap.value, i);
            const std::string place = GirdlePlace(i) + overlap.edge;
            if (std::fabs(value) <= kOverlapUsualMm) {
                // Within the usual band, only a correction far from all the others'
                // that ten times smaller is one of theirs (5 typed as 50).
                if (value >= others.low - kOverlapAgreementMm && value <= others.high + kOverlapAgreementMm)
                    continue;
                const Slip slip = FindSlip(value, (others.low + others.high) / 2, (others.high - others.low) / 2,
                                           ValueUnit::Millimetre, SlipSearch::ScaleKeepingSign);
                if (slip.Found() && std::fabs(slip.corrected) < std::fabs(value))
                    context.AddOutOfRange(false, overlap.field, FindingIndex::One(i), value, place, kMm,
                                          "у остальных поясов " + Range(others.low, others.high) + " мм", slip);
                continue;
            }
            // A point slipped one place reads like the other girdles' corrections.
            const Slip slip =
                FindSlip(value, others.typical, kOverlapUsualMm / 2, ValueUnit::Millimetre, SlipSearch::ScaleOnly);
            context.AddOutOfRange(std::fabs(value) > kOverlapPossibleShare * outer, overlap.field, FindingIndex::One(i),
                                  value, place, kMm,
                                  "поправка на нахлест обычно не больше " + Typed(kOverlapUsualMm) + " мм", slip);
        }
    }
}

// Plumb readings are read to 0.5-1 mm; the wall between two measuring points
// half a metre to a metre apart may bend by what the erection tolerances allow
// for a local dent or bulge, about 15 mm. A reading apart from both its
// neighbours by more is unusual; by twice as much it is no wall but a slip. On a
// rough wall the table's own scatter raises both limits.
constexpr double kPlumbUsualMm = 15;
constexpr double kPlumbImpossibleMm = 30;
constexpr double kUsualSpreads = 5;
constexpr double kImpossibleSpreads = 8;
constexpr double kMinimalSpreadMm = 1;

const char* PointOnGirdle(const TSteelVertCylTank& tank, int row)
{
    const int girdle = tank.GirdleOfPlumbRow(row);
    if (girdle == 1)
        return "3/4 высоты";
    const int first = 3 * girdle - 4;
    static const char* const kPoints[] = {"низ", "середина", "верх"};
    return kPoints[std::clamp(row - first, 0, 2)];
}

// Rows of plumb readings left at zero: the girdle's when it has none at all,
// else each row's, each line's (generatrix) once.
void ReportMissingPlumbRows(CheckContext& context, const MissingReadings& missing)
{
    const TSteelVertCylTank& tank = context.tank;
    const char* const place = "Образующие";
    if (missing.all) {
        context.AddMissing(CheckedField::PlumbDistance, FindingIndex::Pair(1, 1), place, kNotMeasured);
        return;
    }
    for (int row = 1; row <= tank.PlumbRowCount();) {
        const int girdle = tank.GirdleOfPlumbRow(row);
        int last = row;
        while (last < tank.PlumbRowCount() && tank.GirdleOfPlumbRow(last + 1) == girdle)
            ++last;
        bool wholeGirdle = true;
        for (int r = row; r <= last; ++r)
            wholeGirdle = wholeGirdle && missing.positions[static_cast<std::size_t>(r - 1)];
        const std::string girdlePlace = std::string(place) + " пояса " + std::to_string(girdle);
        if (wholeGirdle)
            context.AddMissing(CheckedField::PlumbDistance, FindingIndex::Pair(row, 1), girdlePlace, kNoReadings);
        else
            for (int r = row; r <= last; ++r)
                if (missing.positions[static_cast<std::size_t>(r - 1)])
                    context.AddMissing(CheckedField::PlumbDistance, FindingIndex::Pair(r, 1),
                                       girdlePlace + ", " + PointOnGirdle(tank, r), kNoReadings);
        row = last + 1;
    }
    for (int g = 1; g <= tank.GeneratrixCount(); ++g)
        if (missing.lines[static_cast<std::size_t>(g - 1)])
            context.AddMissing(CheckedField::PlumbDistance, FindingIndex::Pair(1, g), "Образующая " + std::to_string(g),
                               kNoReadings);
}

void CheckPlumbReadings(CheckContext& context)
{
    const TSteelVertCylTank& tank = context.tank;
    LineTable table;
    table.positions = tank.PlumbRowCount();
    table.lines = tank.GeneratrixCount();
    std::vector<double> typed;
    // A plumb line hangs off the wall on its bracket: a zero is a reading not
    // taken, which is nobody's neighbour.
    for (int row = 1; row <= table.positions; ++row)
        for (int g = 1; g <= table.lines; ++g) {
            typed.push_back(tank.PlumbDistance(row, g));
            table.values.push_back(typed.back() == 0 ? std::nan("") : typed.back());
        }
    const MissingReadings missing = FindMissing(table);
    if (missing.all && !FieldWorkBegun(tank))
        return; // a blank tank: nothing measured yet
    ReportMissingPlumbRows(context, missing);
    if (missing.all)
        return;

    const LineDeviations deviations = DeviationsAlongLines(table);
    const double spread = std::max(deviations.stepSpread, kMinimalSpreadMm);
    const double usual = std::max(kPlumbUsualMm, kUsualSpreads * spread);
    const double impossible = std::max(kPlumbImpossibleMm, kImpossibleSpreads * spread);

    for (int row = 1; row <= table.positions; ++row)
        for (int g = 1; g <= table.lines; ++g) {
            const std::size_t at = static_cast<std::size_t>((row - 1) * table.lines + (g - 1));
            const double value = typed[at];
            const CellDeviation& cell = deviations.cells[at];
            if (missing.InGroup(row - 1, g - 1))
                continue;
            const std::string place = GirdlePlace(tank.GirdleOfPlumbRow(row)) + ", " + PointOnGirdle(tank, row) +
                                      ", образующая " + std::to_string(g);
            const FindingIndex index = FindingIndex::Pair(row, g);
            const std::string neighbours = "соседние показания " + Range(cell.neighbourLow, cell.neighbourHigh) + " мм";
            if (cell.missing) {
                context.Add(Severity::Error, CheckedField::PlumbDistance, index, value, place, kMm, neighbours,
                            "не введено?", cell.expected);
                continue;
            }
            if (value < 0) {
                context.Add(Severity::Error, CheckedField::PlumbDistance, index, value, place, kMm,
                            "расстояние до нити не бывает отрицательным; " + neighbours, "неверный знак?", -value);
                continue;
            }
            const double deviation = std::fabs(cell.deviation);
            if (deviation <= usual)
                continue;
            // Undone, the slip leaves a reading its neighbours would not flag.
            const Slip slip = FindSlip(value, cell.expected, usual, ValueUnit::Millimetre);
            context.AddJudged(deviation > impossible, CheckedField::PlumbDistance, index, value, place, kMm, neighbours,
                              slip);
        }
}

} // namespace

void CheckWall(CheckContext& context)
{
    CheckThicknesses(context);
    CheckPlumbReadings(context);
    CheckGirdleHeights(context);
    CheckOverlaps(context);
}

} // namespace veloquin::checks
