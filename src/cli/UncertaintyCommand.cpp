#include "UncertaintyCommand.h"

#include "Commands.h"
#include "GFunc.h"
#include "JsonWriter.h"
#include "uncertainty/TableUncertainty.h"
#include "uncertainty/UncertaintyText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace veloquin::cli {
namespace {

// More trials than this would run for hours on any tank.
constexpr long long kMaxTrials = 100000000;
constexpr std::size_t kBudgetLinesShown = 8;
// Seeds stay exact as JSON numbers.
constexpr std::uint64_t kMaxSeed = (std::uint64_t{1} << 53) - 1;

template <class T> bool ParseWhole(const std::string& text, T& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

double ParseNumber(const std::string& text, const std::string& option)
{
    double value = 0;
    if (!TryTypedStrToFloat(text, value))
        throw UsageError(option + " needs a number, not " + QuotedInput(text));
    return value;
}

long long TrialsOf(const Invocation& invocation)
{
    long long trials = 0;
    if (!ParseWhole(*invocation.monteCarloTrials, trials) || trials < 2 || trials > kMaxTrials)
        throw UsageError("--monte-carlo needs a whole number of trials from 2 to " + std::to_string(kMaxTrials) +
                         ", not " + QuotedInput(*invocation.monteCarloTrials));
    return trials;
}

std::uint64_t SeedOf(const Invocation& invocation)
{
    std::uint64_t seed = 0;
    if (!ParseWhole(*invocation.seed, seed) || seed > kMaxSeed)
        throw UsageError("--seed needs a whole number from 0 to " + std::to_string(kMaxSeed) + ", not " +
                         QuotedInput(*invocation.seed));
    return seed;
}

UncertaintySettings SettingsOf(const Invocation& invocation)
{
    UncertaintySettings settings;
    for (const std::string& assignment : invocation.uncertaintySets) {
        const std::size_t equals = assignment.find('=');
        const std::optional<UncertaintyKey> key =
            equals == std::string::npos ? std::nullopt : UncertaintyKeyNamed(assignment.substr(0, equals));
        if (!key) {
            std::string keys;
            for (const UncertaintyKeyDescriptor& d : UncertaintyKeyDescriptors())
                keys += std::string(keys.empty() ? "" : ", ") + d.key;
            throw UsageError("--set needs KEY=VALUE with one of the keys " + keys + ", not " + QuotedInput(assignment));
        }
        try {
            settings[*key] = CheckedUncertaintyValue(*key, ParseNumber(assignment.substr(equals + 1), "--set"));
        } catch (const ConvertError& error) {
            throw UsageError(error.what());
        }
    }
    return settings;
}

UncertaintyRequest RequestOf(const Invocation& invocation)
{
    UncertaintyRequest request;
    request.settings = SettingsOf(invocation);
    for (const auto& [from, to] : invocation.uncertaintyIntervals)
        request.intervals.push_back({ParseNumber(from, "--interval"), ParseNumber(to, "--interval")});
    return request;
}

// --- Text --------------------------------------------------------------------

std::string BudgetText(const std::string& title, const std::vector<BudgetLine>& budget)
{
    std::string text = title + "\n";
    for (std::size_t k = 0; k < budget.size() && k < kBudgetLinesShown; ++k)
        text += "  " + BudgetLineText(budget[k]) + "\n";
    return text;
}

std::string AsText(const std::string& path, const TableUncertainty& result, const TableUncertainty& linear)
{
    std::string text = "Неопределённость градуировочной таблицы " + path + " (k = 2)\n";
    text += UncertaintyMethodText(result) + "\n";
    text +=
        "Высота наполнения " + LevelUncertaintyText(result.designFill) + ", " + DesignFillVerdictText(result) + "\n";
    text += "Уровень " + LevelUncertaintyText(result.at500mm) + "\n";
    if (result.worstTwoMetre)
        text += "Наихудший интервал 2 м: " + IntervalUncertaintyText(*result.worstTwoMetre) + "\n";
    else
        text += "Таблица короче 2 м: интервала 2 м нет\n";
    text += StatedErrorReachText(result) + "\n";
    for (const IntervalUncertainty& interval : result.intervals)
        text += "Интервал " + IntervalUncertaintyText(interval) + "\n";
    text += BudgetText("Бюджет при высоте наполнения (линейная оценка):", Budget(linear.designFillGroups));
    text += BudgetText("Бюджет на уровне 500 мм:", Budget(linear.at500mmGroups));
    if (linear.worstTwoMetre)
        text += BudgetText("Бюджет наихудшего интервала 2 м:", WorstTwoMetreBudget(linear));
    if (result.levelsMovedByClamping > 0)
        text += "Уровней, сдвинутых ограничением: " + std::to_string(result.levelsMovedByClamping) + "\n";
    return text;
}

// --- JSON --------------------------------------------------------------------

void LevelObject(JsonWriter& json, const LevelUncertainty& level)
{
    json.BeginObject();
    json.Key("level_mm");
    json.Number(level.levelMm);
    json.Key("V_m3");
    json.Number(level.volumeM3);
    json.Key("u_m3");
    json.Number(level.uM3);
    json.Key("U_m3");
    json.Number(level.U());
    json.Key("U_rel");
    json.Number(level.Urel());
    json.EndObject();
}

void IntervalObject(JsonWriter& json, const std::optional<IntervalUncertainty>& interval)
{
    if (!interval) {
        json.Null();
        return;
    }
    json.BeginObject();
    json.Key("from_mm");
    json.Number(interval->fromMm);
    json.Key("to_mm");
    json.Number(interval->toMm);
    json.Key("dV_m3");
    json.Number(interval->dVM3);
    json.Key("U_m3");
    json.Number(interval->U());
    json.Key("U_rel");
    json.Number(interval->Urel());
    json.EndObject();
}

template <class Value> void NumberArray(JsonWriter& json, const char* key, const TableUncertainty& result, Value value)
{
    json.Key(key);
    json.BeginArray();
    for (const LevelUncertainty& level : result.levels)
        json.Number(value(level));
    json.EndArray();
}

std::string AsJson(const TableUncertainty& result, const TableUncertainty& linear)
{
    JsonWriter json;
    json.BeginObject();
    NumberArray(json, "levels_mm", result, [](const LevelUncertainty& l) { return l.levelMm; });
    NumberArray(json, "V_m3", result, [](const LevelUncertainty& l) { return l.volumeM3; });
    NumberArray(json, "u_m3", result, [](const LevelUncertainty& l) { return l.uM3; });
    NumberArray(json, "U_m3", result, [](const LevelUncertainty& l) { return l.U(); });
    NumberArray(json, "U_rel", result, [](const LevelUncertainty& l) { return l.Urel(); });
    json.Key("design_fill");
    LevelObject(json, result.designFill);
    json.Key("at_500mm");
    LevelObject(json, result.at500mm);
    json.Key("worst_2m_interval");
    IntervalObject(json, result.worstTwoMetre);
    json.Key("budget_at_design_fill");
    json.BeginArray();
    for (const BudgetLine& line : Budget(linear.designFillGroups)) {
        json.BeginObject();
        json.Key("group");
        json.String(DescriptorOf(line.group).key);
        json.Key("u_m3");
        json.Number(line.uM3);
        json.Key("share");
        json.Number(line.share);
        json.EndObject();
    }
    json.EndArray();
    json.Key("method");
    json.String(result.method == UncertaintyMethod::MonteCarlo ? "monte-carlo" : "linear");
    json.Key("trials");
    json.Integer(result.trials);
    json.Key("seed");
    if (result.method == UncertaintyMethod::MonteCarlo)
        json.Integer(static_cast<long long>(result.seed));
    else
        json.Null();
    json.Key("levels_moved_by_clamping");
    json.Integer(result.levelsMovedByClamping);
    if (!result.intervals.empty()) {
        json.Key("intervals");
        json.BeginArray();
        for (const IntervalUncertainty& interval : result.intervals)
            IntervalObject(json, interval);
        json.EndArray();
    }
    json.EndObject();
    return json.Text() + "\n";
}

} // namespace

void CheckUncertaintyOptions(const Invocation& invocation)
{
    const bool asked = invocation.monteCarloTrials || invocation.seed || !invocation.uncertaintySets.empty() ||
                       !invocation.uncertaintyIntervals.empty();
    if (invocation.workbookUncertainty) {
        if (invocation.monteCarloTrials || invocation.seed || !invocation.uncertaintyIntervals.empty())
            throw UsageError("xlsx --uncertainty takes --set only: the column is the linear estimate");
        SettingsOf(invocation);
        return;
    }
    if (invocation.command != "uncertainty") {
        if (asked)
            throw UsageError("--monte-carlo, --seed, --set and --interval are only for uncertainty");
        return;
    }
    if (invocation.seed && !invocation.monteCarloTrials)
        throw UsageError("--seed is only for --monte-carlo");
    if (invocation.monteCarloTrials)
        TrialsOf(invocation);
    if (invocation.seed)
        SeedOf(invocation);
    RequestOf(invocation);
}

TableUncertainty WorkbookUncertainty(const Invocation& invocation, const TSteelVertCylTank& tank)
{
    UncertaintyRequest request;
    request.settings = SettingsOf(invocation);
    try {
        return *EstimateLinear(tank, request);
    } catch (const UncertaintyError& error) {
        throw CommandError(invocation.files.front(), error.what());
    }
}

std::string RunUncertainty(const Invocation& invocation)
{
    const std::string& path = invocation.files.front();
    const LoadedTank loaded = LoadTank(path);
    RefuseFaultyTable(path, loaded.tank);
    const UncertaintyRequest request = RequestOf(invocation);
    try {
        // The budget is the linear estimate's even beside a Monte Carlo run.
        const TableUncertainty linear = *EstimateLinear(loaded.tank, request);
        TableUncertainty result = linear;
        if (invocation.monteCarloTrials) {
            MonteCarloOptions options;
            options.trials = TrialsOf(invocation);
            if (invocation.seed)
                options.seed = SeedOf(invocation);
            result = *EstimateMonteCarlo(loaded.tank, request, options);
        }
        return invocation.json ? AsJson(result, linear) : AsText(path, result, linear);
    } catch (const UncertaintyError& error) {
        throw CommandError(path, error.what());
    }
}

} // namespace veloquin::cli
