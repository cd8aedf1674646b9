#include "CalibrationText.h"

#include "GFunc.h"

#include <climits>
#include <cmath>

namespace veloquin {
namespace {

constexpr double kStepMm = 10;
// Beyond this many steps the count is not worth simulating: it is refused anyway.
constexpr double kApproximateCountBeyond = static_cast<double>(kMaxCalibrationTableLines) + 10;
// Stands for a table that never ends (the 10 mm step lost in the rounding of a huge level).
constexpr long long kEndlessTable = LLONG_MAX;

std::string GroupedInteger(long long value)
{
    std::string digits = std::to_string(value);
    for (std::size_t pos = digits.size(); pos > 3; pos -= 3)
        digits.insert(pos - 3, 1, ' ');
    return digits;
}

void CheckLength(long long lines)
{
    if (lines <= kMaxCalibrationTableLines)
        return;
    const std::string limit = GroupedInteger(kMaxCalibrationTableLines);
    if (lines == kEndlessTable)
        throw TableTooLongError("Число уровней градуировочной таблицы не ограничено, допускается не более " + limit +
                                ".");
    throw TableTooLongError("Число уровней градуировочной таблицы — " + GroupedInteger(lines) +
                            ", допускается не более " + limit + ".");
}

} // namespace

long long CalibrationTableLineCount(const TSteelVertCylTank& tank)
{
    const double first = tank.DeadCavityHeight();
    const double last = tank.DesignFillHeight();
    if (!(first <= last)) // a NaN lists nothing either
        return 0;
    const double approximate = std::floor((last - first) / kStepMm) + 1;
    if (!(approximate <= kApproximateCountBeyond))
        return approximate < 9e18 ? static_cast<long long>(approximate) : kEndlessTable;

    // The table accumulates its level by repeated addition, whose rounding decides
    // whether the last step still fits: count it the same way.
    long long lines = 0;
    for (double level = first; level <= last; ++lines) {
        const double next = level + kStepMm;
        if (next == level)
            return kEndlessTable;
        level = next;
    }
    return lines;
}

std::vector<CalibrationLevel> CalibrationTableLevels(TSteelVertCylTank& tank)
{
    const long long lines = CalibrationTableLineCount(tank);
    CheckLength(lines);

    std::vector<CalibrationLevel> levels;
    levels.reserve(static_cast<std::size_t>(lines));
    const double last = tank.DesignFillHeight();
    for (double level = tank.DeadCavityHeight(); level <= last; level += kStepMm) {
        tank.SetGivenLevel(level);
        levels.push_back({tank.GirdleAtLevel(level), level, tank.VolumeAtLevel()});
    }
    return levels;
}

std::vector<std::string> CalibrationTableLines(TSteelVertCylTank& tank)
{
    const std::vector<CalibrationLevel> levels = CalibrationTableLevels(tank);
    const double touchPointMm = tank.TouchPointHeight();
    std::vector<std::string> lines;
    lines.reserve(levels.size());
    for (const CalibrationLevel& row : levels) {
        std::string line = "Пояс №";
        line += std::to_string(row.girdle);
        line += "\t\th =\t";
        line += FloatToStr(row.levelMm - touchPointMm);
        line += "\t\tV =\t";
        line += FormatDecimals(3, row.volumeM3);
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace veloquin
