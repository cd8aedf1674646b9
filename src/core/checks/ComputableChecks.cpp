// A reading that is no number (a damaged or hand-made file) leaves the table
// impossible to compute: the table, the CSV and the PDF refuse such a tank, so
// the checks must not call it clean. Each such reading is an error of its own
// field; a table that cannot be computed for another reason is one error more.

#include "CalibrationTableCheck.h"
#include "CalibrationText.h"
#include "CheckContext.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace veloquin::checks {
namespace {

std::string Numbered(const char* what, int i)
{
    return std::string(what) + " " + std::to_string(i);
}

class InputWalk
{
public:
    explicit InputWalk(CheckContext& context) : m_context(context) {}

    void Value(CheckedField field, FindingIndex index, double value, const std::string& place)
    {
        if (std::isfinite(value))
            return;
        ++m_found;
        const char* shown = std::isnan(value) ? "не число" : value > 0 ? "бесконечность" : "минус бесконечность";
        m_context.AddFinding({Severity::Error, field, index, value,
                              place + ": " + shown +
                                  " — по такому значению градуировочную таблицу не вычислить; "
                                  "введите его заново"});
    }
    // One value per girdle.
    template <class Getter> void PerGirdle(CheckedField field, const char* what, Getter getter)
    {
        for (int i = 1; i <= m_context.tank.GirdleCount(); ++i)
            Value(field, FindingIndex::One(i), (m_context.tank.*getter)(i), Numbered(what, i));
    }
    int Found() const { return m_found; }

private:
    CheckContext& m_context;
    int m_found = 0;
};

} // namespace

void CheckComputable(CheckContext& context)
{
    const TSteelVertCylTank& tank = context.tank;
    InputWalk walk(context);
    const FindingIndex none = FindingIndex::None();
    walk.Value(CheckedField::ExtCircumferenceMeasured1, none, tank.ExtCircumferenceMeasured1(),
               "Длина окружности, измерение 1");
    walk.Value(CheckedField::ExtCircumferenceMeasured2, none, tank.ExtCircumferenceMeasured2(),
               "Длина окружности, измерение 2");
    const int welds = static_cast<int>(std::llabs(tank.WeldCorrectionCount()));
    for (int i = 1; i <= welds; ++i)
        walk.Value(CheckedField::WeldCorrection, FindingIndex::One(i), tank.WeldCorrection(i),
                   Numbered("Поправка на сварной шов", i));
    walk.PerGirdle(CheckedField::SheetThickness, "Толщина листа, пояс", &TSteelVertCylTank::SheetThickness);
    walk.Value(CheckedField::PaintThickness, none, tank.PaintThickness(), "Толщина краски");
    for (int row = 1; row <= tank.PlumbRowCount(); ++row)
        for (int g = 1; g <= tank.GeneratrixCount(); ++g)
            walk.Value(CheckedField::PlumbDistance, FindingIndex::Pair(row, g), tank.PlumbDistance(row, g),
                       "Расстояние до отвеса, строка " + std::to_string(row) + ", образующая " + std::to_string(g));
    walk.PerGirdle(CheckedField::GirdleHeightOuter, "Высота пояса", &TSteelVertCylTank::GirdleHeightOuter);
    walk.PerGirdle(CheckedField::OverlapBottom, "Нахлест снизу, пояс", &TSteelVertCylTank::OverlapBottom);
    walk.PerGirdle(CheckedField::OverlapTop, "Нахлест сверху, пояс", &TSteelVertCylTank::OverlapTop);
    walk.Value(CheckedField::CalibrationDensity, none, tank.CalibrationDensity(), "Плотность при градуировке");
    walk.Value(CheckedField::CalibrationFillHeight, none, tank.CalibrationFillHeight(),
               "Уровень налива при градуировке");
    walk.Value(CheckedField::StoredDensity, none, tank.StoredDensity(), "Плотность хранимой жидкости");
    for (int d = 1; d <= tank.DetailCount(); ++d) {
        const FindingIndex index = FindingIndex::One(d);
        walk.Value(CheckedField::DetailBottom, index, tank.DetailBottom(d), Numbered("Низ детали", d));
        walk.Value(CheckedField::DetailTop, index, tank.DetailTop(d), Numbered("Верх детали", d));
        walk.Value(CheckedField::DetailVolume, index, tank.DetailVolume(d), Numbered("Объем детали", d));
        walk.Value(CheckedField::DetailDiameter, index, tank.DetailDiameter(d), Numbered("Диаметр детали", d));
        walk.Value(CheckedField::DetailLength, index, tank.DetailLength(d), Numbered("Длина детали", d));
    }
    walk.Value(CheckedField::BaseHeightMeas1, none, tank.BaseHeightMeas1(), "Базовая высота, измерение 1");
    walk.Value(CheckedField::BaseHeightMeas2, none, tank.BaseHeightMeas2(), "Базовая высота, измерение 2");
    for (int circle = 1; circle <= TSteelVertCylTank::kBottomCircles; ++circle)
        for (int radius = 1; radius <= TSteelVertCylTank::kBottomRadii; ++radius)
            walk.Value(CheckedField::BottomReadings, FindingIndex::Pair(circle, radius),
                       tank.BottomReading(circle, radius),
                       "Отсчет по днищу, окружность " + std::to_string(circle) + ", радиус " + std::to_string(radius));
    walk.Value(CheckedField::BottomCenter, none, tank.BottomCenter(), "Отсчет в центре днища");
    walk.Value(CheckedField::PointPlumb, none, tank.PointPlumb(), "Отсчет у точки отвеса");
    if (walk.Found() > 0)
        return;

    // Finite readings whose table still cannot be given out (empty, refused for
    // its length, or overflowing). Tables longer than the checks walk are only
    // held to their length, which costs nothing.
    std::string fault;
    if (CalibrationTableLineCount(tank) <= kMaxWalkedTableLevels) {
        fault = CalibrationTableFault(tank);
    } else {
        try {
            CheckCalibrationTableLength(tank);
        } catch (const TableTooLongError& error) {
            fault = error.what();
        }
    }
    if (!fault.empty())
        context.AddFinding({Severity::Error, CheckedField::VolumeAtLevel, FindingIndex::None(), 0, fault});
}

} // namespace veloquin::checks
