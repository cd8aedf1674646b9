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
                       const std::string& hint)
{
    std::string message = place + ": " + Short(value);
    if (!unit.empty())
        message += " " + unit;
    message += " — " + reason;
    if (!hint.empty())
        message += "; " + hint;
    m_findings.push_back(Finding{severity, field, index, value, std::move(message)});
}

void CheckContext::AddJudged(bool impossible, CheckedField field, FindingIndex index, double value,
                             const std::string& place, const std::string& unit, const std::string& reason,
                             const std::string& hint)
{
    Add(impossible || !hint.empty() ? Severity::Error : Severity::Warning, field, index, value, place, unit, reason,
        hint);
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
    const double difference = std::fabs(m1 - m2);
    const double larger = std::max(m1, m2);
    const double tolerance = std::max(kCircumferenceAgreementMm, kCircumferenceAgreementShare * larger);
    if (difference <= tolerance)
        return;
    // Which of the two a single slip explains: that one is the wrong one.
    std::string hint = GuessSlip(m2, m1, tolerance, ValueUnit::Millimetre);
    CheckedField field = CheckedField::ExtCircumferenceMeasured2;
    double value = m2;
    const char* place = place2;
    if (hint.empty()) {
        hint = GuessSlip(m1, m2, tolerance, ValueUnit::Millimetre);
        if (!hint.empty()) {
            field = CheckedField::ExtCircumferenceMeasured1;
            value = m1;
            place = place1;
        }
    }
    if (hint.empty())
        for (double tape : kTapeLengthsMm)
            if (std::fabs(difference - tape) <= tolerance)
                hint = "пропущен или лишний отрезок рулетки?";
    const double other = value == m2 ? m1 : m2;
    const bool impossible = difference > std::max(kCircumferenceImpossibleMm, kCircumferenceImpossibleShare * larger);
    context.AddJudged(impossible, field, FindingIndex::None(), value, place, kMm,
                      "другое измерение " + Typed(other) + " мм, расхождение " + Fixed(1, difference) +
                          " мм при допуске " + Fixed(0, tolerance) + " мм",
                      hint);
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
        const std::string hint = GuessSlip(v, kWeldCorrectionUsualMm / 2, kWeldCorrectionUsualMm / 2,
                                           ValueUnit::Millimetre, SlipSearch::ScaleOnly);
        context.AddOutOfRange(v > kWeldCorrectionPossibleMm || v < -kWeldCorrectionUsualMm,
                              CheckedField::WeldCorrection, FindingIndex::One(i), v,
                              "Поправка на сварной шов " + std::to_string(i), kMm,
                              "поправка на шов обычно 0–" + Typed(kWeldCorrectionUsualMm) + " мм", hint);
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
    const std::string hint =
        GuessSlip(paint, kPaintUsualMm / 2, kPaintUsualMm / 2, ValueUnit::Millimetre, SlipSearch::ScaleOnly);
    context.AddOutOfRange(paint < 0 || paint > kPaintPossibleMm, CheckedField::PaintThickness, FindingIndex::None(),
                          paint, "Толщина краски", kMm, "слой краски обычно 0–" + Typed(kPaintUsualMm) + " мм", hint);
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

void CheckBaseHeight(CheckContext& context)
{
    const TSteelVertCylTank& tank = context.tank;
    const double m1 = tank.BaseHeightMeas1();
    const double m2 = tank.BaseHeightMeas2();
    const double difference = std::fabs(m1 - m2);
    if (difference > kBaseHeightAgreementMm) {
        std::string hint = GuessSlip(m2, m1, kBaseHeightAgreementMm, ValueUnit::Millimetre);
        bool second = true;
        if (hint.empty()) {
            hint = GuessSlip(m1, m2, kBaseHeightAgreementMm, ValueUnit::Millimetre);
            second = hint.empty();
        }
        context.AddJudged(
            difference > kBaseHeightImpossibleMm,
            second ? CheckedField::BaseHeightMeas2 : CheckedField::BaseHeightMeas1, FindingIndex::None(),
            second ? m2 : m1, second ? "Базовая высота, измерение 2" : "Базовая высота, измерение 1", kMm,
            "другое измерение " + Typed(second ? m1 : m2) + " мм, расхождение " + Fixed(1, difference) + " мм", hint);
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
    std::vector<Finding> findings = context.Take();
    auto key = [](const Finding& f) {
        return std::make_tuple(static_cast<int>(f.field), f.index.first, f.index.second);
    };
    std::stable_sort(findings.begin(), findings.end(),
                     [&](const Finding& a, const Finding& b) { return key(a) < key(b); });
    return findings;
}

} // namespace veloquin
