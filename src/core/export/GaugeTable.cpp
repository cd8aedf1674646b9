#include "export/GaugeTable.h"

#include "GFunc.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace veloquin {
namespace {

constexpr double kLitresPerM3 = 1000;
// The halving stops when the tolerance is known to a millilitre.
constexpr double kBisectionStepM3 = 1e-6;
// Slopes are compared with this much slack, so that rounding never turns away
// a segment whose departure computed directly is within the tolerance.
constexpr double kSlopeSlack = 1e-12;

// The fewest points of `full` within toleranceM3, or none when more than
// pointLimit would be needed.
std::optional<std::vector<std::size_t>> FewestPoints(const std::vector<TablePoint>& full, double toleranceM3,
                                                     std::size_t pointLimit)
{
    const std::size_t n = full.size();
    constexpr std::size_t kUnreached = std::numeric_limits<std::size_t>::max();
    std::vector<std::size_t> count(n, kUnreached);
    std::vector<std::size_t> previous(n, 0);
    count[0] = 1;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (count[i] == kUnreached || count[i] >= pointLimit)
            continue;
        const double h0 = full[i].levelMm;
        const double v0 = full[i].volumeM3;
        double low = -std::numeric_limits<double>::infinity();
        double high = std::numeric_limits<double>::infinity();
        for (std::size_t j = i + 1; j < n; ++j) {
            const double run = full[j].levelMm - h0;
            const double slope = (full[j].volumeM3 - v0) / run;
            const double slack = kSlopeSlack * (std::fabs(slope) + 1);
            if (slope >= low - slack && slope <= high + slack && count[i] + 1 < count[j]) {
                count[j] = count[i] + 1;
                previous[j] = i;
            }
            low = std::max(low, (full[j].volumeM3 - toleranceM3 - v0) / run);
            high = std::min(high, (full[j].volumeM3 + toleranceM3 - v0) / run);
            if (low > high + slack)
                break;
        }
    }
    if (count[n - 1] > pointLimit)
        return std::nullopt;
    std::vector<std::size_t> chosen;
    for (std::size_t k = n - 1; k != 0; k = previous[k])
        chosen.push_back(k);
    chosen.push_back(0);
    std::reverse(chosen.begin(), chosen.end());
    return chosen;
}

GaugeTable TableOf(const std::vector<TablePoint>& full, const std::vector<std::size_t>& chosen)
{
    GaugeTable table;
    table.fullLevels = static_cast<int>(full.size());
    for (std::size_t k : chosen)
        table.points.push_back(full[k]);
    table.largest = InterpolationDeparture(full, table.points);
    return table;
}

// An empty table, or one with a value that is no number (a damaged file), has
// no departure worth stating: refused rather than reported as exact.
void CheckTable(const std::vector<TablePoint>& full)
{
    if (full.empty())
        throw GaugeTableError("Градуировочная таблица пуста: в ней нет ни одного уровня.");
    for (const TablePoint& point : full)
        if (!std::isfinite(point.levelMm) || !std::isfinite(point.volumeM3))
            throw GaugeTableError("В градуировочной таблице есть уровень или объем, который не является числом.");
}

std::vector<std::size_t> AllLevels(std::size_t n)
{
    std::vector<std::size_t> all(n);
    for (std::size_t k = 0; k < n; ++k)
        all[k] = k;
    return all;
}

} // namespace

GaugeDeparture InterpolationDeparture(const std::vector<TablePoint>& full, const std::vector<TablePoint>& points)
{
    GaugeDeparture largest;
    for (const TablePoint& level : full) {
        const double litres = std::fabs(InterpolatedVolume(points, level.levelMm) - level.volumeM3) * kLitresPerM3;
        if (litres > largest.litres) {
            largest.litres = litres;
            largest.levelMm = level.levelMm;
            largest.volumeM3 = level.volumeM3;
        }
    }
    if (largest.volumeM3 != 0)
        largest.percent = largest.litres / kLitresPerM3 / largest.volumeM3 * 100;
    return largest;
}

GaugeTable GaugeTableOfPoints(const std::vector<TablePoint>& full, int maxPoints)
{
    if (maxPoints < kMinGaugePoints || maxPoints > kMaxGaugePoints)
        throw GaugeTableError("Число точек должно быть от " + std::to_string(kMinGaugePoints) + " до " +
                              std::to_string(kMaxGaugePoints) + ".");
    CheckTable(full);
    const std::size_t limit = static_cast<std::size_t>(maxPoints);
    if (full.size() <= limit)
        return TableOf(full, AllLevels(full.size()));

    // Two points (the ends) are always possible: their departure bounds the search.
    double met = InterpolationDeparture(full, {full.front(), full.back()}).litres / kLitresPerM3;
    double unmet = 0;
    std::vector<std::size_t> best = {0, full.size() - 1};
    while (met - unmet > kBisectionStepM3) {
        const double middle = (met + unmet) / 2;
        if (auto chosen = FewestPoints(full, middle, limit)) {
            met = middle;
            best = std::move(*chosen);
        } else {
            unmet = middle;
        }
    }
    return TableOf(full, best);
}

GaugeTable GaugeTableWithin(const std::vector<TablePoint>& full, double maxErrorLitres)
{
    if (!(maxErrorLitres >= kMinGaugeErrorLitres) || !std::isfinite(maxErrorLitres))
        throw GaugeTableError("Допустимое отклонение должно быть не меньше " + FloatToStr(kMinGaugeErrorLitres) +
                              " л.");
    CheckTable(full);
    const auto chosen = FewestPoints(full, maxErrorLitres / kLitresPerM3, full.size());
    // Every level of the full table always meets any tolerance.
    return TableOf(full, chosen ? *chosen : AllLevels(full.size()));
}

std::string GaugeTableText(const GaugeTable& table, const TSteelVertCylTank& tank)
{
    const GaugeDeparture& largest = table.largest;
    std::string text = "# Резервуар: " + tank.Name() + "\n";
    text += "# Уровни, мм: от точки касания рулетки (" + FloatToStr(tank.TouchPointHeight()) +
            " мм над днищем у стенки)\n";
    if (!table.points.empty())
        text += "# Объем ниже первого уровня: " + FormatDecimals(3, table.points.front().volumeM3) + " м3\n";
    text += "# Точек: " + std::to_string(table.points.size()) + " из " + std::to_string(table.fullLevels) + "\n";
    text += "# Наибольшее отклонение от полной таблицы: " + FormatDecimals(1, largest.litres) + " л";
    if (largest.litres > 0) {
        text += " на уровне " + FloatToStr(largest.levelMm) + " мм";
        if (largest.percent)
            text += " (" + FormatDecimals(4, *largest.percent) + " % объема " + FormatDecimals(3, largest.volumeM3) +
                    " м3)";
    }
    text += "\nlevel_mm;volume_m3\n";
    for (const TablePoint& point : table.points) {
        text += FloatToStr(point.levelMm);
        text += ';';
        text += UngroupedDecimals(3, point.volumeM3);
        text += '\n';
    }
    return text;
}

} // namespace veloquin
