// Tables leaving the program: gauge tables held against an exhaustive search and
// against every sample's full table, tables read back from the files other
// programs write, and comparisons whose differences must land where the tank
// changed.

#include "CalibrationText.h"
#include "GFunc.h"
#include "TankFile.h"
#include "GirdledTable.h"
#include "SweptGaugeTable.h"
#include "TestSupport.h"
#include "export/GaugeTable.h"
#include "export/GirdleFigures.h"
#include "export/TableComparison.h"
#include "export/TableCsv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace veloquin {
namespace {

const std::string kSamples = VELOQUIN_SAMPLES_DIR;
const char* const kSampleNames[] = {"default", "sample_rvs400", "sample_rvs1000", "sample_rvs10000",
                                    "sample_rvs2000_staff", "sample_rvs5000_tall"};

std::vector<TablePoint> SampleTable(const std::string& name)
{
    LoadedTank loaded = LoadTankFile(kSamples + "/" + name + ".vlq");
    return PrintedTable(loaded.tank);
}

// The departure of the polyline through `points` from `full`, computed plainly,
// segment by segment.
double DepartureLitres(const std::vector<TablePoint>& full, const std::vector<TablePoint>& points)
{
    double largest = 0;
    std::size_t segment = 0;
    for (const TablePoint& level : full) {
        while (segment + 2 < points.size() && points[segment + 1].levelMm < level.levelMm)
            ++segment;
        const TablePoint& a = points[segment];
        const TablePoint& b = points[segment + 1];
        const double interpolated = a.volumeM3 + (b.volumeM3 - a.volumeM3) * (level.levelMm - a.levelMm) /
                                                     (b.levelMm - a.levelMm);
        largest = std::max(largest, std::fabs(interpolated - level.volumeM3) * 1000);
    }
    return largest;
}

// A small table that bends both ways, so that no greedy choice is safe.
std::vector<TablePoint> WavyTable()
{
    const double volumes[] = {0, 1, 2.5, 3.2, 3.4, 5.9, 7.0, 7.2, 9.8, 10.1, 13.0, 13.05, 15.5};
    std::vector<TablePoint> table;
    for (std::size_t k = 0; k < std::size(volumes); ++k)
        table.push_back({10.0 * static_cast<double>(k), volumes[k]});
    return table;
}

// Every choice of inner points, by bit mask: the least departure for each count.
std::vector<double> ExhaustiveBest(const std::vector<TablePoint>& full)
{
    const std::size_t inner = full.size() - 2;
    std::vector<double> best(full.size() + 1, 1e300);
    for (unsigned mask = 0; mask < (1u << inner); ++mask) {
        std::vector<TablePoint> points = {full.front()};
        for (std::size_t k = 0; k < inner; ++k)
            if (mask & (1u << k))
                points.push_back(full[k + 1]);
        points.push_back(full.back());
        double& slot = best[points.size()];
        slot = std::min(slot, DepartureLitres(full, points));
    }
    for (std::size_t n = 3; n < best.size(); ++n)
        best[n] = std::min(best[n], best[n - 1]);
    return best;
}

TEST(GaugeTable, MatchesAnExhaustiveSearchForEveryCountAndTolerance)
{
    const std::vector<TablePoint> full = WavyTable();
    const std::vector<double> best = ExhaustiveBest(full);
    for (int n = kMinGaugePoints; n <= static_cast<int>(full.size()); ++n) {
        const GaugeTable table = GaugeTableOfPoints(full, n);
        EXPECT_LE(static_cast<int>(table.points.size()), n);
        EXPECT_NEAR(best[static_cast<std::size_t>(n)], table.largest.litres, 0.002) << n << " points";
        EXPECT_NEAR(DepartureLitres(full, table.points), table.largest.litres, 1e-9);
    }
    // The fewest points within a tolerance: no fewer can meet it.
    for (double litres : {1.0, 150.0, 400.0, 800.0, 1500.0, 5000.0}) {
        const GaugeTable table = GaugeTableWithin(full, litres);
        const std::size_t count = table.points.size();
        EXPECT_LE(table.largest.litres, litres + 1e-6);
        if (count > 2) {
            EXPECT_GT(best[count - 1], litres) << litres << " l";
        }
    }
}

TEST(GaugeTable, AsGoodAsAPlainSweepFromEveryLevel)
{
    for (std::uint32_t seed = 1; seed <= 45; ++seed) {
        test::Lcg random(seed * 7919);
        const std::size_t levels = 20 + static_cast<std::size_t>(random.Next(0, 700));
        const double scatter = seed % 3 == 0 ? 0 : seed % 3 == 1 ? 0.002 : 0.05;
        const std::vector<TablePoint> full = test::MakeGirdledTable(levels, seed, scatter);
        for (int count : {2, 3, 7, 40}) {
            SCOPED_TRACE(std::to_string(seed) + ": " + std::to_string(levels) + " levels, " + std::to_string(count));
            const std::vector<TablePoint> expected = test::SweptGaugeTable(full, static_cast<std::size_t>(count));
            const GaugeTable table = GaugeTableOfPoints(full, count);
            // As many points, departing as far to the millilitre the halving stops at.
            ASSERT_EQ(expected.size(), table.points.size());
            EXPECT_NEAR(InterpolationDeparture(full, expected).litres, table.largest.litres, 1e-3);
        }
        for (double litres : {0.5, 1.0, 3.0, 10.0}) {
            const GaugeTable table = GaugeTableWithin(full, litres);
            EXPECT_EQ(test::SweptFewestPoints(full, litres / 1000, full.size())->size(), table.points.size()) << litres;
        }
    }
}

// Tables long enough that most levels lie on no choice near the least
// tolerance, so the search leaves them out: it must still find what a sweep
// from every level finds, also where scatter leaves levels no chord reaches.
TEST(GaugeTable, TallTablesAsGoodAsAPlainSweep)
{
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        const std::size_t levels = 2500 + 500 * seed;
        const double scatter = seed % 2 == 0 ? 0.05 : 0;
        const std::vector<TablePoint> full = test::MakeGirdledTable(levels, seed * 31, scatter);
        const int count = seed <= 2 ? 40 : 13;
        SCOPED_TRACE(std::to_string(levels) + " levels, " + std::to_string(count) + " points");
        const std::vector<TablePoint> expected = test::SweptGaugeTable(full, static_cast<std::size_t>(count));
        const GaugeTable table = GaugeTableOfPoints(full, count);
        ASSERT_EQ(expected.size(), table.points.size());
        EXPECT_NEAR(InterpolationDeparture(full, expected).litres, table.largest.litres, 1e-3);
    }
}

TEST(GaugeTable, TellsItsProgressAndStopsWhenAsked)
{
    const std::vector<TablePoint> full = test::MakeGirdledTable(3000, 5);
    std::vector<double> told;
    const GaugeTable table = GaugeTableOfPoints(full, 40, [&](double fraction) {
        told.push_back(fraction);
        return true;
    });
    EXPECT_LE(table.points.size(), 40u);
    ASSERT_GT(told.size(), 10u);
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_GE(told.front(), 0);
    EXPECT_LT(told.back(), 1);
    EXPECT_GT(told.back(), 0.5);

    // Stopped at the first word, or halfway through a search.
    for (std::size_t stopAt : {std::size_t{0}, told.size() / 2}) {
        std::size_t calls = 0;
        EXPECT_THROW(GaugeTableOfPoints(full, 40, [&](double) { return calls++ < stopAt; }), GaugeTableCancelled);
        EXPECT_EQ(stopAt + 1, calls);
    }
    EXPECT_THROW(GaugeTableWithin(full, 1, [](double) { return false; }), GaugeTableCancelled);
}

TEST(GaugeTable, StatesTheTrueDepartureOnEverySample)
{
    for (const char* name : kSampleNames) {
        SCOPED_TRACE(name);
        const std::vector<TablePoint> full = SampleTable(name);
        for (int n : {2, 20, 100}) {
            const GaugeTable table = GaugeTableOfPoints(full, n);
            ASSERT_GE(table.points.size(), 2u);
            EXPECT_EQ(full.front().levelMm, table.points.front().levelMm);
            EXPECT_EQ(full.back().levelMm, table.points.back().levelMm);
            EXPECT_NEAR(DepartureLitres(full, table.points), table.largest.litres, 1e-6);
            EXPECT_NEAR(InterpolatedVolume(full, table.largest.levelMm), table.largest.volumeM3, 1e-12);
            ASSERT_TRUE(table.largest.percent);
            EXPECT_NEAR(table.largest.litres / 10 / table.largest.volumeM3, *table.largest.percent, 1e-12);
        }
        const GaugeTable two = GaugeTableOfPoints(full, 2);
        EXPECT_EQ(2u, two.points.size());
        // More points than levels: the full table itself, without departure.
        const GaugeTable all = GaugeTableOfPoints(full, kMaxGaugePoints);
        EXPECT_EQ(full.size(), all.points.size());
        EXPECT_EQ(0, all.largest.litres);

        const GaugeTable within = GaugeTableWithin(full, 10);
        EXPECT_LE(within.largest.litres, 10 + 1e-6);
        if (within.points.size() > 2) {
            const GaugeTable fewer = GaugeTableOfPoints(full, static_cast<int>(within.points.size()) - 1);
            EXPECT_GT(fewer.largest.litres, 10);
        }
    }
}

TEST(GaugeTable, RefusesCountsAndTolerancesOutOfRange)
{
    const std::vector<TablePoint> full = WavyTable();
    EXPECT_THROW(GaugeTableOfPoints(full, 1), GaugeTableError);
    EXPECT_THROW(GaugeTableOfPoints(full, kMaxGaugePoints + 1), GaugeTableError);
    EXPECT_THROW(GaugeTableWithin(full, 0), GaugeTableError);
    EXPECT_THROW(GaugeTableWithin(full, std::nan("")), GaugeTableError);
    EXPECT_THROW(GaugeTableOfPoints({}, 10), GaugeTableError);
    // A value that is no number (a damaged file) is refused, not stated as exact.
    std::vector<TablePoint> damaged = full;
    damaged[5].volumeM3 = std::nan("");
    EXPECT_THROW(GaugeTableOfPoints(damaged, 3), GaugeTableError);
    EXPECT_THROW(GaugeTableWithin(damaged, 1), GaugeTableError);
    std::vector<TablePoint> repeated = full;
    repeated[6].levelMm = repeated[5].levelMm;
    EXPECT_THROW(GaugeTableOfPoints(repeated, 3), GaugeTableError);
    EXPECT_THROW(CompareTables(ComparedTableOfCsv(full, "a"), ComparedTableOfCsv(damaged, "b")), TableComparisonError);
    // A table of one level is its own gauge table.
    EXPECT_EQ(1u, GaugeTableOfPoints({{100, 5}}, 2).points.size());
}

TEST(GaugeTable, HeaderNamesTankReferenceVolumeBelowAndDeparture)
{
    const test::ScopedDecimalSeparator separator('.');
    LoadedTank loaded = LoadTankFile(kSamples + "/sample_rvs400.vlq");
    const GaugeTable table = GaugeTableOfPoints(PrintedTable(loaded.tank), 20);
    const std::string text = GaugeTableText(table, loaded.tank);
    EXPECT_NE(std::string::npos, text.find("# Резервуар: " + loaded.tank.Name() + "\n"));
    EXPECT_NE(std::string::npos, text.find("точки касания рулетки (24.5 мм"));
    EXPECT_NE(std::string::npos, text.find("# Объем ниже первого уровня: 16.021 м3\n"));
    EXPECT_NE(std::string::npos, text.find("# Наибольшее отклонение от полной таблицы: " +
                                           FormatDecimals(1, table.largest.litres) + " л"));
    EXPECT_NE(std::string::npos, text.find("\nlevel_mm;volume_m3\n265.1;16.021\n"));
    // What the program writes, it reads back.
    const std::vector<TablePoint> back = ReadTableCsv(text);
    ASSERT_EQ(table.points.size(), back.size());
    EXPECT_EQ(table.points.back().volumeM3, back.back().volumeM3);
}

// Every layout a gauge can ask for reads back, through the reader compare uses,
// as the same levels and volumes; the touch-point row adds level 0 with the
// volume below the first level. The program's own separator is the other one,
// so that a layout's separator must reach every number.
TEST(GaugeTable, EveryLayoutReadsBackAsTheSameTable)
{
    LoadedTank loaded = LoadTankFile(kSamples + "/sample_rvs1000.vlq");
    const test::ScopedDecimalSeparator programSeparator(','); // after loading, which sets the file's
    const GaugeTable table = GaugeTableOfPoints(PrintedTable(loaded.tank), 30);
    ASSERT_GT(table.points.front().levelMm, 0);
    for (const GaugeLevelUnitInfo& levelUnit : GaugeLevelUnits())
        for (const GaugeVolumeUnitInfo& volumeUnit : GaugeVolumeUnits())
            for (const std::optional<char> separator : {std::optional<char>(), std::optional<char>('.')})
                for (const bool touchPointRow : {false, true}) {
                    const GaugeTableLayout layout{levelUnit.unit, volumeUnit.unit, separator, touchPointRow};
                    const std::string text = GaugeTableText(table, loaded.tank, layout);
                    SCOPED_TRACE(text.substr(0, 600));
                    EXPECT_NE(std::string::npos, text.find(std::string("\nlevel_") + levelUnit.name + ";volume_" +
                                                           volumeUnit.name + "\n"));
                    const char other = separator ? ',' : '.';
                    EXPECT_EQ(std::string::npos, text.find(other, text.find("\nlevel_")));
                    EXPECT_NE(std::string::npos, text.find(std::string("(15") + (separator ? '.' : ',') + "5 мм"));
                    std::vector<TablePoint> expected = table.points;
                    if (touchPointRow)
                        expected.insert(expected.begin(), {0, table.points.front().volumeM3});
                    const std::vector<TablePoint> back = ReadTableCsv(text);
                    ASSERT_EQ(expected.size(), back.size());
                    for (std::size_t k = 0; k < back.size(); ++k) {
                        EXPECT_NEAR(expected[k].levelMm, back[k].levelMm, 1e-9) << k;
                        EXPECT_NEAR(expected[k].volumeM3, back[k].volumeM3, 1e-9) << k;
                    }
                }
    // A table that starts at the touch point gets no second level 0.
    GaugeTable fromTouchPoint = table;
    fromTouchPoint.points.front().levelMm = 0;
    GaugeTableLayout layout;
    layout.touchPointRow = true;
    EXPECT_EQ(fromTouchPoint.points.size(), ReadTableCsv(GaugeTableText(fromTouchPoint, loaded.tank, layout)).size());
}

TEST(TableCsv, ReadsTheProgramsOwnFilesAndPlainColumns)
{
    const auto levels = [](const std::vector<TablePoint>& t) {
        std::vector<double> v;
        for (const TablePoint& p : t)
            v.push_back(p.levelMm);
        return v;
    };
    const std::vector<TablePoint> csv = ReadTableCsv("girdle;level_mm;volume_m3\n1;190;6.337\n1;200;6,671\n2;210.5;1234.5\n");
    EXPECT_EQ((std::vector<double>{190, 200, 210.5}), levels(csv));
    EXPECT_EQ(6.671, csv[1].volumeM3);
    const std::vector<TablePoint> text =
        ReadTableCsv("Пояс №1\t\th =\t190\t\tV =\t6,337\r\nПояс №1\t\th =\t200\t\tV =\t1 234,500\r\n");
    EXPECT_EQ(1234.5, text[1].volumeM3);
    EXPECT_EQ(190, text[0].levelMm);
    const std::vector<TablePoint> plain = ReadTableCsv("\xEF\xBB\xBF" "100 5,5\n110\t6.5\n120,7.5\n\n# end\n");
    EXPECT_EQ((std::vector<double>{100, 110, 120}), levels(plain));
    EXPECT_EQ(7.5, plain[2].volumeM3);
    // Columns named in a header are found by name, in any order.
    const std::vector<TablePoint> named = ReadTableCsv("Объем, м3;Уровень, мм\n5;100\n6;110\n");
    EXPECT_EQ(100, named[0].levelMm);
    EXPECT_EQ(6, named[1].volumeM3);
}

// Why the reader refuses a file ("accepted" when it does not).
std::string CsvMessage(std::string_view bytes)
{
    try {
        ReadTableCsv(bytes);
    } catch (const TableCsvError& error) {
        return std::string(error.what());
    }
    return std::string("accepted");
}

TEST(TableCsv, RefusesBadFilesWithTheLineNamed)
{
    const auto message = CsvMessage;
    EXPECT_EQ("Строка 3: объем «шесть» — не число.", message("level;volume\n1;5\n2;шесть\n"));
    EXPECT_EQ("Строка 2: уровень «nan» — не число.", message("1;5\nnan;6\n"));
    EXPECT_EQ("Строка 3: уровень «10» мм не выше предыдущего; уровни таблицы должны возрастать.",
              message("10;5\n20;6\n10;7\n"));
    EXPECT_NE(std::string::npos, message("10;5\n10;6\n").find("Строка 2"));
    EXPECT_NE(std::string::npos, message("").find("нет ни одной строки"));
    EXPECT_NE(std::string::npos, message("level_mm;volume_m3\n# only a header\n").find("нет ни одной строки"));
    EXPECT_NE(std::string::npos, message("10;5\n20\n").find("Строка 2"));
    // Text of another code page is quoted readably.
    EXPECT_EQ("Строка 2: уровень «аб» — не число.", message("1;1\n\xE0\xE1;2\n"));
}

TEST(TableCsv, ReadsTheUnitsItsHeaderNames)
{
    const std::vector<TablePoint> expected = {{100, 5.25}, {110, 5.5}};
    for (const char* text : {"level_mm;volume_m3\n100;5,25\n110;5,5\n", "Уровень, см;Объем, л\n10;5250\n11;5500\n",
                             "Уровень (м)\tОбъем (м³)\n0,1\t5,25\n0,11\t5,5\n", "level [cm];volume [l]\n10;5250\n11;5500\n",
                             "уровень, мм;объем, м куб.\n100;5,25\n110;5,5\n", "h;V\n100;5,25\n110;5,5\n"}) {
        SCOPED_TRACE(text);
        const std::vector<TablePoint> table = ReadTableCsv(text);
        ASSERT_EQ(expected.size(), table.size());
        for (std::size_t k = 0; k < table.size(); ++k) {
            EXPECT_NEAR(expected[k].levelMm, table[k].levelMm, 1e-9);
            EXPECT_NEAR(expected[k].volumeM3, table[k].volumeM3, 1e-12);
        }
    }
    // A unit it cannot read is refused, not taken for millimetres or cubic metres.
    for (const char* text : {"level_in;volume_m3\n1;2\n", "Уровень, мм;Объем, галлоны\n1;2\n"}) {
        try {
            ReadTableCsv(text);
            ADD_FAILURE() << text;
        } catch (const TableCsvError& error) {
            EXPECT_NE(std::string::npos, std::string(error.what()).find("не распознана")) << error.what();
        }
    }
}

TEST(TableCsv, RefusesWhatIsNoTableSayingWhatItIs)
{
    const auto message = CsvMessage;
    // Thousands grouped with blanks in a blank-separated file split the line:
    // refused, not read as 7 m3.
    EXPECT_EQ("Строка 2: «20 7 891,243» — 3 полей, в первой строке таблицы 2. Числа с пробелами между разрядами "
              "разделяйте «;» или табуляцией.",
              message("10 999,5\n20 7 891,243\n"));
    EXPECT_EQ("Строка 3: объем «5» меньше, чем на уровне ниже; объемы таблицы не убывают.",
              message("10;5\n20;6\n30;5\n"));
    EXPECT_NE(std::string::npos, message("10;5\n20;1,7e308\n").find("Строка 2: объем «1,7e308» — больше"));
    EXPECT_NE(std::string::npos, message("10;5\n1e300;6\n").find("Строка 2: уровень"));
    EXPECT_NE(std::string::npos, message("10;5\n20;1e400\n").find("не число"));

    const std::string binary("\x01\0\0\0\x0a\0\0\0\xd0\xe5\xe7", 11);
    EXPECT_NE(std::string::npos, message(binary).find("Это не текст CSV"));
    EXPECT_NE(std::string::npos, message(std::string("10;5\n20;6\n3\0;7\n", 15)).find("в строке 3"));
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("10;5\r\n20;6\r\n"))
        utf16 += std::string(1, c) + '\0';
    EXPECT_NE(std::string::npos, message(utf16).find("UTF-16"));
    EXPECT_NE(std::string::npos, message(utf16.substr(2)).find("UTF-16"));

    // Old Mac line ends are line ends, and a message never carries a raw control character.
    EXPECT_EQ(2u, ReadTableCsv("10;5\r20;6\r").size());
    const std::string cr = message("10;5\r20;шесть\r");
    EXPECT_EQ("Строка 2: объем «шесть» — не число.", cr);
    const std::string controls = message("10;5\n20;\x0b\x1b[31m\n");
    EXPECT_EQ(std::string::npos, controls.find_first_of("\x0b\x1b\r"));
    EXPECT_NE(std::string::npos, message("10;5\n20;" + std::string(300, 'x') + "\n").find("…"));
}

TEST(TableComparison, GirdleCapacityBeyondTheErrorIsInTheConclusion)
{
    const test::ScopedDecimalSeparator separator(',');
    LoadedTank tank = LoadTankFile(kSamples + "/sample_rvs400.vlq");
    const ComparedTable previous = ComparedTableOfTank(tank.tank, "old.vlq");
    ASSERT_TRUE(previous.statedErrorM3);
    const double error = *previous.statedErrorM3;
    // Every level within the error, girdle 2 holding 1.4 errors more: -0.7 below it, +0.7 above.
    const double bottom = previous.girdleTopsMm[0], top = previous.girdleTopsMm[1];
    std::vector<TablePoint> table = previous.table;
    for (TablePoint& point : table) {
        const double share = std::clamp((point.levelMm - bottom) / (top - bottom), 0.0, 1.0);
        point.volumeM3 = RoundDecimals(3, point.volumeM3 + error * 0.7 * (2 * share - 1));
    }
    const TableComparison comparison = CompareTables(previous, ComparedTableOfCsv(table, "new.csv"));
    EXPECT_EQ(0, comparison.levelsBeyondError);
    EXPECT_EQ(1, comparison.girdlesBeyondError);
    ASSERT_TRUE(comparison.largestGirdle);
    EXPECT_EQ(2, comparison.largestGirdle->girdle);
    EXPECT_TRUE(BeyondError(comparison));
    const std::string text = ComparisonText(comparison);
    EXPECT_NE(std::string::npos, text.find("Разность вместимостей превышает погрешность у 1 пояса.")) << text;
    EXPECT_EQ(std::string::npos, text.find("в пределах погрешности"));
    EXPECT_NE(std::string::npos, text.find("у пояса 2\n"));
}

TEST(TableCsv, EveryKeptFuzzFindingIsReadOrRefusedWithAMessage)
{
    const std::filesystem::path dir = std::filesystem::path(VELOQUIN_TEST_DATA_DIR) / "table-fuzz-regressions";
    ASSERT_TRUE(std::filesystem::is_directory(dir));
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const std::string message = CsvMessage(bytes);
        if (message == "accepted")
            continue;
        EXPECT_EQ(0u, message.rfind("Строка ", 0)) << entry.path() << ": " << message;
    }
}

TEST(TableComparison, SampleAgainstItselfDiffersNowhere)
{
    for (const char* name : kSampleNames) {
        SCOPED_TRACE(name);
        LoadedTank a = LoadTankFile(kSamples + "/" + name + ".vlq");
        LoadedTank b = LoadTankFile(kSamples + "/" + name + ".vlq");
        const TableComparison comparison =
            CompareTables(ComparedTableOfTank(a.tank, "old"), ComparedTableOfTank(b.tank, "new"));
        EXPECT_EQ(CalibrationTableLineCount(b.tank), static_cast<long long>(comparison.levels.size()));
        for (const LevelDifference& level : comparison.levels)
            ASSERT_EQ(0, level.differenceM3) << level.levelMm;
        for (const GirdleDifference& girdle : comparison.girdles)
            EXPECT_EQ(0, girdle.differenceM3);
        EXPECT_TRUE(comparison.girdlesFromCapacities);
        EXPECT_EQ(0, comparison.levelsBeyondError);
        EXPECT_TRUE(comparison.warnings.empty());
        ASSERT_TRUE(comparison.errorM3);
        EXPECT_EQ(StatedCapacityErrorM3(b.tank), *comparison.errorM3);
    }
}

TEST(TableComparison, ChangedGirdleShowsInThatGirdleAndAbove)
{
    const int changed = 3;
    LoadedTank before = LoadTankFile(kSamples + "/sample_rvs1000.vlq");
    LoadedTank after = LoadTankFile(kSamples + "/sample_rvs1000.vlq");
    // The wall of one girdle 60 mm further from the plumb lines all round.
    for (int row = 1; row <= after.tank.PlumbRowCount(); ++row)
        if (after.tank.GirdleOfPlumbRow(row) == changed)
            for (int g = 1; g <= after.tank.GeneratrixCount(); ++g)
                after.tank.SetPlumbDistance(row, g, after.tank.PlumbDistance(row, g) + 60);
    after.tank.UpdateAll();
    const double c0 = before.tank.IntCircumference(changed);
    const double c1 = after.tank.IntCircumference(changed);
    ASSERT_GT(std::fabs(c1 - c0), 300);
    const double lossPerMm = (c0 * c0 - c1 * c1) / (4 * M_PI) / 1e9; // m3 per mm of height

    double bottomMm = -after.tank.TouchPointHeight();
    for (int k = 1; k < changed; ++k)
        bottomMm += after.tank.GirdleHeight(k);
    const double topMm = bottomMm + after.tank.GirdleHeight(changed);

    const TableComparison comparison =
        CompareTables(ComparedTableOfTank(before.tank, "old"), ComparedTableOfTank(after.tank, "new"));
    for (const LevelDifference& level : comparison.levels) {
        SCOPED_TRACE(level.levelMm);
        if (level.levelMm <= bottomMm) {
            EXPECT_EQ(0, level.differenceM3);
        } else {
            const double expected = -lossPerMm * (std::min(level.levelMm, topMm) - bottomMm);
            EXPECT_NEAR(expected, level.differenceM3, 0.002 + std::fabs(expected) * 0.03);
        }
    }
    for (const GirdleDifference& girdle : comparison.girdles) {
        if (girdle.girdle == changed)
            EXPECT_NEAR(-lossPerMm * after.tank.GirdleHeight(changed), girdle.differenceM3,
                        std::fabs(lossPerMm * after.tank.GirdleHeight(changed)) * 0.03);
        else
            EXPECT_EQ(0, girdle.differenceM3) << girdle.girdle;
    }
    // A girdle 60 mm wider or narrower all round holds some 3 m3 more or less,
    // beyond 0.2 % of this tank's capacity.
    EXPECT_GT(comparison.levelsBeyondError, 0);
    ASSERT_TRUE(comparison.largest);
    EXPECT_GT(std::fabs(comparison.largest->differenceM3), *comparison.errorM3);
}

TEST(TableComparison, AgainstACsvAndAgainstAnotherTank)
{
    const test::ScopedDecimalSeparator separator(',');
    LoadedTank tank = LoadTankFile(kSamples + "/sample_rvs400.vlq");
    const std::vector<TablePoint> fromText = ReadTableCsv(CalibrationTableText(tank.tank, "\n"));
    const TableComparison withCsv =
        CompareTables(ComparedTableOfCsv(fromText, "old.csv"), ComparedTableOfTank(tank.tank, "new.vlq"));
    EXPECT_EQ(fromText.size(), withCsv.levels.size());
    EXPECT_EQ(0, withCsv.largest->differenceM3);
    EXPECT_FALSE(withCsv.girdlesFromCapacities);
    ASSERT_EQ(static_cast<std::size_t>(tank.tank.GirdleCount()), withCsv.girdles.size());
    EXPECT_EQ(0, withCsv.girdles[1].differenceM3);
    EXPECT_GT(withCsv.girdles[1].newM3, 0);
    EXPECT_TRUE(withCsv.warnings.empty());

    // A previous table 10 mm coarser is interpolated between its levels.
    std::vector<TablePoint> coarse;
    for (std::size_t k = 0; k < fromText.size(); k += 2)
        coarse.push_back(fromText[k]);
    const TableComparison interpolated =
        CompareTables(ComparedTableOfCsv(coarse, "old.csv"), ComparedTableOfTank(tank.tank, "new.vlq"));
    EXPECT_EQ(fromText.size(), interpolated.levels.size() + interpolated.newLevelsNotCompared);
    EXPECT_GE(interpolated.levels.size(), fromText.size() - 1);
    EXPECT_LT(std::fabs(interpolated.largest->differenceM3), 0.01);

    LoadedTank other = LoadTankFile(kSamples + "/sample_rvs1000.vlq");
    const TableComparison another =
        CompareTables(ComparedTableOfTank(other.tank, "other.vlq"), ComparedTableOfTank(tank.tank, "new.vlq"));
    EXPECT_GE(another.warnings.size(), 2u); // the name, the design capacity, the volumes
    EXPECT_GT(another.levelsBeyondError, 0);

    EXPECT_THROW(CompareTables(ComparedTableOfCsv({{50000, 1}, {50010, 2}}, "far.csv"),
                               ComparedTableOfTank(tank.tank, "new.vlq")),
                 TableComparisonError);
}

TEST(GirdleFigures, FractionalMeansAreThoseOfThePrintedPages)
{
    LoadedTank loaded = LoadTankFile(kSamples + "/sample_rvs10000.vlq");
    const std::optional<double> perMm = MeanCapacityPerMm(loaded.tank, 1);
    ASSERT_TRUE(perMm);
    const test::ScopedDecimalSeparator separator(',');
    // The printed sheet of girdle 1 of this sample shows 0,636 for 1 mm and 5,724 for 9 mm.
    EXPECT_EQ("0,636", FormatDecimals(3, *perMm));
    EXPECT_EQ("5,724", FormatDecimals(3, 9 * *perMm));
    EXPECT_EQ(11.123, StatedCapacityErrorM3(loaded.tank));
}

} // namespace
} // namespace veloquin
