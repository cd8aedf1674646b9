#include "CalibrationText.h"

#include "GFunc.h"
#include "LevelStepping.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

namespace veloquin {
namespace {

constexpr double kStepMm = LevelStepper::kStepMm;
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

void CheckLength(long long lines, int details)
{
    const long long limit = CalibrationTableLineLimit(details);
    if (lines <= limit)
        return;
    const std::string limitText = GroupedInteger(limit);
    if (limit < kMaxCalibrationTableLines)
        throw TableTooLongError("Число уровней градуировочной таблицы — " +
                                (lines == kEndlessTable ? std::string("не ограничено") : GroupedInteger(lines)) +
                                " при " + GroupedInteger(details) +
                                " внутренних деталях; при таком числе деталей допускается не более " + limitText +
                                " уровней.");
    if (lines == kEndlessTable)
        throw TableTooLongError("Число уровней градуировочной таблицы не ограничено, допускается не более " +
                                limitText + ".");
    throw TableTooLongError("Число уровней градуировочной таблицы — " + GroupedInteger(lines) +
                            ", допускается не более " + limitText + ".");
}

} // namespace

long long CalibrationTableLineLimit(int detailCount)
{
    if (detailCount <= 0 || kMaxCalibrationTableLines <= kMaxTableDetailVisits / detailCount)
        return kMaxCalibrationTableLines;
    return kMaxTableDetailVisits / detailCount;
}

void CheckCalibrationTableLength(const TSteelVertCylTank& tank)
{
    CheckLength(CalibrationTableLineCount(tank), tank.DetailCount());
}

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

namespace {

// Appends one line of the text table, without its line end.
void AppendTableLine(std::string& out, int girdle, double printedLevelMm, double volumeM3)
{
    out += "Пояс №";
    char digits[16];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, girdle).ptr);
    out += "\t\th =\t";
    out += FloatToStr(printedLevelMm);
    out += "\t\tV =\t";
    out += FormatDecimals(3, volumeM3);
}

// Steps through every level of the table and calls f(girdle, level, volume).
template <class F> void ForEachTableLevel(const TSteelVertCylTank& tank, F f)
{
    const long long lines = CalibrationTableLineCount(tank);
    CheckLength(lines, tank.DetailCount());
    if (lines == 0)
        return;
    LevelStepper step(tank, tank.DeadCavityHeight());
    do
        f(tank.GirdleAtLevel(step.LevelMm()), step.LevelMm(), step.VolumeM3());
    while (step.Next());
}

} // namespace

std::vector<CalibrationLevel> CalibrationTableLevels(const TSteelVertCylTank& tank)
{
    std::vector<CalibrationLevel> levels;
    ForEachTableLevel(tank, [&](int girdle, double levelMm, double volumeM3) {
        levels.push_back({girdle, levelMm, volumeM3});
    });
    return levels;
}

std::vector<std::string> CalibrationTableLines(const TSteelVertCylTank& tank)
{
    const double touchPointMm = tank.TouchPointHeight();
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(
        std::min(CalibrationTableLineCount(tank), CalibrationTableLineLimit(tank.DetailCount()))));
    ForEachTableLevel(tank, [&](int girdle, double levelMm, double volumeM3) {
        std::string line;
        AppendTableLine(line, girdle, levelMm - touchPointMm, volumeM3);
        lines.push_back(std::move(line));
    });
    return lines;
}

std::string CalibrationTableText(const TSteelVertCylTank& tank, std::string_view lineEnd)
{
    const double touchPointMm = tank.TouchPointHeight();
    std::string text;
    text.reserve(static_cast<std::size_t>(
                     std::min(CalibrationTableLineCount(tank), CalibrationTableLineLimit(tank.DetailCount()))) *
                 48);
    ForEachTableLevel(tank, [&](int girdle, double levelMm, double volumeM3) {
        AppendTableLine(text, girdle, levelMm - touchPointMm, volumeM3);
        text += lineEnd;
    });
    return text;
}

} // namespace veloquin
