// Texts typed into the sheet options that leave their place on the sheet: which
// are found, on which page, by how much (measured against the drawn page), and
// the rules that pass one sheet's options on to others.

#include "DocumentsTestSupport.h"
#include "GFunc.h"
#include "PagePrinting.h"
#include "PagePainter.h"
#include "PageTextFit.h"
#include "TankFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace veloquin {
namespace {

const std::string kLongPosition = "Главный метролог ООО «Топливная компания»";

// The widest overflow of each box on `page`.
std::map<std::string, double> OverflowsOn(const TSteelVertCylTank& tank, int page)
{
    std::map<std::string, double> found;
    for (const PageOverflow& overflow : OptionTextOverflows(tank, {page})) {
        EXPECT_EQ(page, overflow.page);
        found[overflow.overflow.field] = std::max(found[overflow.overflow.field], overflow.overflow.byMm);
    }
    return found;
}

// Page `page` of the set as the PDF draws it, recorded.
test::DrawnPage DrawnAsPdf(const TSteelVertCylTank& tank, int page)
{
    test::DrawnPage drawn(test::kPdfDpi);
    drawn.geometry = test::PdfA4();
    DocumentRenderer renderer(tank);
    renderer.Draw(drawn.canvas, drawn.geometry, page);
    return drawn;
}

int LastTableSheet(const TSteelVertCylTank& tank)
{
    return DocumentSetPageCount(tank) - 1;
}

TEST(OptionTextOverflows, ALongSignatureIsMeasuredToTheFrameAsTheSheetShowsIt)
{
    TSteelVertCylTank tank;
    tank.SetPredsCom("Председатель");
    tank.SetPredsComLine2(kLongPosition);
    const int page = LastTableSheet(tank);
    const std::map<std::string, double> found = OverflowsOn(tank, page);
    ASSERT_EQ(1u, found.size());
    ASSERT_EQ(1u, found.count("ed___"));

    // As far as the drawn text reaches beyond the frame's right side.
    const test::DrawnPage drawn = DrawnAsPdf(tank, page);
    const std::vector<RecordedText> texts = drawn.TextsOf(QString::fromStdString(kLongPosition));
    ASSERT_EQ(1u, texts.size());
    EXPECT_NEAR(drawn.RightMm(texts[0]) - kFrameRightMm, found.at("ed___"), 0.05);
    EXPECT_GT(found.at("ed___"), 5.0);

    // Only where it is drawn: the other sheets carry no signature.
    EXPECT_TRUE(OverflowsOn(tank, page - 1).empty());
}

TEST(OptionTextOverflows, FrameTextsCountOnlyOnAPageWhoseTitleBlockIsDrawn)
{
    TSteelVertCylTank tank;
    const int protocolPages = tank.ProtocolSheetCount();
    SheetSettings sheet = tank.Sheet(SheetKind::Calibration, 1);
    sheet.Org1 = "Акционерное общество «Нефтебаза Северо-Западного региона»";
    sheet.Org2 = "ЦСМ";
    sheet.Worker = std::string(70, 'W');
    sheet.NameWorker = "Иванов И.И.";
    sheet.FrameStyle = 1; // a plain frame: no title block
    tank.SetSheet(SheetKind::Calibration, 1, sheet);
    EXPECT_TRUE(OverflowsOn(tank, protocolPages + 1).empty());

    sheet.FrameStyle = 2;
    tank.SetSheet(SheetKind::Calibration, 1, sheet);
    const std::map<std::string, double> found = OverflowsOn(tank, protocolPages + 1);
    EXPECT_EQ((std::vector<std::string>{"edOrg1", "edWorker"}),
              (std::vector<std::string>{found.begin()->first, std::next(found.begin())->first}));
    ASSERT_EQ(2u, found.size());

    // A centred text spills over both sides of its cell: by its width less the cell's.
    const test::DrawnPage drawn = DrawnAsPdf(tank, protocolPages + 1);
    const RecordedText org = drawn.TextsOf(QString::fromStdString(sheet.Org1)).at(0);
    EXPECT_NEAR(drawn.RightMm(org) - drawn.LeftMm(org) - (112.5 - kFrameLeftMm), found.at("edOrg1"), 0.05);
    // The worker's place ends where his name begins.
    const RecordedText worker = drawn.TextsOf(QString::fromStdString(sheet.Worker)).at(0);
    EXPECT_NEAR(drawn.RightMm(worker) - 145, found.at("edWorker"), 0.05);
}

TEST(OptionTextOverflows, ProtocolTextsAreMeasuredInTheirCells)
{
    TSteelVertCylTank tank;
    tank.SetProtocolText(ProtocolTextId::RegNumber, "Рег. № 2026/000123-ЮЗ/СЗ"); // a 33 mm cell
    tank.SetProtocolText(ProtocolTextId::Year, "2026");                      // fits
    tank.SetProtocolText(ProtocolTextId::Dolgnost_2, kLongPosition);          // a 65 mm column
    tank.SetProtocolText(ProtocolTextId::Familia_2, "Константинопольский К.К."); // a 50 mm column
    const std::map<std::string, double> generalData = OverflowsOn(tank, 2);
    EXPECT_EQ(1u, generalData.size());
    EXPECT_EQ(1u, generalData.count("edRegNumber"));
    const std::map<std::string, double> signatures = OverflowsOn(tank, tank.ProtocolSheetCount());
    EXPECT_EQ(1u, signatures.count("edDolgnost_2"));
    EXPECT_EQ(0u, signatures.count("edFamilia_2"));
}

TEST(OptionTextOverflows, TheTitlePageMeasuresAValueAfterItsLabel)
{
    TSteelVertCylTank tank;
    SheetSettings title = tank.Sheet(SheetKind::Protocol, 1);
    title.Title = "Общество с ограниченной ответственностью «Топливная компания Северо-Запад»"; // edOrg
    title.Title_2 = "2031";                                                                     // edSrok
    tank.SetSheet(SheetKind::Protocol, 1, title);
    const std::map<std::string, double> found = OverflowsOn(tank, 1);
    ASSERT_EQ(1u, found.size());
    EXPECT_GT(found.at("edOrg"), 20.0);
}

TEST(OptionTextOverflows, SamplesAsTheyStand)
{
    // Short texts as a metrologist types them: nothing is marked on any page.
    for (const auto& entry : std::filesystem::directory_iterator(VELOQUIN_SAMPLES_DIR)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".vlq" || name.find("resaved") != std::string::npos || name.rfind("short_", 0) == 0)
            continue;
        const LoadedTank loaded = LoadTankFile(entry.path().string());
        const std::vector<PageOverflow> found = OptionTextOverflows(loaded.tank, AllPages(loaded.tank));
        for (const PageOverflow& overflow : found)
            ADD_FAILURE() << name << " page " << overflow.page << ": " << overflow.overflow.field << " by "
                          << overflow.overflow.byMm << " mm";
    }
}

TEST(UnfitTexts, OneEntryPerTextWithEveryPageItIsOnItsWidestOverflowAndWhereItLies)
{
    TSteelVertCylTank tank;
    const int protocolPages = tank.ProtocolSheetCount();
    tank.SetProtocolText(ProtocolTextId::RegNumber, "Рег. № 2026/000123-ЮЗ/СЗ");
    // The same too long worker on three table sheets, longest on the last.
    for (int sheet = 1; sheet <= 3; ++sheet) {
        SheetSettings settings = tank.Sheet(SheetKind::Calibration, sheet);
        settings.FrameStyle = 2;
        settings.Worker = std::string(static_cast<std::size_t>(60 + sheet), 'W');
        tank.SetSheet(SheetKind::Calibration, sheet, settings);
    }
    const std::vector<int> pages = {protocolPages + 3, protocolPages + 1, 2, protocolPages + 2, 2, 1};
    const std::vector<UnfitText> texts = UnfitTexts(tank, pages);
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ("edRegNumber", texts[0].field);
    EXPECT_EQ((std::vector<int>{2}), texts[0].pages);
    EXPECT_EQ("Регистр. номер", texts[0].label.name);
    EXPECT_EQ("Протокол Лист1", texts[0].label.tab);
    EXPECT_EQ("edWorker", texts[1].field);
    EXPECT_EQ((std::vector<int>{protocolPages + 1, protocolPages + 2, protocolPages + 3}), texts[1].pages);
    const std::map<std::string, double> last = OverflowsOn(tank, protocolPages + 3);
    EXPECT_DOUBLE_EQ(last.at("edWorker"), texts[1].byMm);
    EXPECT_GT(texts[1].byMm, OverflowsOn(tank, protocolPages + 1).at("edWorker"));
    // A page without them, or none at all, names nothing.
    EXPECT_TRUE(UnfitTexts(tank, {1, 3}).empty());
    EXPECT_TRUE(UnfitTexts(tank, {}).empty());

    // Where the text lies, as the page draws it: what the preview marks.
    const test::DrawnPage drawn = DrawnAsPdf(tank, 2);
    const RecordedText reg = drawn.TextsOf(QString::fromStdString("Рег. № 2026/000123-ЮЗ/СЗ")).at(0);
    const std::vector<PageOverflow> found = OptionTextOverflows(tank, {2});
    ASSERT_EQ(1u, found.size());
    const TextOverflow& box = found[0].overflow;
    EXPECT_NEAR(drawn.LeftMm(reg), box.leftMm, 0.05);
    EXPECT_NEAR(drawn.RightMm(reg), box.rightMm, 0.05);
    EXPECT_NEAR(drawn.TopMm(reg), box.topMm, 0.05);
    EXPECT_GT(box.bottomMm, box.topMm + 1);
    EXPECT_NEAR(box.rightMm - box.placeRightMm + std::max(0.0, box.placeLeftMm - box.leftMm), box.byMm, 0.05);
}

TEST(UnfitTexts, LinesNameTheTextItsTabPagesAndMillimetresRoundedUp)
{
    const char separator = GetDecimalSeparator();
    SetDecimalSeparator(',');
    EXPECT_EQ("2, 5–7, 9, 10", PageRangesText({2, 5, 6, 7, 9, 10}));
    EXPECT_EQ("", PageRangesText({}));
    EXPECT_EQ("0,1", OverflowMmText(0.04));
    EXPECT_EQ("19,9", OverflowMmText(19.9));
    EXPECT_EQ("20,0", OverflowMmText(19.91));
    UnfitText text{"ed___", OptionTextLabelOf("ed___"), {14}, 12.31};
    EXPECT_EQ("«Строка 2» («Подпись предс. комиссии»), стр. 14: на 12,4 мм", UnfitTextLine(text));
    // A name no box has is shown as it is, never dropped.
    text = UnfitText{"edUnknown", OptionTextLabelOf("edUnknown"), {3, 4}, 1};
    EXPECT_EQ("«edUnknown», стр. 3, 4: на 1,0 мм", UnfitTextLine(text));
    SetDecimalSeparator(separator);
}

TEST(SharedTextPages, TitleGeneralDataLastProtocolPageLastTableSheetAndOutline)
{
    TSteelVertCylTank tank;
    const int protocolPages = tank.ProtocolSheetCount();
    const int setPages = DocumentSetPageCount(tank);
    EXPECT_EQ((std::vector<int>{1, 2, protocolPages, setPages - 1, setPages}), SharedTextPages(tank));
}

SheetSettings Tagged(const std::string& tag, std::uint8_t frame, std::uint8_t lines)
{
    SheetSettings sheet;
    sheet.FrameStyle = frame;
    sheet.TitleLines = lines;
    sheet.Org1 = tag + " org1";
    sheet.Title = tag + " title";
    sheet.Title_2 = tag + " title2";
    sheet.Worker = tag + " worker";
    return sheet;
}

std::string Tag(SheetKind kind, int page)
{
    const char* const name = kind == SheetKind::Outline ? "outline" : kind == SheetKind::Calibration ? "table" : "protocol";
    return name + std::string("/") + std::to_string(page);
}

void TagEverySheet(TSteelVertCylTank& tank)
{
    for (SheetKind kind : {SheetKind::Outline, SheetKind::Calibration, SheetKind::Protocol})
        for (int page = 1; page <= tank.SheetCount(kind); ++page)
            tank.SetSheet(kind, page, Tagged(Tag(kind, page), 0, 2));
}

TEST(ApplySheetToDocument, CopiesOneRecordOverItsDocumentButNeverTheTitlePage)
{
    TSteelVertCylTank tank;
    TagEverySheet(tank);
    const SheetSettings titlePage = tank.Sheet(SheetKind::Protocol, 1);
    const SheetSettings outline = tank.Sheet(SheetKind::Outline, 1);
    EXPECT_FALSE(ApplySheetToDocument(tank, DocKind::Protocol, 1));
    EXPECT_FALSE(ApplySheetToDocument(tank, DocKind::Outline, 1));
    EXPECT_TRUE(tank.Sheet(SheetKind::Outline, 1) == outline);

    ASSERT_TRUE(ApplySheetToDocument(tank, DocKind::Protocol, 3));
    const SheetSettings third = tank.Sheet(SheetKind::Protocol, 3);
    EXPECT_EQ("protocol/3 org1", third.Org1);
    for (int page = 2; page <= tank.SheetCount(SheetKind::Protocol); ++page)
        EXPECT_TRUE(tank.Sheet(SheetKind::Protocol, page) == third) << page;
    EXPECT_TRUE(tank.Sheet(SheetKind::Protocol, 1) == titlePage);
    EXPECT_EQ("table/1 org1", tank.Sheet(SheetKind::Calibration, 1).Org1);
}

TEST(ApplyToAllSheets, OneTitleLineLeavesEverySecondLineAndTheTitlePageAlone)
{
    TSteelVertCylTank tank;
    TagEverySheet(tank);
    const SheetSettings titlePage = tank.Sheet(SheetKind::Protocol, 1);
    PageOptions shown;
    shown.frame = FrameButton::FramedVD;
    shown.titleLines = TitleLinesButton::OneLine;
    shown.edTitle = "Градуировочная таблица";
    shown.edTitle_1 = "never used with one line";
    shown.edOrg1 = "ЦСМ";
    ApplyToAllSheets(tank, shown);
    for (SheetKind kind : {SheetKind::Outline, SheetKind::Calibration, SheetKind::Protocol}) {
        for (int page = kind == SheetKind::Protocol ? 2 : 1; page <= tank.SheetCount(kind); ++page) {
            const SheetSettings sheet = tank.Sheet(kind, page);
            EXPECT_EQ(2, sheet.FrameStyle);
            EXPECT_EQ(1, sheet.TitleLines);
            EXPECT_EQ("ЦСМ", sheet.Org1);
            EXPECT_EQ("Градуировочная таблица", sheet.Title);
            EXPECT_EQ(Tag(kind, page) + " title2", sheet.Title_2);
        }
    }
    EXPECT_TRUE(tank.Sheet(SheetKind::Protocol, 1) == titlePage);

    shown.titleLines = TitleLinesButton::TwoLines;
    shown.edTitle_2 = "второй строкой";
    ApplyToAllSheets(tank, shown);
    EXPECT_EQ("never used with one line", tank.Sheet(SheetKind::Calibration, 2).Title);
    EXPECT_EQ("второй строкой", tank.Sheet(SheetKind::Outline, 1).Title_2);
}

} // namespace
} // namespace veloquin
