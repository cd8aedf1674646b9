#include "TankChecks.h"

#include "CalibrationText.h"
#include "CheckContext.h"
#include "GFunc.h"
#include "LevelStepping.h"
#include "PhysicalConstants.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace veloquin {

namespace {

struct FieldDescriptor
{
    CheckedField field;
    const char* name;
};

constexpr FieldDescriptor kFields[] = {
    {CheckedField::DesignCapacity, "DesignCapacity"},
    {CheckedField::ExtCircumferenceMeasured1, "ExtCircumferenceMeasured1"},
    {CheckedField::ExtCircumferenceMeasured2, "ExtCircumferenceMeasured2"},
    {CheckedField::WeldCorrection, "WeldCorrection"},
    {CheckedField::SheetThickness, "SheetThickness"},
    {CheckedField::PaintThickness, "PaintThickness"},
    {CheckedField::PlumbDistance, "PlumbDistance"},
    {CheckedField::GirdleHeightOuter, "GirdleHeightOuter"},
    {CheckedField::OverlapBottom, "OverlapBottom"},
    {CheckedField::OverlapTop, "OverlapTop"},
    {CheckedField::GirdleCapacity, "GirdleCapacity"},
    {CheckedField::CalibrationDensity, "CalibrationDensity"},
    {CheckedField::CalibrationFillHeight, "CalibrationFillHeight"},
    {CheckedField::VolumeAtLevel, "VolumeAtLevel"},
    {CheckedField::StoredDensity, "StoredDensity"},
    {CheckedField::DetailBottom, "DetailBottom"},
    {CheckedField::DetailTop, "DetailTop"},
    {CheckedField::DetailVolume, "DetailVolume"},
    {CheckedField::DetailDiameter, "DetailDiameter"},
    {CheckedField::DetailLength, "DetailLength"},
    {CheckedField::BaseHeightMeas1, "BaseHeightMeas1"},
    {CheckedField::BaseHeightMeas2, "BaseHeightMeas2"},
    {CheckedField::BottomReadings, "BottomReadings"},
    {CheckedField::BottomCenter, "BottomCenter"},
    {CheckedField::PointPlumb, "PointPlumb"},
};

} // namespace

const char* SeverityName(Severity severity)
{
    return severity == Severity::Error ? "error" : "warning";
}

const char* CheckedFieldName(CheckedField field)
{
    for (const FieldDescriptor& descriptor : kFields)
        if (descriptor.field == field)
            return descriptor.name;
    return "";
}

FindingCounts CountFindings(const std::vector<Finding>& findings)
{
    FindingCounts counts;
    for (const Finding& finding : findings)
        ++(finding.severity == Severity::Error ? counts.errors : counts.warnings);
    return counts;
}

namespace checks {

CheckContext::CheckContext(const TSteelVertCylTank& checked)
    : tank(checked), wallHeightMm([&] {
          double sum = 0;
          for (int i = 1; i <= checked.GirdleCount(); ++i)
              sum += checked.GirdleHeight(i);
          return sum;
      }())
{
}

void CheckContext::Add(Severity severity, CheckedField field, FindingIndex index, double value,
                       const std::string& place, const std::string& unit, const std::string& reason,
                       const std::string& hint, std::optional<double> corrected)
{
    std::string message = place + ": " + Short(value);
    if (!unit.empty())
        message += " " + unit;
    message += " — " + reason;
    if (!hint.empty())
        message += "; " + hint;
    m_findings.push_back(Finding{severity, field, index, value, std::move(message)});
    m_corrected.push_back(corrected);
}

void CheckContext::AddJudged(bool impossible, CheckedField field, FindingIndex index, double value,
                             const std::string& place, const std::string& unit, const std::string& reason,
                             const std::string& hint)
{
    Add(impossible || !hint.empty() ? Severity::Error : Severity::Warning, field, index, value, place, unit, reason,
        hint);
}

void CheckContext::AddMissing(CheckedField field, FindingIndex index, const std::string& place, const std::string& what)
{
    m_findings.push_back(Finding{Severity::Error, field, index, 0, place + ": " + what});
    m_corrected.push_back(std::nullopt);
}

void CheckContext::AddJudged(bool impossible, CheckedField field, FindingIndex index, double value,
                             const std::string& place, const std::string& unit, const std::string& reason,
                             const Slip& slip)
{
    Add(impossible || slip.Found() ? Severity::Error : Severity::Warning, field, index, value, place, unit, reason,
        slip.hint, Corrected(slip));
}

std::string Typed(double value)
{
    return FloatToStr(value);
}

std::string Short(double value)
{
    // Typed values have a few decimals at most; a computed one is cut to tenths.
    return std::fabs(value - RoundDecimals(3, value)) < 1e-9 ? Typed(value) : Fixed(1, value);
}

std::string Fixed(int decimals, double value)
{
    return FormatDecimals(static_cast<std::int8_t>(decimals), value);
}

std::string Range(double low, double high)
{
    return low == high ? Typed(low) : Typed(low) + "–" + Typed(high);
}

double CylinderVolume(double circumferenceMm, double heightMm)
{
    return static_cast<double>(static_cast<long double>(circumferenceMm) * circumferenceMm * heightMm /
                               physics::kCylinderDivisor);
}

namespace {

// Liquids kept in vertical steel tanks: light petrol about 690 kg/m3 up to
// heavy fuel oil and water about 1000-1010; brines and acids reach 1300 and
// beyond, so outside this band a density is only unusual...
constexpr double kUsualDensityMin = 650;
constexpr double kUsualDensityMax = 1300;
// ...and outside this one no liquid stored in such a tank (liquefied gas is not
// kept in them, sulphuric acid is 1840).
constexpr double kPossibleDensityMin = 400;
constexpr double kPossibleDensityMax = 2000;

void CheckDensity(CheckContext& context, CheckedField field, double density, const char* place)
{
    if (density >= kUsualDensityMin && density <= kUsualDensityMax)
        return;
    const double usualMiddle = (kUsualDensityMin + kUsualDensityMax) / 2;
    const std::string hint = GuessSlip(density, usualMiddle, (kUsualDensityMax - kUsualDensityMin) / 2,
                                       ValueUnit::KgPerCubicMetre, SlipSearch::ScaleOnly);
    const bool impossible = density < kPossibleDensityMin || density > kPossibleDensityMax;
    context.AddOutOfRange(impossible, field, FindingIndex::None(), density, place, "кг/м³",
                          "хранимые жидкости имеют плотность " + Typed(kUsualDensityMin) + "–" +
                              Typed(kUsualDensityMax) + " кг/м³",
                          hint);
}

// Two lays of a tape round girdle 1 agree within a few millimetres: a class 2
// tape over 30 to 90 m reads to 1 mm and lies within about 0.01 % of the length.
constexpr double kCircumferenceAgreementMm = 5;
constexpr double kCircumferenceAgreementShare = 1e-4;
// Beyond a tenth of a percent (90 mm on a 10 000 m3 tank) the two cannot be
// lays of one tape round one girdle.
constexpr double kCircumferenceImpossibleMm = 50;
constexpr double kCircumferenceImpossibleShare = 1e-3;
// A lay of a whole tape length forgotten or counted twice.
constexpr double kTapeLengthsMm[] = {10000, 20000, 30000, 50000};

// The tank with this circumference round girdle 1, each girdle's radius from
// it by the plumb readings: what it would hold against its nominal capacity.
Judgement JudgeCircumference(const TSteelVertCylTank& tank, double circumference)
{
    TSteelVertCylTank measured = tank;
    measured.SetExtCircumferenceMeasurements(circumference, circumference);
    const double volume = measured.VolumeAt(measured.ClampedLevel(measured.DesignFillHeight())).volumeM3;
    const double ratio = volume / tank.DesignCapacity();
    const bool usual = ratio >= kCapacityRatioUsualMin && ratio <= kCapacityRatioUsualMax;
    if (usual || !std::isfinite(ratio))
        return {};
    const bool possible = ratio >= kCapacityRatioPossibleMin && ratio <= kCapacityRatioPossibleMax;
    return {possible ? Plausibility::Possible : Plausibility::Impossible,
            "с ним резервуар вмещал бы " + Fixed(0, volume) + " м³ при номинальной вместимости " +
                Typed(tank.DesignCapacity()) + " м³"};
}

void CheckCircumference(CheckContext& context)
{
    const TSteelVertCylTank& tank = context.tank;
    const double m1 = tank.ExtCircumferenceMeasured1();
    const double m2 = tank.ExtCircumferenceMeasured2();
    const char* const place1 = "Длина окружности, измерение 1";
    const char* const place2 = "Длина окружности, измерение 2";
    if (m1 <= 0 || m2 <= 0) {
        const bool first = m1 <= 0;
        context.Add(Severity::Error,
                    first ? CheckedField::ExtCircumferenceMeasured1 : CheckedField::ExtCircumferenceMeasured2,
                    FindingIndex::None(), first ? m1 : m2, first ? place1 : place2, kMm,
                    "длина окружности должна быть больше нуля", "не введено?");
        return;
    }
    const double tolerance = std::max(kCircumferenceAgreementMm, kCircumferenceAgreementShare * std::max(m1, m2));
    MeasurementPair pair{{CheckedField::ExtCircumferenceMeasured1, CheckedField::ExtCircumferenceMeasured2},
                         {m1, m2},
                         {place1, place2},
                         tolerance,
                         std::max(kCircumferenceImpossibleMm, kCircumferenceImpossibleShare * std::max(m1, m2)),
                         " при допуске " + Fixed(0, tolerance) + " мм",
                         [&tank](double circumference) { return JudgeCircumference(tank, circumference); },
                         [tolerance](double difference) {
                             for (double tape : kTapeLengthsMm)
                                 if (std::fabs(difference - tape) <= tolerance)
                                     return std::string("пропущен или лишний отрезок рулетки?");
                             return std::string();
                         }};
    CheckMeasurementPair(context, pair);
}

// A weld seam's correction of the tape is the excess of the bead under the
// tape: a few millimetres per seam.
constexpr double kWeldCorrectionUsualMm = 10;
constexpr double kWeldCorrectionPossibleMm = 30;

void CheckWeldCorrections(CheckContext& context)
{
    const TSteelVertCylTank& tank = context.tank;
    for (int i = 1; i <= tank.WeldCorrectionCount(); ++i) {
        const double v = tank.WeldCorrection(i);
        if (v >= 0 && v <= kWeldCorrectionUsualMm)
            continue;
        const Slip slip = FindSlip(v, kWeldCorrectionUsualMm / 2, kWeldCorrectionUsualMm / 2, ValueUnit::Millimetre,
                                   SlipSearch::ScaleOnly);
        context.AddOutOfRange(v > kWeldCorrectionPossibleMm || v < -kWeldCorrectionUsualMm,
                              CheckedField::WeldCorrection, FindingIndex::One(i), v,
                              "Поправка на сварной шов " + std::to_string(i), kMm,
                              "поправка на шов обычно 0–" + Typed(kWeldCorrectionUsualMm) + " мм", slip);
    }
}

// Paint on a tank wall: 0.1-0.5 mm new, up to 1-2 mm after years of coats.
constexpr double kPaintUsualMm = 2;
constexpr double kPaintPossibleMm = 3;

void CheckPaint(CheckContext& context)
{
    const double paint = context.tank.PaintThickness();
    if (paint >= 0 && paint <= kPaintUsualMm)
        return;
    const Slip slip =
        FindSlip(paint, kPaintUsualMm / 2, kPaintUsualMm / 2, ValueUnit::Millimetre, SlipSearch::ScaleOnly);
    context.AddOutOfRange(paint < 0 || paint > kPaintPossibleMm, CheckedField::PaintThickness, FindingIndex::None(),
                          paint, "Толщина краски", kMm, "слой краски обычно 0–" + Typed(kPaintUsualMm) + " мм", slip);
}

void CheckCalibrationConditions(CheckContext& context)
{
    const TSteelVertCylTank& tank = context.tank;
    const double fill = tank.CalibrationFillHeight();
    if (fill < 0) {
        context.Add(Severity::Error, CheckedField::CalibrationFillHeight, FindingIndex::None(), fill,
                    "Высота налива при измерениях", kMm, "высота налива не бывает отрицательной", "неверный знак?");
    } else if (fill > context.wallHeightMm) {
        const std::string hint = GuessSlip(fill, context.wallHeightMm / 2, context.wallHeightMm / 2,
                                           ValueUnit::Millimetre, SlipSearch::ScaleOnly);
        context.Add(Severity::Error, CheckedField::CalibrationFillHeight, FindingIndex::None(), fill,
                    "Высота налива при измерениях", kMm,
                    "выше стенки резервуара (" + Typed(context.wallHeightMm) + " мм)", hint);
    }
    // The density of an empty tank's contents enters nothing.
    if (fill > 0)
        CheckDensity(context, CheckedField::CalibrationDensity, tank.CalibrationDensity(),
                     "Плотность жидкости при измерениях");
    CheckDensity(context, CheckedField::StoredDensity, tank.StoredDensity(), "Плотность хранимой жидкости");
}

// Two readings of the base height at the measuring hatch: a tape with its weight
// read to 1 mm; a metrologist repeats when they differ by more than 2 mm.
constexpr double kBaseHeightAgreementMm = 5;
constexpr double kBaseHeightImpossibleMm = 50;
// The hatch sits on the roof near the wall: up to about a metre above the top
// of the wall on a cone roof; three metres above it is not on this tank.
constexpr double kHatchAboveWallUsualMm = 1500;
constexpr double kHatchAboveWallPossibleMm = 3000;

// The hatch stands above the highest level the tank is filled to, and no
// higher above the wall than a roof carries it.
Judgement JudgeBaseHeight(const CheckContext& context, double height)
{
    const double fill = context.tank.DesignFillHeight();
    if (fill > 0 && height <= fill)
        return {Plausibility::Impossible, "не выше максимального уровня налива (" + Typed(fill) + " мм)"};
    const double above = height - context.wallHeightMm;
    if (above <= kHatchAboveWallUsualMm)
        return {};
    return {above > kHatchAboveWallPossibleMm ? Plausibility::Impossible : Plausibility::Possible,
            "на " + Fixed(0, above) + " мм выше стенки (" + Typed(context.wallHeightMm) + " мм)"};
}

void CheckBaseHeight(CheckContext& context)
{
    const TSteelVertCylTank& tank = context.tank;
    const double m1 = tank.BaseHeightMeas1();
    const double m2 = tank.BaseHeightMeas2();
    if (std::fabs(m1 - m2) > kBaseHeightAgreementMm) {
        const MeasurementPair pair{{CheckedField::BaseHeightMeas1, CheckedField::BaseHeightMeas2},
                                   {m1, m2},
                                   {"Базовая высота, измерение 1", "Базовая высота, измерение 2"},
                                   kBaseHeightAgreementMm,
                                   kBaseHeightImpossibleMm,
                                   std::string(),
                                   [&context](double height) { return JudgeBaseHeight(context, height); },
                                   nullptr};
        CheckMeasurementPair(context, pair);
        return;
    }
    const double above = tank.BaseHeight() - context.wallHeightMm;
    if (above > kHatchAboveWallUsualMm) {
        const std::string hint =
            GuessSlip(m1, context.wallHeightMm, kHatchAboveWallUsualMm, ValueUnit::Millimetre, SlipSearch::ScaleOnly);
        context.AddOutOfRange(above > kHatchAboveWallPossibleMm, CheckedField::BaseHeightMeas1, FindingIndex::None(),
                              m1, "Базовая высота", kMm,
                              "на " + Fixed(0, above) + " мм выше стенки (" + Typed(context.wallHeightMm) + " мм)",
                              hint);
    }
}

} // namespace
} // namespace checks

bool WalkTable(const TSteelVertCylTank& tank, const std::function<void(double levelMm, double volumeM3)>& visit)
{
    const long long levels = CalibrationTableLineCount(tank);
    if (levels <= 0 || levels > kMaxWalkedTableLevels)
        return false;
    LevelStepper stepper(tank, tank.DeadCavityHeight());
    visit(stepper.LevelMm(), stepper.VolumeM3());
    for (long long i = 1; i < levels && stepper.Next(); ++i)
        visit(stepper.LevelMm(), stepper.VolumeM3());
    return true;
}

std::vector<Finding> CheckTank(const TSteelVertCylTank& tank)
{
    checks::CheckContext context(tank);
    checks::CheckCircumference(context);
    checks::CheckWeldCorrections(context);
    checks::CheckPaint(context);
    checks::CheckWall(context);
    checks::CheckCalibrationConditions(context);
    checks::CheckDetails(context);
    checks::CheckBaseHeight(context);
    checks::CheckBottom(context);
    checks::CheckTable(context);
    context.StateEffects();
    std::vector<Finding> findings = context.Take();
    auto key = [](const Finding& f) {
        return std::make_tuple(static_cast<int>(f.field), f.index.first, f.index.second);
    };
    std::stable_sort(findings.begin(), findings.end(),
                     [&](const Finding& a, const Finding& b) { return key(a) < key(b); });
    return findings;
}

} // namespace veloquin
