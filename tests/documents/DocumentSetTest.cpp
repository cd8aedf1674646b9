// Page counts of the three documents and the numbering of the whole set.

#include "DocumentsTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace veloquin {
namespace {

TEST(DocumentSet, PageCountsFollowTheGeneratricesAndTheGirdles)
{
    TSteelVertCylTank tank;
    for (auto [generatrices, pages] : {std::pair{12, 6}, {13, 7}, {24, 7}, {25, 8}, {36, 8}}) {
        tank.SetGeneratrixCount(generatrices);
        EXPECT_EQ(pages, PageCountOf(tank, DocKind::Protocol)) << generatrices;
    }
    tank.SetGirdleCount(5);
    EXPECT_EQ(5, PageCountOf(tank, DocKind::Calibration));
    EXPECT_EQ(1, PageCountOf(tank, DocKind::Outline));
}

TEST(DocumentSet, GlobalNumbersCountThroughProtocolCalibrationAndOutline)
{
    TSteelVertCylTank tank; // 12 generatrices: 6 protocol pages
    tank.SetGirdleCount(5);
    ASSERT_EQ(12, DocumentSetPageCount(tank));

    DocumentSelection selection;
    SelectDocument(tank, selection, DocKind::Calibration);
    EXPECT_EQ(5, selection.docPageCount);
    selection.curPage = 2;
    EXPECT_EQ(8, GlobalPageNumber(tank, selection));
    SelectDocument(tank, selection, DocKind::Outline);
    EXPECT_EQ(12, GlobalPageNumber(tank, selection));

    test::RecordingReporter reporter;
    ASSERT_TRUE(SelectGlobalPage(tank, selection, 8));
    EXPECT_EQ(DocKind::Calibration, selection.docKind);
    EXPECT_EQ(2, selection.curPage);
    EXPECT_EQ(5, selection.docPageCount);
    ASSERT_TRUE(SelectGlobalPage(tank, selection, 6));
    EXPECT_EQ(DocKind::Protocol, selection.docKind);
    EXPECT_EQ(6, selection.curPage);
    ASSERT_TRUE(SelectGlobalPage(tank, selection, 12));
    EXPECT_EQ(DocKind::Outline, selection.docKind);
    EXPECT_EQ(1, selection.curPage);
    EXPECT_TRUE(reporter.Messages().empty());

    // Beyond the set (or before it): the message, and nothing changes.
    for (int beyond : {13, 0, -1}) {
        const DocumentSelection before = selection;
        EXPECT_FALSE(SelectGlobalPage(tank, selection, beyond));
        EXPECT_EQ(before.docKind, selection.docKind);
        EXPECT_EQ(before.curPage, selection.curPage);
    }
    ASSERT_EQ(3u, reporter.Messages().size());
    EXPECT_EQ("Veloquin", reporter.Messages()[0].first);
    EXPECT_EQ("Ошибка определения номера страницы!", reporter.Messages()[0].second);
}

TEST(DocumentSet, PagingCrossesDocumentsAndStopsAtBothEnds)
{
    TSteelVertCylTank tank;
    tank.SetGirdleCount(3);
    DocumentSelection selection;
    SelectDocument(tank, selection, DocKind::Protocol);
    EXPECT_FALSE(SelectPreviousPage(tank, selection));
    EXPECT_EQ(1, selection.curPage);

    selection.curPage = 6;
    ASSERT_TRUE(SelectNextPage(tank, selection));
    EXPECT_EQ(DocKind::Calibration, selection.docKind);
    EXPECT_EQ(1, selection.curPage);
    EXPECT_EQ(3, selection.docPageCount);
    ASSERT_TRUE(SelectPreviousPage(tank, selection));
    EXPECT_EQ(DocKind::Protocol, selection.docKind);
    EXPECT_EQ(6, selection.curPage);

    SelectDocument(tank, selection, DocKind::Calibration);
    selection.curPage = 3;
    ASSERT_TRUE(SelectNextPage(tank, selection));
    EXPECT_EQ(DocKind::Outline, selection.docKind);
    EXPECT_FALSE(SelectNextPage(tank, selection));
    EXPECT_EQ(DocKind::Outline, selection.docKind);
    ASSERT_TRUE(SelectPreviousPage(tank, selection));
    EXPECT_EQ(DocKind::Calibration, selection.docKind);
    EXPECT_EQ(3, selection.curPage);
}

TEST(DocumentSet, CalibrationPagesCountContinuationSheets)
{
    // Girdles of 1990 mm hold 199 levels: each takes a sheet of rows and one for
    // its fractional table, except the first (the dead cavity shortens it) and
    // the last (cut by the design fill height).
    test::ScopedDecimalSeparator comma(',');
    TSteelVertCylTank tank = test::TankWithGirdles({1990, 1990, 1990, 1990, 1990}, 250, 9000);
    EXPECT_EQ(8, PageCountOf(tank, DocKind::Calibration));
    EXPECT_EQ(6 + 8 + 1, DocumentSetPageCount(tank));
    DocumentSelection selection;
    ASSERT_TRUE(SelectGlobalPage(tank, selection, 14));
    EXPECT_EQ(DocKind::Calibration, selection.docKind);
    EXPECT_EQ(8, selection.curPage);
}

} // namespace
} // namespace veloquin
