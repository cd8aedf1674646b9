// The calibration table as text: its lines, where it starts and stops, what it
// leaves in the tank, and tables too long to list.

#include "CalibrationText.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace veloquin {
namespace {

using test::ScopedDecimalSeparator;

std::string LevelOf(const std::string& line)
{
    const std::size_t start = line.find("h =\t") + 4;
    return line.substr(start, line.find('\t', start) - start);
}

std::string TooLongError(TSteelVertCylTank& tank)
{
    try {
        CalibrationTableLines(tank);
    } catch (const TableTooLongError& error) {
        return error.what();
    }
    return "";
}

TEST(CalibrationText, NewTankListsEveryTenMillimetres)
{
    ScopedDecimalSeparator comma(',');
    TSteelVertCylTank tank;
    const std::vector<std::string> lines = CalibrationTableLines(tank);
    ASSERT_EQ(581u, lines.size());
    EXPECT_EQ(581, CalibrationTableLineCount(tank));
    EXPECT_EQ("Пояс №1\t\th =\t200\t\tV =\t6,337", lines.front());
    EXPECT_EQ("6000", LevelOf(lines.back()));
    // A level at the very top of a girdle belongs to that girdle.
    EXPECT_EQ(0u, lines[60].rfind("Пояс №1\t\th =\t800\t", 0));
    EXPECT_EQ(0u, lines[61].rfind("Пояс №2\t\th =\t810\t", 0));
    EXPECT_EQ(lines, CalibrationTableLines(tank));

    // The one-text form holds the same lines.
    std::string joined;
    for (const std::string& line : lines)
        joined += line + "\r\n";
    EXPECT_EQ(joined, CalibrationTableText(tank, "\r\n"));
}

TEST(CalibrationText, LevelsAreAccumulatedFromTheDeadCavity)
{
    ScopedDecimalSeparator comma(',');
    TSteelVertCylTank tank;
    tank.SetDeadCavityHeight(200.5);
    tank.SetDesignFillHeight(5995);
    const std::vector<std::string> lines = CalibrationTableLines(tank);
    ASSERT_EQ(580u, lines.size()); // 5995 itself is not listed
    EXPECT_EQ("200,5", LevelOf(lines[0]));
    EXPECT_EQ("210,5", LevelOf(lines[1]));
    EXPECT_EQ("5990,5", LevelOf(lines.back()));
    EXPECT_EQ(static_cast<long long>(lines.size()), CalibrationTableLineCount(tank));
}

TEST(CalibrationText, PrintedLevelIsAboveTheTouchPoint)
{
    TSteelVertCylTank tank;
    tank.SetBottomReading(8, 1, 30);
    tank.SetPointPlumb(17.5); // touch point 12.5 mm
    const std::vector<std::string> lines = CalibrationTableLines(tank);
    EXPECT_EQ("187.5", LevelOf(lines.front()));
}

TEST(CalibrationText, DeadCavityAtOrAboveTheDesignFill)
{
    test::RecordingReporter reporter; // the volume at a level complains when the cavity is above it
    TSteelVertCylTank tank;
    tank.SetGirdleCount(3);
    tank.SetGirdleHeightOuter(2, 50);
    tank.SetOverlapBottom(2, -100); // girdle 2 is -50 mm high: the fill may lie below girdle 1's top
    tank.UpdateGirdleHeight(2);
    tank.SetDeadCavityHeight(750);
    tank.SetDesignFillHeight(750);
    EXPECT_EQ(1u, CalibrationTableLines(tank).size());

    tank.SetDeadCavityHeight(800);
    ASSERT_LT(tank.DesignFillHeight(), tank.DeadCavityHeight());
    EXPECT_TRUE(CalibrationTableLines(tank).empty());
    EXPECT_EQ(0, CalibrationTableLineCount(tank));
}

TEST(CalibrationText, MillionsOfLevelsAreRefusedWithTheirNumber)
{
    TSteelVertCylTank tank;
    tank.SetGirdleHeightOuter(8, 8000000); // 8000 typed with three zeros too many
    tank.UpdateGirdleHeight(8);
    tank.SetDesignFillHeight(8005600);
    tank.SetGivenLevel(500);
    EXPECT_EQ(800541, CalibrationTableLineCount(tank));
    EXPECT_EQ("Число уровней градуировочной таблицы — 800 541, допускается не более 100 000.", TooLongError(tank));
    EXPECT_EQ(500, tank.GivenLevel()); // refused before any level was stepped
}

TEST(CalibrationText, ManyDetailsHoldTheTableToFewerLevels)
{
    // Every level visits every detail: a real tank's few dozen leave the limit
    // alone, a file's hundred thousand hold a table to a real tank's height.
    EXPECT_EQ(kMaxCalibrationTableLines, CalibrationTableLineLimit(0));
    EXPECT_EQ(kMaxCalibrationTableLines, CalibrationTableLineLimit(2500));
    EXPECT_EQ(99960, CalibrationTableLineLimit(2501));
    EXPECT_EQ(2500, CalibrationTableLineLimit(100000));

    TSteelVertCylTank tank;
    tank.SetGirdleHeightOuter(8, 900000); // a 900 m girdle: 90 541 levels
    tank.UpdateGirdleHeight(8);
    tank.SetDesignFillHeight(905600);
    std::vector<InternalDetail> details(3000);
    for (InternalDetail& d : details) {
        d.IsArbitrary = true;
        d.Volume = 0.01;
        d.Top = 1000;
    }
    tank.AddDetails(details);
    EXPECT_EQ("Число уровней градуировочной таблицы — 90 541 при 3 000 внутренних деталях; при таком числе "
              "деталей допускается не более 83 333 уровней.",
              TooLongError(tank));
    EXPECT_EQ(500, tank.GivenLevel()); // refused before any level was stepped

    // A real tank's details: the same levels are listed.
    while (tank.DetailCount() > 20)
        tank.DeleteDetail(tank.DetailCount());
    EXPECT_EQ(90541u, CalibrationTableLines(tank).size());
}

TEST(CalibrationText, TablesThatCannotEndAreRefused)
{
    // At 1e18 mm a step of 10 mm is lost in rounding: the level would never advance.
    TSteelVertCylTank tank;
    tank.SetGirdleHeightOuter(1, 1e18);
    tank.UpdateGirdleHeight(1);
    tank.SetDeadCavityHeight(1e18);
    tank.SetDesignFillHeight(0); // clamped to the top of girdle 7
    ASSERT_EQ(1e18, tank.DeadCavityHeight());
    ASSERT_LE(tank.DeadCavityHeight(), tank.DesignFillHeight());
    EXPECT_EQ("Число уровней градуировочной таблицы не ограничено, допускается не более 100 000.", TooLongError(tank));

    TSteelVertCylTank endless;
    endless.SetGirdleHeightOuter(8, std::numeric_limits<double>::infinity());
    endless.UpdateGirdleHeight(8);
    endless.SetDesignFillHeight(std::numeric_limits<double>::infinity());
    EXPECT_NE("", TooLongError(endless));

    TSteelVertCylTank undefined;
    undefined.SetDeadCavityHeight(std::nan(""));
    EXPECT_TRUE(CalibrationTableLines(undefined).empty());
}

} // namespace
} // namespace veloquin
