// The tank's fields, defaults, clamps, list sizes, the modified flag and the
// reports of bad indexes.

#include "TankClasses.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace veloquin;
using veloquin::test::RecordingReporter;

TEST(TankModel, NewTankHasTheDefaultsOfTheConstructionSequence)
{
    RecordingReporter reporter;
    TSteelVertCylTank tank;

    EXPECT_TRUE(reporter.Messages().empty()) << "construction must not report anything";
    EXPECT_TRUE(tank.Modified()) << "SetName raises Modified during construction";
    EXPECT_EQ(tank.Name(), "Резервуар1");
    EXPECT_EQ(tank.DesignCapacity(), 200);
    EXPECT_EQ(tank.WeldCorrectionCount(), -1);
    EXPECT_EQ(tank.WeldCorrection(1), 0.0);
    EXPECT_EQ(tank.ExtCircumference(), 19998.0);
    EXPECT_EQ(tank.GirdleCount(), 8);
    EXPECT_EQ(tank.GeneratrixCount(), 12);
    EXPECT_EQ(tank.PlumbRowCount(), 21);
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(tank.SheetThickness(i), 6.0);
        EXPECT_EQ(tank.GirdleHeight(i), 800.0);
        EXPECT_EQ(tank.OverlapBottom(i), 0.0);
    }
    EXPECT_EQ(tank.PaintThickness(), 1.0);
    EXPECT_EQ(tank.CalibrationDensity(), 1000.0);
    EXPECT_EQ(tank.CalibrationFillHeight(), 2000.0);
    EXPECT_EQ(tank.DeadCavityHeight(), 200.0);
    EXPECT_EQ(tank.DesignFillHeight(), 6000.0);
    EXPECT_EQ(tank.BaseHeightMeas1(), 6000.0);
    EXPECT_EQ(tank.BaseHeightMeas2(), 6000.0);
    EXPECT_EQ(tank.BaseHeight(), 6000.0);
    EXPECT_EQ(tank.GivenLevel(), 500.0);
    EXPECT_EQ(tank.StoredDensity(), 960.0);
    EXPECT_EQ(tank.DetailCount(), 0);
    EXPECT_EQ(tank.InternalDetailsVolume(), 0.0);
    EXPECT_EQ(tank.CalibrationSheetCount(), 8);
    EXPECT_EQ(tank.ProtocolSheetCount(), 6);
    EXPECT_FALSE(tank.TopCaptionShown());
    EXPECT_FALSE(tank.BottomCaptionShown());
    EXPECT_EQ(tank.TouchPointHeight(), 0.0);
    EXPECT_EQ(tank.BottomCorrection(), 0.0);
}

TEST(TankModel, CountsAndCapacityAreClampedButModifiedFollowsTheRequest)
{
    TSteelVertCylTank tank;
    tank.SetGirdleCount(2);
    EXPECT_EQ(tank.GirdleCount(), 3);
    tank.SetGirdleCount(13);
    EXPECT_EQ(tank.GirdleCount(), 12);
    tank.SetGeneratrixCount(40);
    EXPECT_EQ(tank.GeneratrixCount(), 36);
    tank.SetGeneratrixCount(1);
    EXPECT_EQ(tank.GeneratrixCount(), 3);
    tank.SetDesignCapacity(60000);
    EXPECT_EQ(tank.DesignCapacity(), 50000);
    tank.SetDesignCapacity(5);
    EXPECT_EQ(tank.DesignCapacity(), 100);

    // Raised on the requested value, before clamping.
    tank.SetGirdleCount(12);
    tank.SetModified(false);
    tank.SetGirdleCount(20);
    EXPECT_TRUE(tank.Modified());
    EXPECT_EQ(tank.GirdleCount(), 12);

    // Asking for the value already stored changes nothing.
    tank.SetModified(false);
    tank.SetGirdleCount(12);
    tank.SetPaintThickness(tank.PaintThickness());
    tank.SetName(tank.Name());
    EXPECT_FALSE(tank.Modified());

    // The level is a query parameter.
    tank.SetGivenLevel(1234);
    tank.UpdateAll();
    EXPECT_FALSE(tank.Modified());
}

TEST(TankModel, RaisingTheGirdleCountKeepsOldGirdlesAndAddsOnesLikeTheTopOne)
{
    TSteelVertCylTank tank;
    for (int i = 1; i <= 8; ++i) {
        tank.SetSheetThickness(i, 10 + i);
        tank.SetGirdleHeightOuter(i, 1500 + i);
        tank.SetOverlapTop(i, -i);
        tank.UpdateGirdleHeight(i);
    }
    for (int row = 1; row <= 21; ++row)
        tank.SetPlumbDistance(row, 5, row);

    tank.SetGirdleCount(10);

    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(tank.SheetThickness(i), 10 + i);
        EXPECT_EQ(tank.GirdleHeightOuter(i), 1500 + i);
        EXPECT_EQ(tank.GirdleHeight(i), 1500.0);
    }
    // Built as the girdle below: its height and thickness, no overlaps.
    for (int i = 9; i <= 10; ++i) {
        EXPECT_EQ(tank.SheetThickness(i), 18.0);
        EXPECT_EQ(tank.GirdleHeightOuter(i), 1508.0);
        EXPECT_EQ(tank.OverlapBottom(i), 0.0);
        EXPECT_EQ(tank.OverlapTop(i), 0.0);
        EXPECT_EQ(tank.GirdleHeight(i), 1508.0);
    }
    ASSERT_EQ(tank.PlumbRowCount(), 27);
    for (int row = 1; row <= 21; ++row)
        EXPECT_EQ(tank.PlumbDistance(row, 5), row);
    for (int row = 22; row <= 27; ++row)
        EXPECT_EQ(tank.PlumbDistance(row, 5), 0.0);
    // Girdle 8 now owns rows 20 to 22; its top row 22 is the new, zero one.
    EXPECT_EQ(tank.GirdleOfPlumbRow(20), 8);
    EXPECT_EQ(tank.GirdleOfPlumbRow(22), 8);
    EXPECT_EQ(tank.GirdleOfPlumbRow(23), 9);
    EXPECT_EQ(tank.GirdleOfPlumbRow(26), 10);
    EXPECT_EQ(tank.GirdleOfPlumbRow(27), 10);
    EXPECT_EQ(tank.CalibrationSheetCount(), 10);
    // The design fill height moved into the new top girdle.
    EXPECT_EQ(tank.DesignFillHeight(), 8 * 1500.0 + 1508);
}

TEST(TankModel, LoweringTheGirdleCountDropsGirdlesAndReclampsTheFillHeight)
{
    TSteelVertCylTank tank;
    tank.SetSheetThickness(6, 9);
    tank.SetGirdleCount(5);
    EXPECT_EQ(tank.PlumbRowCount(), 12);
    EXPECT_EQ(tank.CalibrationSheetCount(), 5);
    EXPECT_EQ(tank.DesignFillHeight(), 4000.0);
    EXPECT_EQ(tank.BaseHeight(), 6000.0) << "base heights are never lowered by the fill height";

    tank.SetGirdleCount(6);
    EXPECT_EQ(tank.SheetThickness(6), 6.0) << "the dropped girdle's data is gone; the new one is girdle 5's like";
    EXPECT_EQ(tank.GirdleHeight(6), 800.0);
}

TEST(TankModel, ProtocolSheetCountFollowsTheGeneratrixCount)
{
    TSteelVertCylTank tank;
    const std::pair<int, int> cases[] = {{3, 6}, {12, 6}, {13, 7}, {24, 7}, {25, 8}, {36, 8}};
    for (auto [generatrices, sheets] : cases) {
        tank.SetGeneratrixCount(generatrices);
        EXPECT_EQ(tank.ProtocolSheetCount(), sheets) << generatrices << " generatrices";
        EXPECT_EQ(tank.SheetCount(SheetKind::Protocol), sheets);
    }
}

TEST(TankModel, WeldCorrectionListFollowsTheAbsoluteCount)
{
    TSteelVertCylTank tank;
    tank.SetWeldCorrectionCount(3);
    tank.SetWeldCorrection(1, 1.5);
    tank.SetWeldCorrection(3, 2.5);
    EXPECT_EQ(tank.ExtCircumference(), 20000.0) << "corrections take effect at the next recomputation";
    tank.UpdateExtCircumference();
    EXPECT_EQ(tank.ExtCircumference(), 20000.0 - 4);

    tank.SetWeldCorrectionCount(-1);
    EXPECT_EQ(tank.WeldCorrection(1), 1.5) << "the first entry is kept";
    RecordingReporter reporter;
    EXPECT_EQ(tank.WeldCorrection(2), 0.0);
    EXPECT_EQ(reporter.Texts(), std::vector<std::string>{"Номер поправки за пределами диапазона!"});
    EXPECT_EQ(tank.ExtCircumference(), 19998.0) << "back to the table";
}

TEST(TankModel, BadIndexesReportAndChangeNothing)
{
    TSteelVertCylTank tank;
    tank.SetName("РВС-1000 №3");
    tank.SetModified(false);
    RecordingReporter reporter;

    tank.SetSheetThickness(0, 5);
    tank.SetSheetThickness(9, 5);
    EXPECT_EQ(tank.SheetThickness(9), 0.0);
    tank.UpdateGirdleHeight(0);
    tank.UpdateIntCircumference(9);
    tank.UpdateGirdleCapacity(-1);
    ASSERT_EQ(reporter.Messages().size(), 6u);
    for (const auto& [caption, text] : reporter.Messages()) {
        EXPECT_EQ(caption, "РВС-1000 №3");
        EXPECT_EQ(text, "Номер пояса за пределами диапазона!");
    }
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(tank.SheetThickness(i), 6.0);
    EXPECT_FALSE(tank.Modified());

    reporter.Clear();
    tank.SetPlumbDistance(22, 1, 5);
    tank.SetPlumbDistance(1, 13, 5);
    EXPECT_EQ(tank.PlumbDistance(0, 1), 0.0);
    tank.SetDetailVolume(1, 2);
    EXPECT_EQ(tank.DetailTop(1), 0.0);
    tank.SetBottomReading(9, 1, 5);
    EXPECT_EQ(tank.BottomReading(1, 0), 0.0);
    EXPECT_EQ(reporter.Texts(),
              (std::vector<std::string>{
                  "Номер точки за пределами диапазона!",
                  "Номер образующей за пределами диапазона!",
                  "Номер точки за пределами диапазона!",
                  "Номер внутренней детали за пределами диапазона!",
                  "Номер внутренней детали за пределами диапазона!",
                  "Индекс точки, отсчета по рейке на днище резервуара, за пределами допустимого диапазона!",
                  "Индекс точки, отсчета по рейке на днище резервуара, за пределами допустимого диапазона!",
              }));
    EXPECT_FALSE(tank.Modified());

    // Deleting a detail that does not exist still raises Modified.
    reporter.Clear();
    tank.DeleteDetail(1);
    EXPECT_TRUE(tank.Modified());
    EXPECT_EQ(reporter.Texts(), std::vector<std::string>{"Номер внутренней детали за пределами диапазона!"});
}

TEST(TankModel, SheetListsReportBadPagesUnderTheirOwnCaption)
{
    TSteelVertCylTank tank;
    tank.SetModified(false);
    RecordingReporter reporter;

    EXPECT_EQ(tank.SheetFrameStyle(SheetKind::Calibration, 9), 10);
    EXPECT_EQ(tank.SheetTitleLines(SheetKind::Protocol, 7), 0);
    EXPECT_EQ(tank.SheetTextOf(SheetKind::Protocol, 0, SheetField::Org1), "");
    tank.SetSheetText(SheetKind::Calibration, 0, SheetField::Title, "x");
    EXPECT_EQ(tank.Sheet(SheetKind::Protocol, 99).FrameStyle, 10);
    ASSERT_EQ(reporter.Messages().size(), 5u);
    for (const auto& [caption, text] : reporter.Messages()) {
        EXPECT_EQ(caption, "Градуировочная таблица");
        EXPECT_EQ(text, "Номер страницы за пределами допустимого диапазона!");
    }
    EXPECT_FALSE(tank.Modified());

    reporter.Clear();
    tank.SetSheetFrameStyle(SheetKind::Outline, 0, 2);
    tank.SetSheetText(SheetKind::Calibration, 8, SheetField::NameWorker, "Иванов И.И.");
    tank.SetSheetTitleLines(SheetKind::Protocol, 6, 2);
    tank.SetProtocolText(ProtocolTextId::Add_3, "±0,1 %");
    EXPECT_TRUE(reporter.Messages().empty());
    EXPECT_TRUE(tank.Modified());
    EXPECT_EQ(tank.SheetFrameStyle(SheetKind::Outline, 1), 2);
    EXPECT_EQ(tank.SheetTextOf(SheetKind::Calibration, 8, SheetField::NameWorker), "Иванов И.И.");
    EXPECT_EQ(tank.SheetTitleLines(SheetKind::Protocol, 6), 2);
    EXPECT_EQ(tank.ProtocolText(ProtocolTextId::Add_3), "±0,1 %");

    // Sheets of a dropped girdle go with it.
    tank.SetGirdleCount(7);
    tank.SetGirdleCount(8);
    EXPECT_EQ(tank.SheetTextOf(SheetKind::Calibration, 8, SheetField::NameWorker), "");
}

TEST(TankModel, BaseHeightMeasurementsNeverLieBelowTheDesignFillHeight)
{
    TSteelVertCylTank tank;
    tank.SetBaseHeightMeas1(5000);
    EXPECT_EQ(tank.BaseHeightMeas1(), 6000.0);
    tank.SetBaseHeightMeas2(6300);
    tank.UpdateBaseHeight();
    EXPECT_EQ(tank.BaseHeight(), 6150.0);

    tank.SetDesignFillHeight(6200);
    EXPECT_EQ(tank.BaseHeightMeas1(), 6200.0);
    EXPECT_EQ(tank.BaseHeightMeas2(), 6300.0);
    EXPECT_EQ(tank.BaseHeight(), 6250.0);
}

TEST(TankModel, TankIsAValueThatCopiesWhole)
{
    TSteelVertCylTank a;
    a.AddCylindricalDetail(100, 300, 100, 1000);
    a.SetSheetText(SheetKind::Protocol, 2, SheetField::Title, "Протокол");
    TSteelVertCylTank b = a;
    b.SetSheetText(SheetKind::Protocol, 2, SheetField::Title, "");
    b.DeleteDetail(1);
    EXPECT_EQ(a.DetailCount(), 1);
    EXPECT_EQ(a.SheetTextOf(SheetKind::Protocol, 2, SheetField::Title), "Протокол");
}
