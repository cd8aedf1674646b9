// What a slip does to the table: the tank computed again with the reading the
// slip undone gives, against the tank as typed.

#include "CheckContext.h"
#include "ErrorReport.h"
#include "export/GirdleFigures.h"

#include <cmath>
#include <memory>
#include <utility>

namespace veloquin::checks {
namespace {

using Tank = TSteelVertCylTank;

// Each finding costs a copy of the tank computed again; a tank with more
// findings than this is no table to weigh.
constexpr std::size_t kMaxWeighedFindings = 40;
// Changes that round to nothing in the printed three decimals are not stated.
constexpr double kNegligibleM3 = 0.0005;

// What follows the girdles' heights and the circumference: the walls, details and bottom.
void RefreshFromThePlumbOn(Tank& tank)
{
    for (int i = 1; i <= tank.GirdleCount(); ++i)
        tank.UpdateMeanPlumbDistance(i);
    tank.UpdateInternalDetailsVolume();
    tank.UpdateBottomCorrection();
    tank.UpdateTouchPointHeight();
    tank.UpdateDeadCavityCapacity();
}

// Everything the readings feed, in the order the dialogs refresh it.
void Refresh(Tank& tank)
{
    tank.UpdateExtCircumference();
    for (int i = 1; i <= tank.GirdleCount(); ++i)
        tank.UpdateGirdleHeight(i);
    RefreshFromThePlumbOn(tank);
}

// What one changed reading feeds, in a tank refreshed before: a fraction of Refresh's work.
void RefreshAfter(Tank& tank, CheckedField field, const FindingIndex& at)
{
    if (field == CheckedField::GirdleHeightOuter || field == CheckedField::OverlapBottom ||
        field == CheckedField::OverlapTop)
        tank.UpdateGirdleHeight(at.first);
    tank.UpdateExtCircumference();
    RefreshFromThePlumbOn(tank);
}

// The levels where the difference of two tables can be largest: it changes its
// course only at a girdle's or a detail's edge, so its extremes lie there or at
// the table's ends.
void AddEdges(const Tank& tank, std::vector<double>& levels)
{
    double top = 0;
    for (int i = 1; i <= tank.GirdleCount(); ++i) {
        top += tank.GirdleHeight(i);
        levels.push_back(top);
    }
    for (int k = 1; k <= tank.DetailCount(); ++k) {
        levels.push_back(tank.DetailBottom(k));
        levels.push_back(tank.DetailTop(k));
    }
}

// Puts the value in the field; false for a field no volume depends on.
bool Apply(Tank& tank, CheckedField field, const FindingIndex& at, double value)
{
    switch (field) {
    case CheckedField::DesignCapacity: tank.SetDesignCapacity(static_cast<std::int32_t>(std::lround(value))); break;
    case CheckedField::ExtCircumferenceMeasured1: tank.SetExtCircumferenceMeasured1(value); break;
    case CheckedField::ExtCircumferenceMeasured2: tank.SetExtCircumferenceMeasured2(value); break;
    case CheckedField::WeldCorrection: tank.SetWeldCorrection(at.first, value); break;
    case CheckedField::SheetThickness: tank.SetSheetThickness(at.first, value); break;
    case CheckedField::PaintThickness: tank.SetPaintThickness(value); break;
    case CheckedField::PlumbDistance: tank.SetPlumbDistance(at.first, at.second, value); break;
    case CheckedField::GirdleHeightOuter: tank.SetGirdleHeightOuter(at.first, value); break;
    case CheckedField::OverlapBottom: tank.SetOverlapBottom(at.first, value); break;
    case CheckedField::OverlapTop: tank.SetOverlapTop(at.first, value); break;
    case CheckedField::CalibrationDensity: tank.SetCalibrationDensity(value); break;
    case CheckedField::CalibrationFillHeight: tank.SetCalibrationFillHeight(value); break;
    case CheckedField::DetailBottom: tank.SetDetailBottom(at.first, value); break;
    case CheckedField::DetailTop: tank.SetDetailTop(at.first, value); break;
    case CheckedField::DetailVolume: tank.SetDetailVolume(at.first, value); break;
    case CheckedField::DetailDiameter: tank.SetDetailDiameter(at.first, value); break;
    case CheckedField::DetailLength: tank.SetDetailLength(at.first, value); break;
    case CheckedField::BottomReadings: tank.SetBottomReading(at.first, at.second, value); break;
    case CheckedField::BottomCenter: tank.SetBottomCenter(value); break;
    case CheckedField::PointPlumb: tank.SetPointPlumb(value); break;
    case CheckedField::GirdleCapacity:
    case CheckedField::VolumeAtLevel:
    case CheckedField::StoredDensity:
    case CheckedField::BaseHeightMeas1:
    case CheckedField::BaseHeightMeas2: return false;
    }
    return true;
}

// The largest change of a girdle's capacity or of the table at one of its levels.
struct Effect
{
    double m3 = 0;  // typed minus corrected
    int girdle = 0; // the girdle whose capacity changes most; 0: the table at levelMm
    double levelMm = 0;
};

// The tank as typed, refreshed once for every finding.
class TypedTable
{
public:
    explicit TypedTable(const Tank& tank) : m_tank(tank)
    {
        Refresh(m_tank);
        m_low = m_tank.DeadCavityHeight();
        m_high = m_tank.ClampedLevel(m_tank.DesignFillHeight());
    }

    Effect Against(const Tank& corrected) const
    {
        Effect effect;
        for (int i = 1; i <= m_tank.GirdleCount(); ++i) {
            const double change = m_tank.GirdleCapacity(i) - corrected.GirdleCapacity(i);
            if (std::fabs(change) > std::fabs(effect.m3))
                effect = Effect{change, i, 0};
        }
        if (!(m_low <= m_high))
            return effect;
        std::vector<double> levels{m_low, m_high};
        AddEdges(m_tank, levels);
        AddEdges(corrected, levels);
        for (double level : levels) {
            if (!(level >= m_low && level <= m_high))
                continue;
            const double change = m_tank.VolumeAt(level).volumeM3 - corrected.VolumeAt(level).volumeM3;
            if (std::fabs(change) > std::fabs(effect.m3))
                effect = Effect{change, 0, level - m_tank.TouchPointHeight()};
        }
        return effect;
    }

    const Tank& Refreshed() const { return m_tank; }

private:
    Tank m_tank;
    double m_low = 0;
    double m_high = 0;
};

// "−50,9 м³", "+0,021 м³"
std::string SignedM3(double m3)
{
    const std::string sign = m3 < 0 ? "−" : "+";
    return sign + Fixed(std::fabs(m3) >= 10 ? 1 : 3, std::fabs(m3)) + " м³";
}

} // namespace

void CheckContext::StateEffects()
{
    // The setters of a copy report nothing the user did; nothing of it reaches the user.
    const ScopedErrorReporter quiet([](const std::string&, const std::string&) {});
    std::unique_ptr<TypedTable> typed;
    std::size_t weighed = 0;
    for (std::size_t k = 0; k < m_findings.size() && weighed < kMaxWeighedFindings; ++k) {
        if (!m_corrected[k] || !std::isfinite(*m_corrected[k]))
            continue;
        Finding& finding = m_findings[k];
        if (!typed)
            typed = std::make_unique<TypedTable>(tank);
        Tank corrected = typed->Refreshed();
        if (!Apply(corrected, finding.field, finding.index, *m_corrected[k]))
            continue;
        ++weighed;
        RefreshAfter(corrected, finding.field, finding.index);
        const Effect effect = typed->Against(corrected);
        if (!std::isfinite(effect.m3) || std::fabs(effect.m3) < kNegligibleM3)
            continue;
        finding.message +=
            effect.girdle > 0
                ? "; меняет вместимость пояса " + std::to_string(effect.girdle) + " на " + SignedM3(effect.m3)
                : "; меняет объем на уровне " + Fixed(0, effect.levelMm) + " мм на " + SignedM3(effect.m3);
        const double stated = StatedCapacityErrorM3(corrected);
        if (std::fabs(effect.m3) > stated) {
            finding.message += ", больше погрешности таблицы ±" + Fixed(3, stated) + " м³";
            finding.severity = Severity::Error;
        }
    }
}

} // namespace veloquin::checks
