// Comparisons against previous tables that are not the new one's twin: shorter,
// and coarser. Nothing may be read off a table beyond the levels both tables
// share (a table's last volume carried on is no volume at those levels). And
// tables whose numbers are grouped by thousands, with no-break or plain spaces,
// as spreadsheets and the program's own text table write them.

#include "CalibrationText.h"
#include "TankFile.h"
#include "TestSupport.h"
#include "export/TableComparison.h"
#include "export/TableCsv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace veloquin {
namespace {

const std::string kSamples = VELOQUIN_SAMPLES_DIR;

struct ComparedSample
{
    std::vector<TablePoint> table; // the sample's own printed table
    ComparedTable tank;            // the sample as the new side
};

ComparedSample Sample(const std::string& name)
{
    LoadedTank forTable = LoadTankFile(kSamples + "/" + name + ".vlq");
    LoadedTank forTank = LoadTankFile(kSamples + "/" + name + ".vlq");
    return {PrintedTable(forTable.tank), ComparedTableOfTank(forTank.tank, name + ".vlq")};
}

// The levels compared lie within both tables; every other level of the new one is counted as not compared.
void ExpectOnlySharedLevels(const TableComparison& comparison, const std::vector<TablePoint>& previous,
                            const std::vector<TablePoint>& current)
{
    const double low = std::max(previous.front().levelMm, current.front().levelMm);
    const double high = std::min(previous.back().levelMm, current.back().levelMm);
    std::size_t shared = 0;
    for (const TablePoint& point : current)
        shared += point.levelMm >= low && point.levelMm <= high ? 1 : 0;
    EXPECT_EQ(shared, comparison.levels.size());
    EXPECT_EQ(current.size() - shared, static_cast<std::size_t>(comparison.newLevelsNotCompared));
    for (const LevelDifference& level : comparison.levels) {
        EXPECT_GE(level.levelMm, low);
        EXPECT_LE(level.levelMm, high);
    }
}

// The girdles are read off both tables between the levels they share: together
// they hold what each table holds between those levels, and a girdle above them
// holds nothing on either side.
void ExpectGirdlesWithinSharedLevels(const TableComparison& comparison, const std::vector<TablePoint>& previous,
                                     const ComparedTable& tank)
{
    const double low = std::max(previous.front().levelMm, tank.table.front().levelMm);
    const double high = std::min(previous.back().levelMm, tank.table.back().levelMm);
    ASSERT_EQ(tank.girdleTopsMm.size(), comparison.girdles.size());
    EXPECT_FALSE(comparison.girdlesFromCapacities);
    double previousSum = 0, newSum = 0;
    for (std::size_t k = 0; k < comparison.girdles.size(); ++k) {
        const GirdleDifference& girdle = comparison.girdles[k];
        previousSum += girdle.previousM3;
        newSum += girdle.newM3;
        const double bottom = k == 0 ? low : tank.girdleTopsMm[k - 1];
        if (bottom >= high) {
            EXPECT_EQ(0, girdle.previousM3) << "girdle " << girdle.girdle;
            EXPECT_EQ(0, girdle.newM3) << "girdle " << girdle.girdle;
        }
    }
    EXPECT_NEAR(InterpolatedVolume(previous, high) - InterpolatedVolume(previous, low), previousSum, 1e-6);
    EXPECT_NEAR(InterpolatedVolume(tank.table, high) - InterpolatedVolume(tank.table, low), newSum, 1e-6);
}

TEST(ComparisonEdges, APreviousTableThatEndsLowerIsComparedUpToItsEnd)
{
    for (const char* name : {"sample_rvs400", "sample_rvs10000"}) {
        SCOPED_TRACE(name);
        const ComparedSample sample = Sample(name);
        // The previous table of the same tank ends in the middle of the wall.
        std::vector<TablePoint> shorter(sample.table.begin(), sample.table.begin() + sample.table.size() / 2);
        const TableComparison comparison = CompareTables(ComparedTableOfCsv(shorter, "old.csv"), sample.tank);
        ExpectOnlySharedLevels(comparison, shorter, sample.tank.table);
        EXPECT_GT(comparison.newLevelsNotCompared, 0);
        for (const LevelDifference& level : comparison.levels)
            ASSERT_EQ(0, level.differenceM3) << level.levelMm;
        // One tank: no girdle differs, though the upper ones lie beyond the previous table.
        for (const GirdleDifference& girdle : comparison.girdles)
            EXPECT_NEAR(0, girdle.differenceM3, 1e-9) << "girdle " << girdle.girdle;
        ExpectGirdlesWithinSharedLevels(comparison, shorter, sample.tank);
        EXPECT_TRUE(comparison.warnings.empty());
    }
}

TEST(ComparisonEdges, ACoarserPreviousTableIsInterpolatedOnlyBetweenItsLevels)
{
    for (const char* name : {"sample_rvs400", "sample_rvs10000"}) {
        SCOPED_TRACE(name);
        const ComparedSample sample = Sample(name);
        // Every tenth level (100 mm), as an older table or a gauge's may be: it starts above and ends below the new
        // one.
        std::vector<TablePoint> coarse;
        for (std::size_t k = 1; k + 1 < sample.table.size(); k += 10)
            coarse.push_back(sample.table[k]);
        ASSERT_GT(coarse.size(), 10u);
        ASSERT_GT(coarse.front().levelMm, sample.table.front().levelMm);
        ASSERT_LT(coarse.back().levelMm, sample.table.back().levelMm);
        const TableComparison comparison = CompareTables(ComparedTableOfCsv(coarse, "old.csv"), sample.tank);
        ExpectOnlySharedLevels(comparison, coarse, sample.tank.table);
        // Between 100 mm levels a wall is straight: the interpolated volumes are those of the tank but near
        // the bottom and the seams.
        for (const LevelDifference& level : comparison.levels)
            EXPECT_LT(std::fabs(level.differenceM3), 0.05) << level.levelMm;
        ExpectGirdlesWithinSharedLevels(comparison, coarse, sample.tank);
        for (const GirdleDifference& girdle : comparison.girdles)
            EXPECT_LT(std::fabs(girdle.differenceM3), 0.05) << "girdle " << girdle.girdle;
    }
}

// Tank on the previous side, table on the new: the girdles come from the previous tank, read within both.
TEST(ComparisonEdges, ANewTableThatEndsLowerIsReadWithinItsLevels)
{
    const ComparedSample sample = Sample("sample_rvs400");
    std::vector<TablePoint> shorter(sample.table.begin(), sample.table.begin() + sample.table.size() / 3);
    const TableComparison comparison = CompareTables(sample.tank, ComparedTableOfCsv(shorter, "new.csv"));
    EXPECT_EQ(shorter.size(), comparison.levels.size());
    EXPECT_EQ(0, comparison.newLevelsNotCompared);
    ExpectGirdlesWithinSharedLevels(comparison, shorter, sample.tank);
    for (const GirdleDifference& girdle : comparison.girdles)
        EXPECT_NEAR(0, girdle.differenceM3, 1e-9) << "girdle " << girdle.girdle;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The spaces between digits (the thousands' groups) replaced by `group`.
std::string Regrouped(const std::string& text, const std::string& group)
{
    std::string result;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const bool between = text[k] == ' ' && k > 0 && k + 1 < text.size() &&
                             std::isdigit(static_cast<unsigned char>(text[k - 1])) &&
                             std::isdigit(static_cast<unsigned char>(text[k + 1]));
        result += between ? group : std::string(1, text[k]);
    }
    return result;
}

const std::string kNbsp = "\xC2\xA0";

// The rows {level, volume} as a file: numbers grouped by `group`, columns split by `separator`.
std::string GroupedTable(const std::string& group, const std::string& separator, const std::string& head)
{
    const char* const rows[][2] = {{"1 000", "12 345,678"}, {"1 010", "12 456,5"}, {"21 000", "1 234 567,125"}};
    std::string text = head;
    for (const auto& row : rows)
        text += Replaced(row[0], " ", group) + separator + Replaced(row[1], " ", group) + "\n";
    return text;
}

void ExpectGroupedRows(const std::vector<TablePoint>& table)
{
    const std::vector<TablePoint> expected = {{1000, 12345.678}, {1010, 12456.5}, {21000, 1234567.125}};
    ASSERT_EQ(expected.size(), table.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(expected[k].levelMm, table[k].levelMm);
        EXPECT_EQ(expected[k].volumeM3, table[k].volumeM3);
    }
}

TEST(TableCsvGrouping, ThousandsGroupedWithNoBreakSpaces)
{
    // Semicolons, tabs and blanks between the columns: a no-break space splits no column.
    for (const std::string& text : {GroupedTable(kNbsp, ";", "level_mm;volume_m3\n"), GroupedTable(kNbsp, "\t", ""),
                                    GroupedTable(kNbsp, " ", "")}) {
        SCOPED_TRACE(text);
        ExpectGroupedRows(ReadTableCsv(text));
    }
}

TEST(TableCsvGrouping, ThousandsGroupedWithPlainSpaces)
{
    for (const std::string& text : {GroupedTable(" ", ";", "level_mm;volume_m3\n"), GroupedTable(" ", "\t", "")}) {
        SCOPED_TRACE(text);
        ExpectGroupedRows(ReadTableCsv(text));
    }
}

// The program's own text table groups the thousands of a large tank's volumes;
// a spreadsheet that took it in writes no-break spaces instead. Both read back
// as the printed table, level for level.
TEST(TableCsvGrouping, TheTextTableOfALargeTankReadsBackGroupedEitherWay)
{
    const test::ScopedDecimalSeparator separator(',');
    LoadedTank loaded = LoadTankFile(kSamples + "/sample_rvs10000.vlq");
    const std::string text = CalibrationTableText(loaded.tank, "\n");
    const std::vector<TablePoint> printed = PrintedTable(loaded.tank);
    ASSERT_NE(std::string::npos, text.find("V =\t1 ")) << "no grouped volume in the text table";
    for (const std::string& grouped : {text, Regrouped(text, kNbsp)}) {
        const std::vector<TablePoint> table = ReadTableCsv(grouped);
        ASSERT_EQ(printed.size(), table.size());
        for (std::size_t k = 0; k < printed.size(); ++k) {
            ASSERT_NEAR(printed[k].levelMm, table[k].levelMm, 1e-9) << k;
            ASSERT_EQ(printed[k].volumeM3, table[k].volumeM3) << printed[k].levelMm;
        }
    }
}

} // namespace
} // namespace veloquin
