#include "export/TableComparison.h"

#include "GFunc.h"
#include "export/GirdleFigures.h"

#include <algorithm>
#include <cmath>

namespace veloquin {
namespace {

// Volumes this far apart at the same level belong, most likely, to another tank.
constexpr double kAnotherTankPercent = 5;
// Differences are of three-decimal volumes; this much rounding noise is no difference.
constexpr double kVolumeNoiseM3 = 1e-9;

double VolumeWithin(const std::vector<TablePoint>& table, double levelMm, double lowMm, double highMm)
{
    return InterpolatedVolume(table, std::clamp(levelMm, lowMm, highMm));
}

void CompareGirdles(const ComparedTable& previous, const ComparedTable& current, TableComparison& result)
{
    if (previous.isTank && current.isTank &&
        previous.girdleCapacitiesM3.size() == current.girdleCapacitiesM3.size()) {
        result.girdlesFromCapacities = true;
        for (std::size_t k = 0; k < current.girdleCapacitiesM3.size(); ++k) {
            const double was = previous.girdleCapacitiesM3[k];
            const double now = current.girdleCapacitiesM3[k];
            result.girdles.push_back({static_cast<int>(k + 1), was, now, now - was});
        }
        return;
    }
    // The girdles of whichever side is a tank, read off both tables over their common levels.
    const std::vector<double>& tops = current.isTank ? current.girdleTopsMm : previous.girdleTopsMm;
    const double low = std::max(previous.table.front().levelMm, current.table.front().levelMm);
    const double high = std::min(previous.table.back().levelMm, current.table.back().levelMm);
    double bottom = low;
    for (std::size_t k = 0; k < tops.size(); ++k) {
        const double top = tops[k];
        const double was =
            VolumeWithin(previous.table, top, low, high) - VolumeWithin(previous.table, bottom, low, high);
        const double now = VolumeWithin(current.table, top, low, high) - VolumeWithin(current.table, bottom, low, high);
        result.girdles.push_back({static_cast<int>(k + 1), was, now, now - was});
        bottom = top;
    }
}

void WarnOfAnotherTank(const ComparedTable& previous, const ComparedTable& current, TableComparison& result)
{
    if (previous.isTank && current.isTank) {
        if (previous.tankName != current.tankName)
            result.warnings.push_back("Резервуары названы по-разному: «" + previous.tankName + "» и «" +
                                      current.tankName + "».");
        if (!previous.tankNumber.empty() && !current.tankNumber.empty() && previous.tankNumber != current.tankNumber)
            result.warnings.push_back("Номера резервуаров различаются: «" + previous.tankNumber + "» и «" +
                                      current.tankNumber + "».");
        if (previous.designCapacity != current.designCapacity)
            result.warnings.push_back("Вместимость по проекту различается: " + std::to_string(previous.designCapacity) +
                                      " и " + std::to_string(current.designCapacity) + " м куб.");
    }
    const double topVolume = std::max(previous.table.back().volumeM3, current.table.back().volumeM3);
    for (const LevelDifference& level : result.levels) {
        // Near the bottom a few litres are many per cent: only a tenth of the tank up counts.
        if (level.previousM3 > topVolume / 10 && level.percent && std::fabs(*level.percent) > kAnotherTankPercent) {
            result.warnings.push_back("На уровне " + FloatToStr(level.levelMm) + " мм объемы различаются на " +
                                      FormatDecimals(1, *level.percent) +
                                      " %: возможно, это таблица другого резервуара.");
            break;
        }
    }
}

std::string Percent(const std::optional<double>& percent)
{
    return percent ? FormatDecimals(3, *percent) : std::string("—");
}

} // namespace

ComparedTable ComparedTableOfTank(TSteelVertCylTank& tank, const std::string& source)
{
    ComparedTable side;
    side.source = source;
    side.isTank = true;
    side.tankName = tank.Name();
    side.tankNumber = tank.ProtocolText(ProtocolTextId::NumberRez);
    side.designCapacity = tank.DesignCapacity();
    side.statedErrorM3 = StatedCapacityErrorM3(tank);
    double top = -tank.TouchPointHeight();
    for (int k = 1; k <= tank.GirdleCount(); ++k) {
        side.girdleCapacitiesM3.push_back(tank.GirdleCapacity(k));
        top += tank.GirdleHeight(k);
        side.girdleTopsMm.push_back(top);
    }
    side.table = PrintedTable(tank);
    return side;
}

ComparedTable ComparedTableOfCsv(std::vector<TablePoint> table, const std::string& source)
{
    ComparedTable side;
    side.source = source;
    side.table = std::move(table);
    return side;
}

TableComparison CompareTables(const ComparedTable& previous, const ComparedTable& current)
{
    if (previous.table.empty() || current.table.empty())
        throw TableComparisonError("Одна из таблиц пуста: сравнивать нечего.");
    for (const ComparedTable* side : {&previous, &current})
        for (const TablePoint& point : side->table)
            if (!std::isfinite(point.levelMm) || !std::isfinite(point.volumeM3))
                throw TableComparisonError("В таблице " + QuotedPath(side->source) +
                                           " есть уровень или объем, который не является числом.");
    TableComparison result;
    result.previousSource = previous.source;
    result.newSource = current.source;
    if (current.statedErrorM3) {
        result.errorM3 = current.statedErrorM3;
        result.errorSource = current.source;
    } else if (previous.statedErrorM3) {
        result.errorM3 = previous.statedErrorM3;
        result.errorSource = previous.source;
    }

    const double low = previous.table.front().levelMm;
    const double high = previous.table.back().levelMm;
    for (const TablePoint& point : current.table) {
        if (point.levelMm < low || point.levelMm > high) {
            ++result.newLevelsNotCompared;
            continue;
        }
        LevelDifference level;
        level.levelMm = point.levelMm;
        level.previousM3 = RoundDecimals(3, InterpolatedVolume(previous.table, point.levelMm));
        level.newM3 = point.volumeM3;
        level.differenceM3 = RoundDecimals(3, level.newM3 - level.previousM3);
        if (level.previousM3 != 0)
            level.percent = level.differenceM3 / level.previousM3 * 100;
        level.beyondError = result.errorM3 && std::fabs(level.differenceM3) > *result.errorM3 + kVolumeNoiseM3;
        if (level.beyondError)
            ++result.levelsBeyondError;
        if (!result.largest || std::fabs(level.differenceM3) > std::fabs(result.largest->differenceM3))
            result.largest = level;
        result.levels.push_back(level);
    }
    if (result.levels.empty())
        throw TableComparisonError("Уровни таблиц не пересекаются: прежняя таблица от " + FloatToStr(low) + " до " +
                                   FloatToStr(high) + " мм, новая от " + FloatToStr(current.table.front().levelMm) +
                                   " до " + FloatToStr(current.table.back().levelMm) + " мм.");
    CompareGirdles(previous, current, result);
    for (GirdleDifference& girdle : result.girdles) {
        girdle.differenceM3 = RoundDecimals(3, girdle.differenceM3);
        // The error stated for the whole capacity bounds any girdle's share of it.
        girdle.beyondError = result.errorM3 && std::fabs(girdle.differenceM3) > *result.errorM3 + kVolumeNoiseM3;
        result.girdlesBeyondError += girdle.beyondError ? 1 : 0;
        if (!result.largestGirdle || std::fabs(girdle.differenceM3) > std::fabs(result.largestGirdle->differenceM3))
            result.largestGirdle = girdle;
    }
    WarnOfAnotherTank(previous, current, result);
    return result;
}

bool BeyondError(const TableComparison& comparison)
{
    return comparison.levelsBeyondError > 0 || comparison.girdlesBeyondError > 0;
}

std::string ComparisonText(const TableComparison& comparison)
{
    std::string text = "Прежняя таблица: " + OneLineText(comparison.previousSource) + "\n";
    text += "Новая таблица: " + OneLineText(comparison.newSource) + "\n";
    for (const std::string& warning : comparison.warnings)
        text += "Внимание: " + OneLineText(warning) + "\n";
    if (comparison.errorM3)
        text += "Погрешность определения вместимости: ±" + FormatDecimals(3, *comparison.errorM3) + " м куб. (" +
                OneLineText(comparison.errorSource) + ")\n";
    else
        text += "Погрешность определения вместимости не известна: ни одна из таблиц не из файла резервуара.\n";
    text += "\nУровень, мм\tПрежний объем, м3\tНовый объем, м3\tРазность, м3\tРазность, %\n";
    for (const LevelDifference& level : comparison.levels) {
        text += FloatToStr(level.levelMm) + "\t" + FormatDecimals(3, level.previousM3) + "\t" +
                FormatDecimals(3, level.newM3) + "\t" + FormatDecimals(3, level.differenceM3) + "\t" +
                Percent(level.percent) + (level.beyondError ? "\tсверх погрешности" : "") + "\n";
    }
    if (!comparison.girdles.empty()) {
        text += comparison.girdlesFromCapacities ? "\nПояс\tПрежняя вместимость, м3\tНовая вместимость, м3\tРазность, м3\n"
                                                 : "\nПояс\tПрежняя вместимость по таблице, м3\tНовая вместимость по "
                                                   "таблице, м3\tРазность, м3\n";
        for (const GirdleDifference& girdle : comparison.girdles)
            text += std::to_string(girdle.girdle) + "\t" + FormatDecimals(3, girdle.previousM3) + "\t" +
                    FormatDecimals(3, girdle.newM3) + "\t" + FormatDecimals(3, girdle.differenceM3) +
                    (girdle.beyondError ? "\tсверх погрешности" : "") + "\n";
    }
    text += "\n";
    if (comparison.newLevelsNotCompared > 0)
        text += "Уровней новой таблицы вне прежней: " + std::to_string(comparison.newLevelsNotCompared) + "\n";
    if (comparison.largest)
        text += "Наибольшая разность: " + FormatDecimals(3, comparison.largest->differenceM3) + " м3 на уровне " +
                FloatToStr(comparison.largest->levelMm) + " мм\n";
    if (comparison.largestGirdle && comparison.largestGirdle->differenceM3 != 0)
        text += "Наибольшая разность вместимостей поясов: " + FormatDecimals(3, comparison.largestGirdle->differenceM3) +
                " м3 у пояса " + std::to_string(comparison.largestGirdle->girdle) + "\n";
    if (comparison.errorM3) {
        if (comparison.levelsBeyondError > 0)
            text += "Разность превышает погрешность на " + std::to_string(comparison.levelsBeyondError) + " уровнях.\n";
        if (comparison.girdlesBeyondError > 0)
            text += "Разность вместимостей превышает погрешность у " + std::to_string(comparison.girdlesBeyondError) +
                    (comparison.girdlesBeyondError == 1 ? " пояса.\n" : " поясов.\n");
        if (!BeyondError(comparison))
            text += "Разность в пределах погрешности.\n";
    }
    return text;
}

std::string ComparisonCsv(const TableComparison& comparison)
{
    std::string text = "level_mm;previous_m3;new_m3;difference_m3;difference_percent;beyond_error\n";
    for (const LevelDifference& level : comparison.levels) {
        text += FloatToStr(level.levelMm) + ";" + UngroupedDecimals(3, level.previousM3) + ";" +
                UngroupedDecimals(3, level.newM3) + ";" + UngroupedDecimals(3, level.differenceM3) + ";" +
                (level.percent ? UngroupedDecimals(3, *level.percent) : std::string()) + ";" +
                (level.beyondError ? "1" : "0") + "\n";
    }
    return text;
}

} // namespace veloquin
