// What a page is drawn with and what drawing leaves: the options of a page come
// from the tank and its number alone (undecided choices as if paged through
// from page 1), long girdles keep a level beside their fractional table, and
// drawing the set changes nothing in the tank but the level it leaves.

#include "DocumentsTestSupport.h"
#include "CalibrationSheets.h"
#include "TankFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <numeric>

namespace veloquin {
namespace {

SheetSettings Record(std::uint8_t frame, std::uint8_t titleLines, const std::string& tag)
{
    SheetSettings sheet;
    sheet.FrameStyle = frame;
    sheet.TitleLines = titleLines;
    sheet.Org1 = tag;
    sheet.Title = tag + " title";
    return sheet;
}

TEST(PageResolution, FrameStyleBytesOutsideTheirChoicesDecideNothing)
{
    EXPECT_EQ(FrameButton::UnFramed, DecodeFrameStyle(0));
    EXPECT_EQ(FrameButton::Framed, DecodeFrameStyle(1));
    EXPECT_EQ(FrameButton::FramedVD, DecodeFrameStyle(2));
    for (std::uint8_t stored : {3, 9, 255})
        EXPECT_FALSE(DecodeFrameStyle(stored).has_value()) << int(stored);
    for (FrameButton frame : {FrameButton::UnFramed, FrameButton::Framed, FrameButton::FramedVD})
        EXPECT_EQ(frame, DecodeFrameStyle(EncodeFrameStyle(frame)));
}

// The title page in a company frame (which it cannot have) and protocol pages
// that leave the frame or the title lines to the page before them.
TSteelVertCylTank TankWithUndecidedPages()
{
    TSteelVertCylTank tank;
    tank.SetSheet(SheetKind::Protocol, 1, Record(2, 1, "title page"));
    tank.SetSheet(SheetKind::Protocol, 2, Record(1, 1, "p2"));
    tank.SetSheet(SheetKind::Protocol, 3, Record(9, 0, "p3"));
    tank.SetSheet(SheetKind::Protocol, 4, Record(2, 2, "p4"));
    tank.SetSheet(SheetKind::Protocol, 5, Record(7, 0, "p5"));
    return tank;
}

TEST(PageResolution, APageLooksTheSameWhateverWasAskedBefore)
{
    const TSteelVertCylTank tank = TankWithUndecidedPages();
    PageOptionsResolver resolver(tank);
    // Page 4 (company frame, two lines) first, then the pages before it.
    EXPECT_EQ(FrameButton::FramedVD, resolver.At(4).frame);
    const PageOptions page3 = resolver.At(3);
    EXPECT_EQ(FrameButton::Framed, page3.frame); // from page 2
    EXPECT_EQ(TitleLinesButton::OneLine, page3.titleLines);
    EXPECT_EQ("p3", page3.edOrg1);
    // The title page keeps the dialog's state at creation, not page 4's frame and texts.
    const PageOptions title = resolver.At(1);
    EXPECT_EQ(FrameButton::UnFramed, title.frame);
    EXPECT_TRUE(title.edOrg1.empty());
    EXPECT_EQ("title page", title.edYtvDolgnoct_1);
    EXPECT_TRUE(title.layout.PanelTitlePage);
    EXPECT_EQ(FrameButton::FramedVD, resolver.At(5).frame);
    EXPECT_EQ(TitleLinesButton::TwoLines, resolver.At(5).titleLines);

    // The same values from a resolver of its own for each page, and from paging through.
    PageOptions paged;
    DocumentSelection selection;
    for (int page = 1; page <= DocumentSetPageCount(tank); ++page) {
        ASSERT_TRUE(SelectGlobalPage(tank, selection, page));
        LoadPageOptions(tank, selection.docKind, selection.curPage, paged);
        const PageOptions alone = ResolvedPageOptions(tank, page);
        EXPECT_EQ(paged.frame, alone.frame) << page;
        EXPECT_EQ(paged.titleLines, alone.titleLines) << page;
        EXPECT_EQ(paged.edOrg1, alone.edOrg1) << page;
        EXPECT_EQ(paged.edTitle, alone.edTitle) << page;
        EXPECT_EQ(paged.layout.tsGraduirPodpis, alone.layout.tsGraduirPodpis) << page;
    }
    // Outside the set: the creation state.
    EXPECT_EQ(FrameButton::UnFramed, resolver.At(0).frame);
    EXPECT_EQ(FrameButton::UnFramed, resolver.At(DocumentSetPageCount(tank) + 1).frame);
}

TEST(PageResolution, TheTitlePageDrawnAfterACompanyFrameHasNoTitleBlock)
{
    const TSteelVertCylTank tank = TankWithUndecidedPages();
    DocumentRenderer renderer(tank);
    test::DrawnPage framed(test::kTenPerMmDpi);
    renderer.Draw(framed.canvas, test::TenPerMm(), 4);
    ASSERT_TRUE(framed.HasText(QStringLiteral("p4")));
    test::DrawnPage title(test::kTenPerMmDpi);
    title.geometry = test::TenPerMm();
    renderer.Draw(title.canvas, test::TenPerMm(), 1);
    EXPECT_FALSE(title.HasText(QStringLiteral("p4")));
    EXPECT_TRUE(title.HasText(QStringLiteral("Утверждаю:")));
    EXPECT_TRUE(title.canvas.Lines().size() < framed.canvas.Lines().size());
}

// Girdle heights whose rows fall just around a sheet's capacity.
TEST(PageResolution, EveryLastSheetOfAGirdleKeepsALevel)
{
    for (double heightMm : {1840.0, 1850.0, 1990.0, 2040.0, 2050.0, 2060.0, 3880.0, 3890.0, 4090.0, 4100.0}) {
        for (bool last : {false, true}) {
            const TSteelVertCylTank tank = last ? test::TankWithGirdles({1000, 1000, heightMm}, 200, 2000 + heightMm)
                                                : test::TankWithGirdles({heightMm, 1000, 1000}, 0, heightMm + 2000);
            ASSERT_EQ(3, tank.GirdleCount());
            const int girdle = last ? 3 : 1;
            const int rows = static_cast<int>(WalkGirdleRows(tank, girdle).levelMm.size());
            int printed = 0;
            int expectedFirst = 0;
            for (const CalibrationSheet& sheet : CalibrationSheetPlan(tank)) {
                if (sheet.girdle != girdle)
                    continue;
                EXPECT_EQ(expectedFirst, sheet.firstRow) << heightMm;
                EXPECT_LE(sheet.rowCount, kRowsPerSheet) << heightMm;
                if (sheet.lastOfGirdle) {
                    EXPECT_GE(sheet.rowCount, 1) << heightMm;
                    EXPECT_LE(sheet.rowCount, last ? kRowsWithSignature : kRowsWithFractionalTable) << heightMm;
                }
                expectedFirst += sheet.rowCount;
                printed += sheet.rowCount;
            }
            EXPECT_EQ(rows, printed) << heightMm << (last ? " last" : "");
        }
    }
}

TEST(PageResolution, TheTallSampleHasNoSheetWithoutLevels)
{
    const LoadedTank tall = LoadTankFile(VELOQUIN_SAMPLES_DIR "/sample_rvs5000_tall.vlq");
    const std::vector<CalibrationSheet> plan = CalibrationSheetPlan(tall.tank);
    for (std::size_t i = 0; i < plan.size(); ++i)
        EXPECT_GE(plan[i].rowCount, 1) << "sheet " << i + 1;
}

TEST(PageResolution, DrawingTheSetChangesNothing)
{
    for (const char* name : {"sample_rvs10000", "sample_rvs5000_tall"}) {
        const LoadedTank loaded = LoadTankFile(std::string(VELOQUIN_SAMPLES_DIR "/") + name + ".vlq");
        TSteelVertCylTank tank = loaded.tank;
        test::RecordingReporter reporter;
        {
            DocumentRenderer renderer(tank);
            for (int page : {5, 1, 7, 3, 9, 2}) {
                test::DrawnPage drawn(test::kTenPerMmDpi);
                renderer.Draw(drawn.canvas, test::TenPerMm(), page);
            }
        }
        EXPECT_EQ(WriteTank(loaded.tank, loaded.version), WriteTank(tank, loaded.version)) << name;
        EXPECT_FALSE(tank.Modified());
        EXPECT_TRUE(reporter.Messages().empty());
    }
}

} // namespace
} // namespace veloquin
