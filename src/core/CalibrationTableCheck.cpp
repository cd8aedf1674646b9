#include "CalibrationTableCheck.h"

#include "CalibrationText.h"
#include "GFunc.h"
#include "LevelStepping.h"

#include <cmath>

namespace veloquin {
namespace {

// A value as the table would show it; a non-number by name.
std::string Shown(double value)
{
    if (std::isnan(value))
        return "не число";
    if (std::isinf(value))
        return value > 0 ? "бесконечность" : "минус бесконечность";
    return FloatToStr(value);
}

std::string EmptyTableFault(const TSteelVertCylTank& tank)
{
    const double deadCavity = tank.DeadCavityHeight();
    const double fill = tank.DesignFillHeight();
    if (std::isfinite(deadCavity) && std::isfinite(fill))
        return "Градуировочная таблица пуста: уровень мертвой полости (" + Shown(deadCavity) +
               " мм) выше высоты заполнения резервуара (" + Shown(fill) + " мм).";
    return "Градуировочная таблица пуста: уровень мертвой полости — " + Shown(deadCavity) +
           ", высота заполнения резервуара — " + Shown(fill) + ".";
}

} // namespace

std::string CalibrationTableFault(const TSteelVertCylTank& tank)
{
    try {
        CheckCalibrationTableLength(tank);
    } catch (const TableTooLongError& error) {
        return error.what();
    }
    if (CalibrationTableLineCount(tank) == 0)
        return EmptyTableFault(tank);

    const double touchPointMm = tank.TouchPointHeight();
    LevelStepper step(tank, tank.DeadCavityHeight());
    do {
        const double shownLevel = step.LevelMm() - touchPointMm;
        const double volume = step.VolumeM3();
        const std::string prefix = "Градуировочная таблица содержит значение, не являющееся числом: ";
        if (!std::isfinite(shownLevel))
            return prefix + "уровень — " + Shown(shownLevel) + ". Проверьте данные резервуара.";
        if (!std::isfinite(volume))
            return prefix + "при уровне " + Shown(shownLevel) + " мм объем — " + Shown(volume) +
                   ". Проверьте данные резервуара.";
    } while (step.Next());
    return std::string();
}

} // namespace veloquin
