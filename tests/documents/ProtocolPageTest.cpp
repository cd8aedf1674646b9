// The measurement protocol's pages: what the sample texts alone do not show
// (the page plan, the uncertainty's steps, the level left behind, the ruling,
// the placement of overflowing details, the empty bottom grid).

#include "ProtocolPages.h"
#include "GFunc.h"
#include "PageLineWork.h"
#include "RealisticTank.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace veloquin {
namespace {

using test::HasBoxPath;
using test::HasFilledBox;
using test::HasLine;

constexpr double kHeavy = 0.5;
constexpr double kThin = 0.3;

// A protocol page drawn with the options given (no loading from the tank).
test::DrawnPage DrawWith(TSteelVertCylTank& tank, int page, const PageOptions& options)
{
    test::DrawnPage drawn(test::kTenPerMmDpi);
    drawn.geometry = test::TenPerMm();
    drawn.reports = DrawDocumentPage(drawn.canvas, drawn.geometry, tank, options, DocKind::Protocol, page);
    return drawn;
}

// The generatrix numbers heading the columns (bold Arial; the girdle numbers are Courier).
std::vector<QString> ColumnHeads(const test::DrawnPage& page)
{
    std::vector<QString> texts;
    for (const RecordedText& t : page.canvas.Texts())
        if (t.style == FontStyle::Bold && t.family == QLatin1String("Arial"))
            texts.push_back(t.text);
    return texts;
}

TEST(ProtocolPages, PlanFollowsTheGeneratrixCount)
{
    using C = ProtocolPageContent;
    const auto content = [](int generatrices, int page) { return ProtocolPageAt(generatrices, page).content; };
    for (int g : {3, 12, 13, 24, 25, 36}) {
        const int pages = TSteelVertCylTank::ProtocolSheetCountFor(g);
        EXPECT_EQ(C::TitlePage, content(g, 1));
        EXPECT_EQ(C::GeneralData, content(g, 2));
        for (int p = 3; p < pages - 2; ++p) {
            EXPECT_EQ(C::WallDeviations, content(g, p)) << g << " page " << p;
            EXPECT_EQ(12 * (p - 3), ProtocolPageAt(g, p).generatrixOffset);
        }
        EXPECT_EQ(C::Girdles, content(g, pages - 2)) << g;
        EXPECT_EQ(C::DetailsAndDeadCavity, content(g, pages - 1)) << g;
        EXPECT_EQ(C::BaseHeightAndSignatures, content(g, pages)) << g;
        EXPECT_EQ(C::None, content(g, pages + 1));
        EXPECT_EQ(C::None, content(g, 0));
    }
    EXPECT_EQ(4, TSteelVertCylTank::ProtocolSheetCountFor(12) - 2);
    EXPECT_EQ(5, TSteelVertCylTank::ProtocolSheetCountFor(13) - 2);
    EXPECT_EQ(6, TSteelVertCylTank::ProtocolSheetCountFor(25) - 2);
}

TEST(ProtocolPages, WallDeviationPagesHeadTheirOwnGeneratrices)
{
    TSteelVertCylTank tank;
    tank.SetGeneratrixCount(13);
    EXPECT_EQ(std::vector<QString>{"13"}, ColumnHeads(test::DrawPage(tank, DocKind::Protocol, 4)));
    tank.SetGeneratrixCount(30);
    EXPECT_EQ((std::vector<QString>{"25", "26", "27", "28", "29", "30"}),
              ColumnHeads(test::DrawPage(tank, DocKind::Protocol, 5)));
    const test::DrawnPage page4 = test::DrawPage(tank, DocKind::Protocol, 4);
    EXPECT_EQ(QString("13"), ColumnHeads(page4).front());
    EXPECT_EQ(QString("24"), ColumnHeads(page4).back());
}

// Ruled for twelve generatrices and twelve girdles, whatever the tank has.
TEST(ProtocolPages, WallDeviationRulingIsAlwaysTwelveByTwelve)
{
    TSteelVertCylTank small;
    small.SetGirdleCount(3);
    small.SetGeneratrixCount(3);
    TSteelVertCylTank large = test::MakeRealisticTank();
    const test::DrawnPage smallPage = test::DrawPage(small, DocKind::Protocol, 3);
    const test::DrawnPage largePage = test::DrawPage(large, DocKind::Protocol, 5);
    for (const test::DrawnPage* page : {&smallPage, &largePage}) {
        const RecordingCanvas& c = page->canvas;
        EXPECT_TRUE(HasBoxPath(c, 30, 65, 195, 275, kHeavy));
        EXPECT_TRUE(HasLine(c, 30, 77, 195, 77, kHeavy));
        EXPECT_TRUE(HasLine(c, 63, 71, 195, 71, kThin));
        EXPECT_TRUE(HasLine(c, 43.2, 65, 43.2, 275, kThin));
        EXPECT_TRUE(HasLine(c, 63, 65, 63, 275, kThin));
        for (int j = 1; j <= 11; ++j)
            EXPECT_TRUE(HasLine(c, 63 + 11 * j, 71, 63 + 11 * j, 275, kThin)) << "column rule " << j;
        EXPECT_TRUE(HasLine(c, 30, 83.6, 195, 83.6, kThin));
        for (int k = 1; k <= 10; ++k)
            EXPECT_TRUE(HasLine(c, 30, 83.6 + 17.4 * k, 195, 83.6 + 17.4 * k, kThin)) << "band rule " << k;
        EXPECT_EQ(c.Lines().size(), smallPage.canvas.Lines().size()) << "no other line";
        EXPECT_TRUE(c.Fills().empty());
    }

    // The top girdle of three has no top row; the bands of girdles 4 to 12 stay empty.
    EXPECT_EQ(2u, smallPage.TextsOf("Низ").size());
    EXPECT_EQ(1u, smallPage.TextsOf("Верх").size());
    EXPECT_FALSE(smallPage.HasText("IV"));
    EXPECT_TRUE(smallPage.HasText("III"));
}

TEST(ProtocolPages, FramesLieUnderEveryPage)
{
    TSteelVertCylTank tank;
    for (int page = 1; page <= 6; ++page) {
        PageOptions options;
        options.frame = FrameButton::Framed;
        const test::DrawnPage drawn = DrawWith(tank, page, options);
        const std::vector<RecordedLine>& lines = drawn.canvas.Lines();
        ASSERT_GE(lines.size(), 4u);
        // Drawn first, as one path at the thin pen.
        EXPECT_EQ(test::LineText({250, 100, 250, 2870, 3, PenStyle::Solid, Qt::black}), test::LineText(lines[0]));
        EXPECT_EQ(test::LineText({250, 2870, 2000, 2870, 3, PenStyle::Solid, Qt::black}), test::LineText(lines[1]));
        EXPECT_EQ(test::LineText({2000, 2870, 2000, 100, 3, PenStyle::Solid, Qt::black}), test::LineText(lines[2]));
        EXPECT_EQ(test::LineText({2000, 100, 250, 100, 3, PenStyle::Solid, Qt::black}), test::LineText(lines[3]));
        EXPECT_EQ(drawn.canvas.Order().front().first, RecordingCanvas::CallKind::Line) << "page " << page;

        options.frame = FrameButton::FramedVD;
        options.edOrg1 = "Организация";
        const test::DrawnPage company = DrawWith(tank, page, options);
        EXPECT_TRUE(HasBoxPath(company.canvas, 25, 10, 200, 287, 0.7)) << "page " << page;
        EXPECT_TRUE(HasLine(company.canvas, 25, 49, 200, 49, 0.7));
        EXPECT_TRUE(HasLine(company.canvas, 112.5, 10, 112.5, 17, kThin));
        EXPECT_TRUE(company.HasText("Организация"));
    }
}

TEST(ProtocolPages, TableBoxesArePathsOnTheFirstPagesAndFilledOnTheLast)
{
    TSteelVertCylTank tank;
    const test::DrawnPage general = test::DrawPage(tank, DocKind::Protocol, 2);
    EXPECT_TRUE(general.canvas.Fills().empty());
    for (double top : {65, 95, 125, 155})
        EXPECT_TRUE(HasBoxPath(general.canvas, 30, top, 195, top + 20, kHeavy)) << top;
    EXPECT_TRUE(HasBoxPath(general.canvas, 30, 185, 195, 212, kHeavy));
    EXPECT_TRUE(HasBoxPath(general.canvas, 30, 230, 195, 257, kHeavy));
    EXPECT_TRUE(HasLine(general.canvas, 63, 70, 162, 70, kThin));

    const test::DrawnPage girdles = test::DrawPage(tank, DocKind::Protocol, 4);
    EXPECT_TRUE(girdles.canvas.Fills().empty());
    EXPECT_TRUE(HasBoxPath(girdles.canvas, 30, 149, 195, 228, kHeavy));
    EXPECT_TRUE(HasLine(girdles.canvas, 111, 158, 111, 228, kThin));

    const test::DrawnPage details = test::DrawPage(tank, DocKind::Protocol, 5);
    for (const auto& box : {std::array<double, 4>{30, 65, 195, 102},
                            {30, 112, 195, 149},
                            {30, 169, 195, 179},
                            {30, 189, 195.2, 247.5},
                            {30, 257, 195, 267}})
        EXPECT_TRUE(HasFilledBox(details.canvas, box[0], box[1], box[2], box[3])) << box[1];
    const test::DrawnPage last = test::DrawPage(tank, DocKind::Protocol, 6);
    for (const auto& box : {std::array<double, 4>{30, 65, 195, 80.5},
                            {30, 98, 195, 113},
                            {30, 118, 195, 133},
                            {30, 151, 195.2, 200.2},
                            {30, 205, 195, 215},
                            {30, 235, 195.2, 275}})
        EXPECT_TRUE(HasFilledBox(last.canvas, box[0], box[1], box[2], box[3])) << box[1];
    EXPECT_EQ(6u, last.canvas.Fills().size());
}

// The title page's value after a label: MmToX(35) plus the label's width.
double ValueLeftAfter(const test::DrawnPage& page, const QString& label)
{
    const std::vector<RecordedText> found = page.TextsOf(label);
    return found.empty() ? -1 : page.geometry.MmToX(35) + found.front().width;
}

TEST(ProtocolTitlePage, UncertaintyStepsWithTheDesignCapacity)
{
    test::ScopedDecimalSeparator comma(',');
    TSteelVertCylTank tank;
    const double volumeM3 = tank.VolumeAt(tank.DesignFillHeight()).volumeM3;
    ASSERT_GT(volumeM3, 100);
    const struct
    {
        std::int32_t capacity;
        double share;
        const char* capacityText;
    } cases[] = {{3000, 0.002, "3 000 м куб."},
                 {3001, 0.0015, "3 001 м куб."},
                 {4999, 0.0015, "4 999 м куб."},
                 {5000, 0.001, "5 000 м куб."}};
    for (const auto& c : cases) {
        tank.SetDesignCapacity(c.capacity);
        const test::DrawnPage page = test::DrawPage(tank, DocKind::Protocol, 1);
        const QString uncertainty = QString::fromStdString("±" + FormatDecimals(3, c.share * volumeM3) + " м куб.");
        ASSERT_TRUE(page.HasText(uncertainty)) << c.capacity << " " << uncertainty.toStdString();
        EXPECT_EQ(ValueLeftAfter(page, "Погрешность определения вместимости:"), page.TextsOf(uncertainty)[0].x);
        ASSERT_TRUE(page.HasText(c.capacityText)) << c.capacity;
        EXPECT_EQ(ValueLeftAfter(page, "Вместимость резервуара:"), page.TextsOf(c.capacityText)[0].x);
        EXPECT_EQ(page.TextsOf(c.capacityText)[0].y, page.geometry.MmToY(130));
    }
    EXPECT_DOUBLE_EQ(0.002 * 1000, CapacityUncertaintyM3(3000, 1000));
    EXPECT_DOUBLE_EQ(0.0015 * 1000, CapacityUncertaintyM3(3001, 1000));
    EXPECT_DOUBLE_EQ(0.0015 * 1000, CapacityUncertaintyM3(4999, 1000));
    EXPECT_DOUBLE_EQ(0.001 * 1000, CapacityUncertaintyM3(5000, 1000));
}

TEST(ProtocolTitlePage, LeavesTheLevelAtTheDesignFillHeight)
{
    TSteelVertCylTank tank;
    tank.SetGivenLevel(1234);
    tank.SetModified(false);
    const double volumeM3 = tank.VolumeAt(tank.DesignFillHeight()).volumeM3;
    test::DrawPage(tank, DocKind::Protocol, 1);
    EXPECT_EQ(tank.DesignFillHeight(), tank.GivenLevel());
    EXPECT_DOUBLE_EQ(volumeM3, tank.VolumeAtLevel());
    EXPECT_FALSE(tank.Modified());
    // The other pages leave it where it was.
    tank.SetGivenLevel(1234);
    for (int page = 2; page <= 6; ++page)
        test::DrawPage(tank, DocKind::Protocol, page);
    EXPECT_EQ(1234, tank.GivenLevel());
}

TEST(ProtocolTitlePage, PurposeAndOrganisation)
{
    test::ScopedDecimalSeparator comma(',');
    TSteelVertCylTank tank; // dead cavity 200 mm, touch point 0
    PageOptions options;
    options.edOrg = "ООО «Нефтебаза»";
    options.rgPredn = PurposeItem::OperationalControl;
    test::DrawnPage page = DrawWith(tank, 1, options);
    EXPECT_TRUE(page.HasText("Участок ниже h = 200,0 мм для оперативного контроля не используется"));
    EXPECT_EQ(ValueLeftAfter(page, "Организация:"), page.TextsOf("ООО «Нефтебаза»")[0].x);
    options.rgPredn = PurposeItem::Accounting;
    options.edOrg.clear();
    page = DrawWith(tank, 1, options);
    EXPECT_TRUE(page.HasText("Участок ниже h = 200,0 мм для учетно-расчетных операций не используется"));
    EXPECT_TRUE(page.HasText("Организация:")) << "the label stays without its value";
    EXPECT_EQ(1u, page.TextsOf("Организация:").size());
}

TEST(ProtocolPages, LongTextsStayCentredOverTheRules)
{
    TSteelVertCylTank tank;
    PageOptions options;
    options.Protocol(ProtocolTextId::RegNumber) = "Регистрационный номер длиннее своей клетки";
    const test::DrawnPage page = DrawWith(tank, 2, options);
    const std::vector<RecordedText> found = page.TextsOf("Регистрационный номер длиннее своей клетки");
    ASSERT_EQ(1u, found.size());
    EXPECT_LT(page.LeftMm(found[0]), 30);
    EXPECT_GT(page.RightMm(found[0]), 63);
    EXPECT_NEAR(46.5, (page.LeftMm(found[0]) + page.RightMm(found[0])) / 2, 0.1);
    EXPECT_TRUE(HasLine(page.canvas, 63, 65, 63, 85, kThin)) << "the ruling is unchanged";
}

TEST(ProtocolPages, OverlapsCarryTheirSign)
{
    test::ScopedDecimalSeparator comma(',');
    TSteelVertCylTank tank;
    tank.SetOverlapBottom(2, 5);
    tank.SetOverlapTop(2, -5);
    tank.UpdateAll();
    const test::DrawnPage page = test::DrawPage(tank, DocKind::Protocol, 4);
    ASSERT_TRUE(page.HasText("+5,0"));
    EXPECT_EQ(page.geometry.MmToX(102), page.TextsOf("+5,0")[0].x + page.TextsOf("+5,0")[0].width);
    EXPECT_EQ(page.geometry.MmToY(173), page.TextsOf("+5,0")[0].y);
    ASSERT_TRUE(page.HasText("-5,0"));
    EXPECT_EQ(page.geometry.MmToX(130), page.TextsOf("-5,0")[0].x + page.TextsOf("-5,0")[0].width);
    EXPECT_FALSE(page.HasText("+0,0"));
    EXPECT_FALSE(page.HasText("--5,0"));
}

TEST(ProtocolPages, DetailsFillTheirOwnBoxesAndOverflowBelowThem)
{
    test::ScopedDecimalSeparator comma(',');
    TSteelVertCylTank tank;
    for (int k = 1; k <= 7; ++k)
        tank.AddCylindricalDetail(100 * k, 100 * k + 50, 1000 + k, 2000);
    tank.AddArbitraryDetail(0.125, 10, 20);
    tank.AddCylindricalDetail(800, 850, 1008, 2000);
    tank.UpdateAll();
    const test::DrawnPage page = test::DrawPage(tank, DocKind::Protocol, 5);
    for (int k = 1; k <= 8; ++k) {
        const QString diameter = QString::fromStdString(FormatDecimals(1, 1000 + k));
        ASSERT_EQ(1u, page.TextsOf(diameter).size()) << k;
        EXPECT_EQ(page.geometry.MmToY(5 * k + 71), page.TextsOf(diameter)[0].y) << k;
    }
    ASSERT_TRUE(page.HasText("0,125"));
    EXPECT_EQ(page.geometry.MmToY(123), page.TextsOf("0,125")[0].y) << "the other box counts from 1";

    // No white box drawn after a detail row covers it.
    const auto& order = page.canvas.Order();
    std::size_t lastFill = 0;
    std::size_t firstRow = order.size();
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i].first == RecordingCanvas::CallKind::Fill)
            lastFill = i;
        if (order[i].first == RecordingCanvas::CallKind::Text &&
            page.canvas.Texts()[order[i].second].text == QString::fromStdString(FormatDecimals(1, 1001)))
            firstRow = i;
    }
    EXPECT_LT(lastFill, firstRow);
}

TEST(ProtocolPages, BottomGridIsEmptyUntilSomethingIsRead)
{
    test::ScopedDecimalSeparator comma(',');
    TSteelVertCylTank tank;
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            tank.SetBottomReading(c, r, 0);
    tank.SetBottomCenter(0);
    tank.SetPointPlumb(0);
    const test::DrawnPage empty = test::DrawPage(tank, DocKind::Protocol, 5);
    const auto textsInGrid = [](const test::DrawnPage& page) {
        int count = 0;
        for (const RecordedText& t : page.canvas.Texts())
            if (page.LeftMm(t) > 87 && page.TopMm(t) > 199 && page.TopMm(t) < 247)
                ++count;
        return count;
    };
    EXPECT_EQ(0, textsInGrid(empty));
    EXPECT_EQ(2u, empty.TextsOf("8").size()) << "the heads of circle 8 and radius 8 stay";
    EXPECT_TRUE(HasLine(empty.canvas, 87, 189, 87, 241, kThin));
    EXPECT_TRUE(HasLine(empty.canvas, 183, 194, 183, 241, kThin));
    EXPECT_TRUE(HasLine(empty.canvas, 30, 241, 195, 241, kHeavy));

    tank.SetPointPlumb(12.5);
    const test::DrawnPage read = test::DrawPage(tank, DocKind::Protocol, 5);
    EXPECT_EQ(8 * 9 + 1, textsInGrid(read));
    EXPECT_TRUE(read.HasText("12,5"));
}

TEST(ProtocolPages, PaintingReportsNothingForAnOrdinaryTank)
{
    TSteelVertCylTank tank = test::MakeRealisticTank();
    for (int page = 1; page <= 8; ++page)
        EXPECT_TRUE(test::DrawPage(tank, DocKind::Protocol, page).reports.empty()) << page;
}

} // namespace
} // namespace veloquin
