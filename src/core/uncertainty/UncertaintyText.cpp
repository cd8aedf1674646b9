#include "UncertaintyText.h"

#include "GFunc.h"

#include <cmath>

namespace veloquin {

const char* const kUncertaintyExclusionText =
    "Неопределённость измерения уровня при эксплуатации резервуара (уровнемер, рулетка с лотом) не включена.";

namespace {

constexpr std::int8_t kM3Decimals = 4;
constexpr std::int8_t kVolumeDecimals = 3;
constexpr std::int8_t kPercentDecimals = 3;

std::string StatedText(const TableUncertainty& result)
{
    return "погрешности " + UncertaintyPercentText(result.statedFraction) + ", указанной в протоколе";
}

} // namespace

std::string UncertaintyM3Text(double m3)
{
    return FormatDecimals(kM3Decimals, m3) + " м³";
}

std::string UncertaintyPercentText(double rel)
{
    // U of an interval without volume, or of the level at the touch point.
    if (!std::isfinite(rel))
        return "— %";
    return FormatDecimals(kPercentDecimals, rel * 100) + " %";
}

std::string LevelUncertaintyText(const LevelUncertainty& level)
{
    return FloatToStr(level.levelMm) + " мм: V = " + FormatDecimals(kVolumeDecimals, level.volumeM3) +
           " м³, U = " + UncertaintyM3Text(level.U()) + " (" + UncertaintyPercentText(level.Urel()) + ")";
}

std::string IntervalUncertaintyText(const IntervalUncertainty& interval)
{
    return "от " + FloatToStr(interval.fromMm) + " до " + FloatToStr(interval.toMm) +
           " мм: ΔV = " + FormatDecimals(kVolumeDecimals, interval.dVM3) +
           " м³, U = " + UncertaintyM3Text(interval.U()) + " (" + UncertaintyPercentText(interval.Urel()) + ")";
}

std::string DesignFillVerdictText(const TableUncertainty& result)
{
    const bool within = result.designFill.Urel() <= result.statedFraction;
    return std::string(within ? "в пределах " : "превышает значение ") + StatedText(result);
}

std::string StatedErrorReachText(const TableUncertainty& result)
{
    if (const std::optional<double> highest = HighestLevelBeyondStatedError(result))
        return "U/V выше " + StatedText(result) + ", до уровня " + FloatToStr(*highest) + " мм";
    return "U/V не выше " + StatedText(result) + ", ни на одном уровне";
}

std::string BudgetLineText(const BudgetLine& line)
{
    return std::string(DescriptorOf(line.group).name) + ": u = " + UncertaintyM3Text(line.uM3) + ", " +
           UncertaintyPercentText(line.share) + " от u²";
}

std::string UncertaintySettingText(const UncertaintySettings& settings, UncertaintyKey key)
{
    const UncertaintyKeyDescriptor& d = DescriptorOf(key);
    std::string text = std::string(d.key) + " = " + FloatToStr(settings[key]);
    if (*d.unit)
        text += std::string(" ") + d.unit;
    return text + " — " + d.meaning;
}

std::string UncertaintyMethodText(const TableUncertainty& result)
{
    if (result.method == UncertaintyMethod::MonteCarlo)
        return "Метод Монте-Карло: " + std::to_string(result.trials) + " испытаний, начальное число " +
               std::to_string(result.seed);
    return "Линейная оценка";
}

} // namespace veloquin
