// Loading a page's options from the tank: frames, title lines, the texts of each
// document, what a record leaves undecided, and the layout the dialog follows.

#include "DocumentsTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace veloquin {
namespace {

SheetSettings Record(std::uint8_t frame, std::uint8_t titleLines, const std::string& tag)
{
    SheetSettings sheet;
    sheet.FrameStyle = frame;
    sheet.TitleLines = titleLines;
    sheet.Org1 = tag + " org1";
    sheet.Org2 = tag + " org2";
    sheet.Date = tag + " date";
    sheet.Object = tag + " object";
    sheet.Sheet = tag + " sheet";
    sheet.Title = tag + " title";
    sheet.Title_2 = tag + " title2";
    sheet.Worker = tag + " worker";
    sheet.NameWorker = tag + " name";
    return sheet;
}

TEST(LoadPageOptions, StartsFromTheDialogsStateAtCreation)
{
    const PageOptions options;
    EXPECT_EQ(FrameButton::UnFramed, options.frame);
    EXPECT_EQ(TitleLinesButton::TwoLines, options.titleLines);
    EXPECT_EQ(PurposeItem::Accounting, options.rgPredn);
    EXPECT_TRUE(options.edOrg1.empty());
    EXPECT_TRUE(options.Protocol(ProtocolTextId::Add_3).empty());
}

TEST(LoadPageOptions, FillsTheFrameAndTitleBlockOfThePage)
{
    TSteelVertCylTank tank;
    tank.SetSheet(SheetKind::Calibration, 3, Record(2, 1, "c3"));
    tank.SetPredsCom("Председатель");
    tank.SetPredsComLine2("Должность");
    tank.SetPredsComLine3("Фамилия");
    tank.SetModified(false);

    PageOptions options;
    test::RecordingReporter reporter;
    LoadPageOptions(tank, DocKind::Calibration, 3, options);
    EXPECT_EQ(FrameButton::FramedVD, options.frame);
    EXPECT_EQ(TitleLinesButton::OneLine, options.titleLines);
    EXPECT_EQ("c3 org1", options.edOrg1);
    EXPECT_EQ("c3 sheet", options.edSheet);
    EXPECT_EQ("c3 title", options.edTitle);
    EXPECT_EQ("c3 title", options.edTitle_1); // both boxes show the one title
    EXPECT_EQ("c3 title2", options.edTitle_2);
    EXPECT_EQ("c3 name", options.edNameWorker);
    EXPECT_EQ("Председатель", options.edPredsCom);
    EXPECT_EQ("Должность", options.ed___);
    EXPECT_EQ("Фамилия", options.ed__y);
    EXPECT_TRUE(options.layout.tsGraduirPodpis);
    EXPECT_FALSE(options.layout.tsText);
    EXPECT_FALSE(options.layout.tsProtSheet1);
    EXPECT_TRUE(options.layout.sbAllSheetsDoc);
    EXPECT_FALSE(options.layout.PanelTitlePage);
    // Loading is no change.
    EXPECT_FALSE(tank.Modified());
    EXPECT_TRUE(reporter.Messages().empty());
}

TEST(LoadPageOptions, UndecidedFrameAndTitleLinesStayAsThePageBeforeLeftThem)
{
    TSteelVertCylTank tank;
    tank.SetSheet(SheetKind::Calibration, 1, Record(1, 1, "c1"));
    tank.SetSheet(SheetKind::Calibration, 2, Record(7, 0, "c2"));
    tank.SetSheet(SheetKind::Calibration, 3, Record(2, 2, "c3"));
    PageOptions options;
    LoadPageOptions(tank, DocKind::Calibration, 1, options);
    LoadPageOptions(tank, DocKind::Calibration, 2, options);
    EXPECT_EQ(FrameButton::Framed, options.frame);
    EXPECT_EQ(TitleLinesButton::OneLine, options.titleLines);
    EXPECT_EQ("c2 org1", options.edOrg1); // the texts are always the page's own

    LoadPageOptions(tank, DocKind::Calibration, 3, options);
    LoadPageOptions(tank, DocKind::Calibration, 2, options);
    EXPECT_EQ(FrameButton::FramedVD, options.frame);
    EXPECT_EQ(TitleLinesButton::TwoLines, options.titleLines);

    // ... and the page is drawn that way: two title lines after page 3.
    const test::DrawnPage page = test::DrawPage(tank, DocKind::Calibration, 2, options);
    EXPECT_TRUE(page.HasText(QStringLiteral("c2 title2")));
}

TEST(LoadPageOptions, ContinuationSheetsUseTheirGirdlesRecord)
{
    TSteelVertCylTank tank = test::TankWithGirdles({1500, 1990, 1500}, 200, 4500);
    ASSERT_EQ(4, PageCountOf(tank, DocKind::Calibration)); // girdle 2 on two sheets
    tank.SetSheet(SheetKind::Calibration, 2, Record(2, 1, "g2"));
    tank.SetSheet(SheetKind::Calibration, 3, Record(1, 2, "g3"));
    PageOptions options;
    for (int sheet : {2, 3}) {
        LoadPageOptions(tank, DocKind::Calibration, sheet, options);
        EXPECT_EQ("g2 org1", options.edOrg1) << sheet;
        EXPECT_EQ(2, SheetRecordOf(tank, DocKind::Calibration, sheet));
    }
    LoadPageOptions(tank, DocKind::Calibration, 4, options);
    EXPECT_EQ("g3 org1", options.edOrg1);
}

TEST(LoadPageOptions, OutlineCarriesItsCaptions)
{
    TSteelVertCylTank tank;
    tank.SetSheet(SheetKind::Outline, 1, Record(1, 2, "o"));
    tank.SetTopCaptionShown(true);
    tank.SetTopCaption("Сверху");
    tank.SetBottomCaption("Снизу");
    PageOptions options;
    LoadPageOptions(tank, DocKind::Outline, 1, options);
    EXPECT_EQ("o org2", options.edOrg2);
    EXPECT_TRUE(options.cbTopCaption);
    EXPECT_EQ("Сверху", options.edTopCaption);
    EXPECT_FALSE(options.cbBottomCaption);
    EXPECT_EQ("Снизу", options.edBottomCaption);
    EXPECT_TRUE(options.layout.tsText);
    EXPECT_FALSE(options.layout.tsGraduirPodpis);
    EXPECT_TRUE(options.layout.rbFramedVD);
    EXPECT_TRUE(options.layout.sbAllSheets);
    EXPECT_FALSE(options.layout.sbAllSheetsDoc);
}

TEST(LoadPageOptions, TheProtocolsTitlePageUsesItsSlotsForItsOwnEntries)
{
    TSteelVertCylTank tank;
    tank.SetSheet(SheetKind::Protocol, 1, Record(1, 0, "t"));
    tank.SetSheet(SheetKind::Protocol, 2, Record(2, 1, "p2"));
    tank.SetProtocolText(ProtocolTextId::RegNumber, "Рег. 17");
    tank.SetProtocolText(ProtocolTextId::Familia_4, "Петров");
    tank.SetProtocolText(ProtocolTextId::Add_2, "Дополнение");

    PageOptions options;
    LoadPageOptions(tank, DocKind::Protocol, 1, options);
    EXPECT_EQ(FrameButton::Framed, options.frame);
    EXPECT_EQ("t org1", options.edYtvDolgnoct_1);
    EXPECT_EQ("t org2", options.edYtvDolgnoct_2);
    EXPECT_EQ("t date", options.edYtvFamilia);
    EXPECT_EQ("t object", options.edYtvDate);
    EXPECT_EQ("t sheet", options.edNazvanRez);
    EXPECT_EQ("t title", options.edOrg);
    EXPECT_EQ("t title2", options.edSrok);
    EXPECT_EQ("t worker", options.edPrKom_Dolgn);
    EXPECT_EQ("t name", options.edPrKom_Famil);
    EXPECT_EQ(PurposeItem::OperationalControl, options.rgPredn);
    EXPECT_EQ("Рег. 17", options.Protocol(ProtocolTextId::RegNumber));
    EXPECT_EQ("Петров", options.Protocol(ProtocolTextId::Familia_4));
    EXPECT_EQ("Дополнение", options.Protocol(ProtocolTextId::Add_2));
    EXPECT_TRUE(options.edOrg1.empty()); // the frame block is not loaded here
    EXPECT_TRUE(options.layout.PanelTitlePage);
    EXPECT_TRUE(options.layout.PanelTitlePageTop);
    EXPECT_FALSE(options.layout.rbFramedVD);
    EXPECT_FALSE(options.layout.PanelVD);
    EXPECT_FALSE(options.layout.sbAllSheets);
    EXPECT_FALSE(options.layout.sbAllSheetsDoc);
    EXPECT_TRUE(options.layout.tsProtSheet1);
    EXPECT_TRUE(options.layout.tsProtEndSheet);

    LoadPageOptions(tank, DocKind::Protocol, 2, options);
    EXPECT_EQ(FrameButton::FramedVD, options.frame);
    EXPECT_EQ("p2 org1", options.edOrg1);
    EXPECT_TRUE(options.layout.PanelVD);
    EXPECT_FALSE(options.layout.PanelTitlePage);
    // The title page's entries stay as loaded; edAdd is loaded on the title page only.
    EXPECT_EQ("t sheet", options.edNazvanRez);
    tank.SetProtocolText(ProtocolTextId::Add_2, "Другое");
    LoadPageOptions(tank, DocKind::Protocol, 2, options);
    EXPECT_EQ("Дополнение", options.Protocol(ProtocolTextId::Add_2));
}

TEST(LoadPageOptions, TitlePageFrameAndPurposeOutsideTheirChoices)
{
    TSteelVertCylTank tank;
    tank.SetSheet(SheetKind::Protocol, 1, Record(2, 5, "t"));
    PageOptions options;
    options.frame = FrameButton::Framed;
    LoadPageOptions(tank, DocKind::Protocol, 1, options);
    EXPECT_EQ(FrameButton::Framed, options.frame); // a company frame is not offered there
    EXPECT_EQ(PurposeItem::Accounting, options.rgPredn);
}

} // namespace
} // namespace veloquin
