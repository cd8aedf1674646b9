// The tank outline: the walls stepped by the signs of the overlaps, the
// girdle boundaries and labels, the roof and the ground, and a tank without
// any drawable height.

#include "OutlinePage.h"
#include "GFunc.h"
#include "PageLineWork.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace veloquin {
namespace {

using test::HasLine;

constexpr double kWall = 0.5;

// Three girdles of 1000, 2000 and 1000 mm: drawn 32.5, 65 and 32.5 mm high.
TSteelVertCylTank ThreeGirdles()
{
    return test::TankWithGirdles({1000, 2000, 1000}, 0, 3900);
}

test::DrawnPage DrawOutline(TSteelVertCylTank& tank)
{
    return test::DrawPage(tank, DocKind::Outline, 1);
}

TEST(OutlinePage, StraightWallsWithoutOverlaps)
{
    TSteelVertCylTank tank = ThreeGirdles();
    const test::DrawnPage page = DrawOutline(tank);
    const RecordingCanvas& c = page.canvas;
    EXPECT_TRUE(HasLine(c, 47, 220, 47, 187.5, kWall));
    EXPECT_TRUE(HasLine(c, 177, 220, 177, 187.5, kWall));
    EXPECT_TRUE(HasLine(c, 47, 187.5, 47, 122.5, kWall));
    EXPECT_TRUE(HasLine(c, 47, 122.5, 47, 90, kWall));
    EXPECT_TRUE(HasLine(c, 177, 122.5, 177, 90, kWall));
    // The boundaries split the 130 mm in proportion to the heights, dash-dot, one pixel wide.
    for (double y : {187.5, 122.5, 90.0})
        EXPECT_TRUE(HasLine(c, 47, y, 177, y, 0.1, PenStyle::DashDot)) << y;
    // The roof from both wall tops, the ground line and its twelve hatch strokes.
    EXPECT_TRUE(HasLine(c, 47, 90, 112, 80, 0.8));
    EXPECT_TRUE(HasLine(c, 112, 80, 177, 90, 0.8));
    EXPECT_TRUE(HasLine(c, 40, 220, 184, 220, kWall));
    for (int k = 0; k < 12; ++k)
        EXPECT_TRUE(HasLine(c, 46 + 12.2 * k, 220, 42 + 12.2 * k, 224, kWall)) << k;
    EXPECT_EQ(3 * 3 + 2 + 13, static_cast<int>(c.Lines().size()));
}

TEST(OutlinePage, WallsStepWithTheSignOfTheBottomOverlap)
{
    struct Case
    {
        double overlapMm;
        double left2, right2, bottom2, top2;
    };
    // Girdle 1 ends at 220 - 32.5 = 187.5. Girdle 2 is 65 mm high on every
    // case: the sum of the heights is kept at 4000 mm.
    const Case cases[] = {
        {+10, 47.5, 176.5, 188.5, 123.5}, {0, 47, 177, 187.5, 122.5}, {-10, 46.5, 177.5, 188.5, 122.5}};
    for (const Case& k : cases) {
        TSteelVertCylTank tank = test::TankWithGirdles({1000, 2000 - k.overlapMm, 1000}, 0, 3900);
        tank.SetOverlapBottom(2, k.overlapMm);
        tank.UpdateGirdleHeight(2);
        ASSERT_DOUBLE_EQ(2000, tank.GirdleHeight(2));
        const std::vector<OutlineGirdle> girdles = OutlineGirdles(tank);
        ASSERT_EQ(3u, girdles.size());
        EXPECT_DOUBLE_EQ(k.left2, girdles[1].leftMm) << k.overlapMm;
        EXPECT_DOUBLE_EQ(k.right2, girdles[1].rightMm) << k.overlapMm;
        EXPECT_DOUBLE_EQ(k.bottom2, girdles[1].bottomMm) << k.overlapMm;
        EXPECT_DOUBLE_EQ(k.top2, girdles[1].topMm) << k.overlapMm;
        EXPECT_DOUBLE_EQ(122.5, girdles[1].nominalTopMm) << "the boundary is not stepped";

        const test::DrawnPage page = DrawOutline(tank);
        EXPECT_TRUE(HasLine(page.canvas, k.left2, k.bottom2, k.left2, k.top2, kWall)) << k.overlapMm;
        EXPECT_TRUE(HasLine(page.canvas, k.right2, k.bottom2, k.right2, k.top2, kWall)) << k.overlapMm;
        // Girdle 3 keeps girdle 2's walls, and the roof stands on them.
        EXPECT_DOUBLE_EQ(k.left2, girdles[2].leftMm);
        EXPECT_TRUE(HasLine(page.canvas, k.left2, 90, (k.left2 + k.right2) / 2, 80, 0.8)) << k.overlapMm;
    }
}

TEST(OutlinePage, TopOverlapsDropTheWallTopsButNotOnTheTopGirdle)
{
    TSteelVertCylTank tank = ThreeGirdles();
    tank.SetOverlapTop(1, -10);
    tank.SetOverlapBottom(2, -10);
    tank.SetOverlapTop(2, -10);
    tank.SetOverlapBottom(3, 10);
    tank.SetOverlapTop(3, -10);
    tank.UpdateAll();
    const std::vector<OutlineGirdle> g = OutlineGirdles(tank);
    ASSERT_EQ(3u, g.size());
    const double c1 = tank.GirdleHeight(1) * 130 / (tank.GirdleHeight(1) + tank.GirdleHeight(2) + tank.GirdleHeight(3));
    EXPECT_DOUBLE_EQ(220 - c1 - 1, g[0].topMm);
    EXPECT_DOUBLE_EQ(g[0].topMm + 1, g[1].bottomMm);
    EXPECT_DOUBLE_EQ(g[1].bottomMm - g[1].heightMm - 2, g[1].topMm);
    EXPECT_DOUBLE_EQ(g[1].topMm + 1, g[2].bottomMm);
    EXPECT_DOUBLE_EQ(g[2].bottomMm - g[2].heightMm, g[2].topMm);
    EXPECT_DOUBLE_EQ(47, g[2].leftMm);
    EXPECT_DOUBLE_EQ(177, g[2].rightMm);
}

TEST(OutlinePage, LabelsCentredInTheirBands)
{
    test::ScopedDecimalSeparator comma(',');
    TSteelVertCylTank tank = ThreeGirdles();
    tank.SetDeadCavityHeight(200);
    tank.UpdateAll();
    ASSERT_GT(tank.DeadCavityCapacity(), 0);
    const test::DrawnPage page = DrawOutline(tank);
    const auto label = [&tank](int i, double capacityM3) {
        return QString::fromStdString("Пояс №" + std::to_string(i) + "   V = " + FormatDecimals(3, capacityM3) +
                                      " м3   h = " + FormatDecimals(1, tank.GirdleHeight(i)) +
                                      " мм   Lвн.ц. = " + FormatDecimals(1, tank.IntCircumference(i)) + " мм");
    };
    const QString first = label(1, tank.GirdleCapacity(1) + tank.DeadCavityCapacity());
    ASSERT_TRUE(page.HasText(first)) << first.toStdString();
    ASSERT_TRUE(page.HasText(label(2, tank.GirdleCapacity(2))));
    const RecordedText second = page.TextsOf(label(2, tank.GirdleCapacity(2)))[0];
    EXPECT_EQ(page.geometry.MmToY(122.5 + 32.5 - 1.5), second.y);
    EXPECT_EQ(second.family, QString("Arial"));
    EXPECT_EQ(second.style, FontStyle::Italic);
    // Centred between the walls, running over them when longer.
    EXPECT_NEAR(1120, second.x + second.width / 2.0, 1);
}

TEST(OutlinePage, CaptionsOnlyWhenChecked)
{
    TSteelVertCylTank tank = ThreeGirdles();
    tank.SetTopCaption("Над чертежом");
    tank.SetBottomCaption("Под чертежом");
    EXPECT_FALSE(DrawOutline(tank).HasText("Над чертежом"));
    tank.SetTopCaptionShown(true);
    tank.SetBottomCaptionShown(true);
    const test::DrawnPage page = DrawOutline(tank);
    ASSERT_TRUE(page.HasText("Над чертежом"));
    EXPECT_EQ(page.geometry.MmToY(65), page.TextsOf("Над чертежом")[0].y);
    ASSERT_TRUE(page.HasText("Под чертежом"));
    EXPECT_EQ(page.geometry.MmToY(240), page.TextsOf("Под чертежом")[0].y);
}

TEST(OutlinePage, NoHeightGivesRoofAndGroundWithoutGirdles)
{
    for (double h : {0.0, std::nan("")}) {
        TSteelVertCylTank tank = test::TankWithGirdles({h, h, h}, 0, 0);
        tank.SetTopCaption("Схема");
        tank.SetTopCaptionShown(true);
        EXPECT_TRUE(OutlineGirdles(tank).empty());
        PageOptions options;
        const test::DrawnPage page = test::DrawPage(tank, DocKind::Outline, 1, options);
        EXPECT_TRUE(page.reports.empty());
        ASSERT_EQ(1u, page.canvas.Texts().size());
        EXPECT_EQ(QString("Схема"), page.canvas.Texts()[0].text);
        EXPECT_TRUE(HasLine(page.canvas, 47, 90, 112, 80, 0.8));
        EXPECT_TRUE(HasLine(page.canvas, 40, 220, 184, 220, kWall));
        EXPECT_EQ(2 + 13, static_cast<int>(page.canvas.Lines().size()));
    }
}

} // namespace
} // namespace veloquin
