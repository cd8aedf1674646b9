// The calibration table on paper, read back from the recorded drawing calls:
// where each girdle starts, the level texts, banding, the fractional table,
// the signature, continuation sheets, and what drawing leaves in the tank.

#include "CalibrationSheets.h"
#include "CalibrationText.h"
#include "DocumentsTestSupport.h"
#include "GFunc.h"
#include "TankFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace veloquin {
namespace {

using test::DrawnPage;
using test::DrawPage;
using test::TankWithGirdles;

// The level texts of a sheet (right-aligned in a level column), in drawing order.
std::vector<RecordedText> LevelTexts(const DrawnPage& page)
{
    std::vector<RecordedText> levels;
    for (const RecordedText& t : page.canvas.Texts()) {
        const double right = page.RightMm(t);
        for (double column : {41.5, 84.5, 127.5, 170.5})
            if (std::abs(right - column) < 0.05 && page.TopMm(t) >= 69.9 && t.text.size() > 0)
                levels.push_back(t);
    }
    return levels;
}

// Rows of the blocks only: the fractional table's levels stand at 170.5 too.
std::vector<QString> BlockLevels(const DrawnPage& page, int fractionalRows = 9)
{
    std::vector<QString> texts;
    for (const RecordedText& t : LevelTexts(page))
        texts.push_back(t.text);
    if (page.HasText(QStringLiteral("Среднее значение")))
        texts.resize(texts.size() - static_cast<std::size_t>(fractionalRows));
    return texts;
}

class CalibrationPage : public testing::Test
{
protected:
    test::ScopedDecimalSeparator comma{','};
};

TEST_F(CalibrationPage, NewTankStartsAtTheDeadCavityAndEachGirdleAboveItsBottom)
{
    TSteelVertCylTank tank; // 8 girdles of 800 mm, dead cavity 200, fill 6000
    DrawnPage first = DrawPage(tank, DocKind::Calibration, 1);
    const std::vector<QString> levels = BlockLevels(first);
    ASSERT_EQ(61u, levels.size()); // 200 .. 800 mm
    EXPECT_EQ(QStringLiteral("20"), levels.front());
    EXPECT_EQ(QStringLiteral("80"), levels.back());
    const RecordedText capacity = first.TextsOf(QStringLiteral("6,337")).at(0);
    EXPECT_NEAR(64.5, first.RightMm(capacity), 0.05);
    EXPECT_NEAR(70, first.TopMm(capacity), 0.05);
    // Row 52 wraps to the top of block 2.
    const RecordedText wrapped = first.TextsOf(QStringLiteral("71")).at(0);
    EXPECT_NEAR(84.5, first.RightMm(wrapped), 0.05);
    EXPECT_NEAR(70, first.TopMm(wrapped), 0.05);
    // Drawing leaves the level the user asked the volume at where it was.
    EXPECT_EQ(500, tank.GivenLevel());

    DrawnPage second = DrawPage(tank, DocKind::Calibration, 2);
    EXPECT_EQ(QStringLiteral("81"), BlockLevels(second).front()); // a bottom of 800 starts at 810
    EXPECT_EQ(QStringLiteral("160"), BlockLevels(second).back());
    EXPECT_TRUE(second.HasText(QStringLiteral("2-го пояса")));
}

TEST_F(CalibrationPage, LevelsKeepTheDeadCavitysOffsetAndBottomsOffTheGridStartOnIt)
{
    TSteelVertCylTank tank = TankWithGirdles({1495, 1500, 1500}, 203.5, 4400);
    const std::vector<QString> first = BlockLevels(DrawPage(tank, DocKind::Calibration, 1));
    EXPECT_EQ(QStringLiteral("20,35"), first.front());
    EXPECT_EQ(QStringLiteral("21,35"), first[1]);
    EXPECT_EQ(QStringLiteral("149,35"), first.back()); // 1493.5, the last below 1495
    EXPECT_EQ(QStringLiteral("150"), BlockLevels(DrawPage(tank, DocKind::Calibration, 2)).front());
    // The top girdle ends on the last 10 mm step at or below the fill height.
    const std::vector<QString> last = BlockLevels(DrawPage(tank, DocKind::Calibration, 3));
    EXPECT_EQ(QStringLiteral("300"), last.front()); // 2995 is on the grid: 3000 follows
    EXPECT_EQ(QStringLiteral("440"), last.back());
    tank.SetDesignFillHeight(4395);
    EXPECT_EQ(QStringLiteral("439"), BlockLevels(DrawPage(tank, DocKind::Calibration, 3)).back());
}

TEST_F(CalibrationPage, LevelsAreCentimetresAboveTheTouchPoint)
{
    const LoadedTank tall = LoadTankFile(VELOQUIN_SAMPLES_DIR "/sample_rvs5000_tall.vlq");
    TSteelVertCylTank tank = tall.tank;
    ASSERT_EQ(9, tank.TouchPointHeight());
    // Girdle 2 starts at 1990 mm: 198.1 cm above the touch point.
    EXPECT_EQ(QStringLiteral("198,1"), BlockLevels(DrawPage(tank, DocKind::Calibration, 2)).front());
}

TEST_F(CalibrationPage, RowsAreBandedWhiteFirstAndCapacitiesMatchTheTextTable)
{
    TSteelVertCylTank tank;
    DrawnPage page = DrawPage(tank, DocKind::Calibration, 1);
    std::vector<RecordedFill> rows;
    for (const RecordedFill& fill : page.canvas.Fills())
        if (fill.left == page.geometry.MmToX(29.5) || fill.left == page.geometry.MmToX(72.5))
            rows.push_back(fill);
    ASSERT_EQ(61u, rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(i % 2 == 0 ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xEE, 0xEE, 0xEE), rows[i].colour) << i;
    EXPECT_EQ(page.geometry.MmToX(66.5), rows[0].right);
    EXPECT_EQ(page.geometry.MmToY(74), rows[0].bottom);
    EXPECT_EQ(page.geometry.MmToY(70), rows[51].top); // the second block starts at the top again

    // The same capacities as the text table's for the same levels.
    TSteelVertCylTank copy;
    const std::vector<CalibrationLevel> table = CalibrationTableLevels(copy);
    EXPECT_TRUE(page.HasText(QString::fromStdString(FormatDecimals(3, table[0].volumeM3))));
    EXPECT_TRUE(page.HasText(QString::fromStdString(FormatDecimals(3, table[60].volumeM3))));
}

TEST_F(CalibrationPage, FractionalTableStandsAtTheTopOfBlock4OrUnderItsLastRow)
{
    TSteelVertCylTank tank; // 61 rows: three blocks are enough
    DrawnPage top = DrawPage(tank, DocKind::Calibration, 1);
    EXPECT_NEAR(52, top.TopMm(top.TextsOf(QStringLiteral("Среднее значение")).at(0)), 0.05);
    EXPECT_NEAR(88, top.TopMm(top.TextsOf(QStringLiteral("0,1")).at(0)), 0.05);
    // The mean of 10 mm steps over the girdle: 1 mm of it for 0,1.
    TSteelVertCylTank copy;
    copy.SetGivenLevel(200);
    const double v200 = copy.VolumeAtLevel();
    copy.SetGivenLevel(810);
    const double meanPerMm = (copy.VolumeAtLevel() - v200) / 61 / 10;
    EXPECT_TRUE(top.HasText(QString::fromStdString(FormatDecimals(3, 9 * meanPerMm))));

    // 173 rows: 20 in block 4, whose box ends 2.5 mm under them; the table follows.
    TSteelVertCylTank tall = TankWithGirdles({1925, 1500, 1500}, 200, 4900);
    DrawnPage under = DrawPage(tall, DocKind::Calibration, 1);
    ASSERT_EQ(173u, BlockLevels(under).size());
    const double r = 70 + 4 * 20;
    EXPECT_NEAR(r + 7, under.TopMm(under.TextsOf(QStringLiteral("Среднее значение")).at(0)), 0.05);
    EXPECT_NEAR(r + 43, under.TopMm(under.TextsOf(QStringLiteral("0,1")).at(0)), 0.05);
    bool boxEnds = false;
    for (const RecordedLine& line : under.canvas.Lines())
        boxEnds |= line.x1 == under.geometry.MmToX(158.5) && line.y1 == under.geometry.MmToY(51) &&
                   line.y2 == under.geometry.MmToY(r + 2.5);
    EXPECT_TRUE(boxEnds);
}

TEST_F(CalibrationPage, SignatureOnlyOnTheLastSheet)
{
    TSteelVertCylTank tank;
    tank.SetPredsCom("Иванов");
    tank.SetPredsComLine2("Метролог");
    for (int page = 1; page <= 8; ++page) {
        const DrawnPage drawn = DrawPage(tank, DocKind::Calibration, page);
        EXPECT_EQ(page == 8, drawn.HasText(QStringLiteral("Председатель комиссии:"))) << page;
        EXPECT_EQ(page == 8, drawn.HasText(QStringLiteral("Иванов"))) << page;
    }
    const DrawnPage last = DrawPage(tank, DocKind::Calibration, 8);
    const RecordedText title = last.TextsOf(QStringLiteral("Председатель комиссии:")).at(0);
    EXPECT_NEAR(154, last.LeftMm(title), 0.05);
    EXPECT_NEAR(250, last.TopMm(title), 0.05);
    EXPECT_EQ(FontStyle::Bold, title.style);
    const RecordedText line2 = last.TextsOf(QStringLiteral("Метролог")).at(0);
    EXPECT_NEAR(264, last.TopMm(line2), 0.05);
    EXPECT_EQ(FontStyle::Regular, line2.style);
}

TEST_F(CalibrationPage, LongGirdlesGoOntoContinuationSheets)
{
    // Girdle 1: 231 rows (200 .. 2500 mm); girdle 2: 199; girdle 3, the last: 180.
    TSteelVertCylTank tank = TankWithGirdles({2500, 1990, 1800}, 200, 6290);
    const std::vector<CalibrationSheet> plan = CalibrationSheetPlan(tank);
    ASSERT_EQ(6u, plan.size());
    EXPECT_EQ(204, plan[0].rowCount);
    EXPECT_EQ(27, plan[1].rowCount);
    EXPECT_EQ(204, plan[1].firstRow);
    // A girdle that just overflows: its last sheet keeps one row beside its table.
    EXPECT_EQ(198, plan[2].rowCount);
    EXPECT_EQ(1, plan[3].rowCount);
    EXPECT_EQ(179, plan[4].rowCount); // more than 177: no room for the signature
    EXPECT_EQ(1, plan[5].rowCount);
    EXPECT_TRUE(plan[5].lastOfTable);

    test::RecordingReporter reporter;
    // A full sheet: four blocks of 51, no fractional table, block 4's box to 277.
    DrawnPage full = DrawPage(tank, DocKind::Calibration, 1);
    const std::vector<QString> rows = BlockLevels(full);
    ASSERT_EQ(204u, rows.size());
    EXPECT_EQ(QStringLiteral("223"), rows.back());
    EXPECT_FALSE(full.HasText(QStringLiteral("Среднее значение")));
    int block4Verticals = 0;
    for (const RecordedLine& line : full.canvas.Lines())
        block4Verticals += line.x1 == line.x2 && line.x1 == full.geometry.MmToX(158.5) &&
                           std::max(line.y1, line.y2) == full.geometry.MmToY(277);
    EXPECT_EQ(1, block4Verticals);
    const std::string fileBefore = WriteTank(tank, 1);

    // The girdle's last sheet: its rows from the top of block 1, banded white
    // first, and the fractional table over the whole girdle.
    DrawnPage rest = DrawPage(tank, DocKind::Calibration, 2);
    const std::vector<QString> restRows = BlockLevels(rest);
    ASSERT_EQ(27u, restRows.size());
    EXPECT_EQ(QStringLiteral("224"), restRows.front());
    EXPECT_NEAR(70, rest.TopMm(rest.TextsOf(QStringLiteral("224")).at(0)), 0.05);
    EXPECT_NEAR(52, rest.TopMm(rest.TextsOf(QStringLiteral("Среднее значение")).at(0)), 0.05);
    EXPECT_TRUE(rest.HasText(QStringLiteral("1-го пояса")));
    const RecordedFill& firstFill = rest.canvas.Fills().front();
    EXPECT_EQ(QColor(0xFF, 0xFF, 0xFF), firstFill.colour);
    EXPECT_EQ(rest.geometry.MmToY(70), firstFill.top);

    // 198 rows, then the girdle's last level beside the fractional table.
    DrawnPage girdle2 = DrawPage(tank, DocKind::Calibration, 3);
    EXPECT_EQ(198u, BlockLevels(girdle2).size());
    EXPECT_FALSE(girdle2.HasText(QStringLiteral("Среднее значение")));
    DrawnPage table2 = DrawPage(tank, DocKind::Calibration, 4);
    EXPECT_EQ(1u, BlockLevels(table2).size());
    EXPECT_TRUE(table2.HasText(QStringLiteral("2-го пояса")));

    // The last girdle: the signature only on the very last sheet, under nothing.
    EXPECT_FALSE(DrawPage(tank, DocKind::Calibration, 5).HasText(QStringLiteral("Председатель комиссии:")));
    DrawnPage signature = DrawPage(tank, DocKind::Calibration, 6);
    EXPECT_TRUE(signature.HasText(QStringLiteral("Председатель комиссии:")));
    EXPECT_TRUE(signature.HasText(QStringLiteral("3-го пояса")));
    EXPECT_EQ(fileBefore, WriteTank(tank, 1));
    EXPECT_TRUE(reporter.Messages().empty());
    EXPECT_FALSE(tank.Modified());
}

TEST_F(CalibrationPage, EveryLevelOfTheTableIsPrintedOnce)
{
    const LoadedTank tall = LoadTankFile(VELOQUIN_SAMPLES_DIR "/sample_rvs5000_tall.vlq");
    TSteelVertCylTank tank = tall.tank;
    ASSERT_EQ(10, PageCountOf(tank, DocKind::Calibration));
    long long printed = 0;
    for (int sheet = 1; sheet <= 10; ++sheet) {
        const CalibrationSheet plan = CalibrationSheetAt(tank, sheet);
        const std::vector<QString> rows = BlockLevels(DrawPage(tank, DocKind::Calibration, sheet));
        EXPECT_EQ(static_cast<std::size_t>(plan.rowCount), rows.size()) << sheet;
        EXPECT_LE(rows.size(), static_cast<std::size_t>(plan.lastOfGirdle ? kRowsWithFractionalTable : kRowsPerSheet));
        printed += static_cast<long long>(rows.size());
    }
    // The girdles' rows cover the table; the text table starts each girdle from
    // the dead cavity's offset instead, so compare counts of whole levels only.
    EXPECT_NEAR(static_cast<double>(CalibrationTableLineCount(tank)), static_cast<double>(printed), 6);
}

TEST_F(CalibrationPage, ASingleLevelHasAFractionalTableWithoutCapacities)
{
    // The top girdle starts at 3010 mm and the fill height is 3015: one level.
    TSteelVertCylTank tank = TankWithGirdles({1500, 1500, 1500}, 200, 3015);
    ASSERT_EQ(3015, tank.DesignFillHeight());
    test::RecordingReporter reporter;
    DrawnPage page = DrawPage(tank, DocKind::Calibration, 3);
    EXPECT_EQ(std::vector<QString>{QStringLiteral("301")}, BlockLevels(page));
    EXPECT_TRUE(page.HasText(QStringLiteral("Среднее значение")));
    EXPECT_TRUE(page.HasText(QStringLiteral("Вмести-")));
    for (const char* level : {"0,1", "0,5", "0,9"})
        EXPECT_TRUE(page.HasText(QString::fromUtf8(level))) << level;
    // Only the row's own capacity: nothing in the capacity column of the table.
    int capacities = 0;
    for (const RecordedText& t : page.canvas.Texts())
        capacities += std::abs(page.RightMm(t) - 193.5) < 0.05;
    EXPECT_EQ(0, capacities);
    EXPECT_TRUE(reporter.Messages().empty());
}

TEST_F(CalibrationPage, EngineReportsWhileDrawingAreCollectedNotShown)
{
    // A girdle of negative height puts the fill height below the dead cavity.
    TSteelVertCylTank tank = TankWithGirdles({1000, -900, 500}, 800, 500);
    ASSERT_GT(tank.DeadCavityHeight(), tank.DesignFillHeight());
    std::vector<std::string> shown;
    const ScopedErrorReporter fail([&](const std::string&, const std::string& text) { shown.push_back(text); });
    DrawnPage page = DrawPage(tank, DocKind::Calibration, 2);
    EXPECT_TRUE(shown.empty());
    ASSERT_EQ(1u, page.reports.size());
    EXPECT_EQ("Уровень мертвой полости выше высоты заполнения резервуара!", page.reports[0].text);
    ForwardReports(page.reports);
    EXPECT_EQ(1u, shown.size());
}

TEST_F(CalibrationPage, ATableTooLongToListIsRefusedOnThePage)
{
    TSteelVertCylTank tank = TankWithGirdles({1500, 1500, 5e7}, 200, 4e7);
    ASSERT_EQ(3, PageCountOf(tank, DocKind::Calibration));
    const DrawnPage page = DrawPage(tank, DocKind::Calibration, 3);
    ASSERT_EQ(1u, page.canvas.Texts().size());
    EXPECT_TRUE(page.canvas.Texts()[0].text.startsWith(QStringLiteral("Число уровней")));
}

TEST_F(CalibrationPage, GirdleLevelsBeyondTheLimitAreRefusedWhenTheTextTableListsNone)
{
    // A dead cavity that is not a number (a damaged file) lists no text line,
    // but the girdles above the first still have their own levels.
    const double noNumber = std::nan("");
    TSteelVertCylTank tall = TankWithGirdles({1500, 5e6, 1500}, noNumber, 5e6);
    ASSERT_EQ(0, CalibrationTableLineCount(tall));
    ASSERT_EQ(3, PageCountOf(tall, DocKind::Calibration));
    const DrawnPage refused = DrawPage(tall, DocKind::Calibration, 2);
    ASSERT_EQ(1u, refused.canvas.Texts().size());
    EXPECT_EQ(QStringLiteral("Число уровней градуировочной таблицы — более 100 000, допускается не более 100 000."),
              refused.canvas.Texts()[0].text);

    // Levels so large that a 10 mm step is lost in their rounding never end.
    TSteelVertCylTank endless = TankWithGirdles({1500, 1e19, 1500}, noNumber, 1e19);
    EXPECT_EQ(3, PageCountOf(endless, DocKind::Calibration));

    // Within the limit such a tank still prints its girdles' levels.
    TSteelVertCylTank small = TankWithGirdles({1500, 1500, 1500}, noNumber, 4000);
    EXPECT_NO_THROW(CheckCalibrationSheetsLength(small));
    EXPECT_EQ(QStringLiteral("151"), BlockLevels(DrawPage(small, DocKind::Calibration, 2)).front());
}

} // namespace
} // namespace veloquin
