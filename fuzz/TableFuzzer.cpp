// libFuzzer target of the tables that come from elsewhere and of what is made
// of them: the CSV reader of compare, the comparison of two tables (both ways
// round) and the choice of a gauge table's points. Whatever the input, nothing
// crashes, no number the outputs state is infinite or no number, a table the
// reader accepts compares with itself as equal, and on small tables the gauge
// choice is as good as the one a plain sweep from every level makes.

#include "GFunc.h"
#include "SweptGaugeTable.h"
#include "export/GaugeTable.h"
#include "export/TableComparison.h"
#include "export/TableCsv.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace veloquin;

// Small enough that the plain sweep checks the choice in a moment.
constexpr std::size_t kSweptLevels = 60;
constexpr std::size_t kMaxBuiltLevels = 600;

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// A table built from bytes, three a level: rising levels and volumes that never
// fall, with steps from tiny to large, so that every shape of table is met
// without the reader's refusals in the way.
std::vector<TablePoint> BuiltTable(std::string_view bytes)
{
    std::vector<TablePoint> table;
    double level = static_cast<unsigned char>(bytes.empty() ? 0 : bytes[0]) - 128.0;
    double volume = 0;
    for (std::size_t i = 0; i + 3 <= bytes.size() && table.size() < kMaxBuiltLevels; i += 3) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        const auto c = static_cast<unsigned char>(bytes[i + 2]);
        level += 1 + a % 32;
        volume += std::ldexp(b, static_cast<int>(c % 24) - 20);
        table.push_back({level, RoundDecimals(3, volume)});
    }
    return table;
}

bool Finite(const GaugeDeparture& departure)
{
    return std::isfinite(departure.litres) && std::isfinite(departure.levelMm) && std::isfinite(departure.volumeM3);
}

void CheckGauge(const std::vector<TablePoint>& full, std::uint8_t choice)
{
    const int maxPoints = kMinGaugePoints + choice % 40;
    GaugeTable table;
    try {
        table = GaugeTableOfPoints(full, maxPoints);
    } catch (const GaugeTableError&) {
        return; // a table the choice refuses (levels out of order, values no numbers)
    }
    Require(!table.points.empty() && table.points.size() <= static_cast<std::size_t>(maxPoints));
    Require(table.points.front().levelMm == full.front().levelMm && table.points.back().levelMm == full.back().levelMm);
    Require(Finite(table.largest));
    if (full.size() <= kSweptLevels && full.size() > static_cast<std::size_t>(maxPoints)) {
        const std::vector<TablePoint> swept = test::SweptGaugeTable(full, static_cast<std::size_t>(maxPoints));
        // The halving stops a millilitre from the least departure: a choice that
        // meets it with a point fewer than the sweep's is as good to that millilitre.
        Require(table.points.size() <= swept.size());
        Require(std::fabs(InterpolationDeparture(full, swept).litres - table.largest.litres) <= 1e-3 + 1e-9);
    }
    const double litres = 0.001 * (1 + choice) * (1 + choice);
    const GaugeTable within = GaugeTableWithin(full, litres);
    Require(Finite(within.largest) && within.largest.litres <= litres * (1 + 1e-9) + 1e-9);
    if (full.size() <= kSweptLevels)
        Require(test::SweptFewestPoints(full, litres / 1000, full.size())->size() == within.points.size());
}

bool NoNonNumberIn(const std::string& text)
{
    for (const char* word : {"inf", "INF", "nan", "NAN"})
        if (text.find(word) != std::string::npos)
            return false;
    return true;
}

void CheckComparison(const std::vector<TablePoint>& previous, const std::vector<TablePoint>& current)
{
    TableComparison comparison;
    try {
        comparison = CompareTables(ComparedTableOfCsv(previous, "a.csv"), ComparedTableOfCsv(current, "b.csv"));
    } catch (const TableComparisonError&) {
        return; // no common level
    }
    Require(!comparison.levels.empty());
    Require(comparison.levels.size() + static_cast<std::size_t>(comparison.newLevelsNotCompared) == current.size());
    Require(NoNonNumberIn(ComparisonText(comparison)) && NoNonNumberIn(ComparisonCsv(comparison)));
}

// The reader's table written back as the gauge files write it reads back the same.
void CheckReadBack(const std::vector<TablePoint>& table)
{
    std::string text = "level_mm;volume_m3\n";
    for (const TablePoint& point : table)
        text += FloatToStr(point.levelMm) + ";" + UngroupedDecimals(3, point.volumeM3) + "\n";
    const std::vector<TablePoint> again = ReadTableCsv(text);
    Require(again.size() == table.size());
    for (std::size_t k = 0; k < table.size(); ++k)
        Require(std::fabs(again[k].volumeM3 - RoundDecimals(3, table[k].volumeM3)) <=
                1e-9 * (1 + std::fabs(again[k].volumeM3)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SetDecimalSeparator(size % 2 ? ',' : '.');
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The input as a file compare reads, as two halves, and as tables built from its bytes.
    std::vector<std::vector<TablePoint>> tables;
    for (std::string_view text : {input, input.substr(0, size / 2), input.substr(size / 2)}) {
        try {
            tables.push_back(ReadTableCsv(text));
        } catch (const TableCsvError&) {
        }
    }
    for (const std::vector<TablePoint>& table : tables)
        CheckReadBack(table);
    for (std::string_view bytes : {input.substr(0, size / 2), input.substr(size / 2)})
        if (std::vector<TablePoint> built = BuiltTable(bytes); !built.empty())
            tables.push_back(std::move(built));

    const std::uint8_t choice = size > 0 ? data[size - 1] : 0;
    for (const std::vector<TablePoint>& table : tables) {
        CheckGauge(table, choice);
        CheckComparison(table, table);
    }
    for (std::size_t a = 0; a < tables.size(); ++a)
        for (std::size_t b = a + 1; b < tables.size(); ++b) {
            CheckComparison(tables[a], tables[b]);
            CheckComparison(tables[b], tables[a]);
        }
    return 0;
}
