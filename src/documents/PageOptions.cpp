#include "PageOptions.h"

#include "CalibrationSheets.h"

namespace veloquin {

std::string OptionBoxName(ProtocolTextId id)
{
    return std::string("ed") + ProtocolTextName(id);
}

namespace {

// The frame and title block of a record; what the record leaves undecided stays.
void LoadFrameAndTitle(const SheetSettings& sheet, PageOptions& options)
{
    if (const std::optional<FrameButton> frame = DecodeFrameStyle(sheet.FrameStyle))
        options.frame = *frame;
    options.edOrg1 = sheet.Org1;
    options.edOrg2 = sheet.Org2;
    options.edDate = sheet.Date;
    options.edObject = sheet.Object;
    options.edSheet = sheet.Sheet;
    if (sheet.TitleLines == 1)
        options.titleLines = TitleLinesButton::OneLine;
    else if (sheet.TitleLines == 2)
        options.titleLines = TitleLinesButton::TwoLines;
    options.edTitle = sheet.Title;
    options.edTitle_1 = sheet.Title;
    options.edTitle_2 = sheet.Title_2;
    options.edWorker = sheet.Worker;
    options.edNameWorker = sheet.NameWorker;
}

void LoadTitlePage(const TSteelVertCylTank& tank, PageOptions& options)
{
    const SheetSettings sheet = tank.Sheet(SheetKind::Protocol, 1);
    // Only plain and no frame are offered here; a company frame stays as it was.
    const std::optional<FrameButton> frame = DecodeFrameStyle(sheet.FrameStyle);
    if (frame && *frame != FrameButton::FramedVD)
        options.frame = *frame;
    options.edYtvDolgnoct_1 = sheet.Org1;
    options.edYtvDolgnoct_2 = sheet.Org2;
    options.edYtvFamilia = sheet.Date;
    options.edYtvDate = sheet.Object;
    options.edNazvanRez = sheet.Sheet;
    // A radio group given an index past its last item selects the last one.
    options.rgPredn = sheet.TitleLines == 0 ? PurposeItem::OperationalControl : PurposeItem::Accounting;
    options.edOrg = sheet.Title;
    options.edSrok = sheet.Title_2;
    options.edPrKom_Dolgn = sheet.Worker;
    options.edPrKom_Famil = sheet.NameWorker;
    for (ProtocolTextId id : {ProtocolTextId::Add_1, ProtocolTextId::Add_2, ProtocolTextId::Add_3})
        options.Protocol(id) = tank.ProtocolText(id);
}

void ShowTabs(SheetOptionsLayout& layout, DocKind kind)
{
    layout.tsFrame = true;
    layout.tsText = kind == DocKind::Outline;
    layout.tsGraduirPodpis = kind == DocKind::Calibration;
    layout.tsProtSheet1 = kind == DocKind::Protocol;
    layout.tsProtEndSheet = kind == DocKind::Protocol;
}

void ShowFramePanels(SheetOptionsLayout& layout, bool titlePage, bool applyToDocument)
{
    layout.rbFramedVD = !titlePage;
    layout.PanelVD = !titlePage;
    layout.sbAllSheets = !titlePage;
    layout.sbAllSheetsDoc = !titlePage && applyToDocument;
    layout.PanelTitlePageTop = titlePage;
    layout.PanelTitlePage = titlePage;
}

void LoadRecordOptions(const TSteelVertCylTank& tank, DocKind kind, int page, int record, PageOptions& options)
{
    SheetOptionsLayout& layout = options.layout;
    ShowTabs(layout, kind);
    switch (kind) {
    case DocKind::Outline:
        ShowFramePanels(layout, false, false);
        LoadFrameAndTitle(tank.Sheet(SheetKind::Outline, 1), options);
        options.cbTopCaption = tank.TopCaptionShown();
        options.edTopCaption = tank.TopCaption();
        options.cbBottomCaption = tank.BottomCaptionShown();
        options.edBottomCaption = tank.BottomCaption();
        break;
    case DocKind::Calibration:
        ShowFramePanels(layout, false, true);
        LoadFrameAndTitle(tank.Sheet(SheetKind::Calibration, record), options);
        options.edPredsCom = tank.PredsCom();
        options.ed___ = tank.PredsComLine2();
        options.ed__y = tank.PredsComLine3();
        break;
    case DocKind::Protocol:
        ShowFramePanels(layout, page == 1, true);
        if (page == 1)
            LoadTitlePage(tank, options);
        else
            LoadFrameAndTitle(tank.Sheet(SheetKind::Protocol, page), options);
        for (int i = 0; i <= static_cast<int>(ProtocolTextId::Familia_4); ++i) {
            const auto id = static_cast<ProtocolTextId>(i);
            options.Protocol(id) = tank.ProtocolText(id);
        }
        break;
    }
}

} // namespace

std::optional<FrameButton> DecodeFrameStyle(std::uint8_t stored)
{
    switch (stored) {
    case 0: return FrameButton::UnFramed;
    case 1: return FrameButton::Framed;
    case 2: return FrameButton::FramedVD;
    default: return std::nullopt;
    }
}

std::uint8_t EncodeFrameStyle(FrameButton frame)
{
    switch (frame) {
    case FrameButton::Framed: return 1;
    case FrameButton::FramedVD: return 2;
    case FrameButton::UnFramed: break;
    }
    return 0;
}

SheetKind SheetKindOf(DocKind kind)
{
    switch (kind) {
    case DocKind::Calibration: return SheetKind::Calibration;
    case DocKind::Protocol: return SheetKind::Protocol;
    case DocKind::Outline: break;
    }
    return SheetKind::Outline;
}

int SheetRecordOf(const TSteelVertCylTank& tank, DocKind kind, int page)
{
    switch (kind) {
    case DocKind::Calibration: return CalibrationSheetAt(tank, page).girdle;
    case DocKind::Protocol: return page;
    case DocKind::Outline: break;
    }
    return 1;
}

void LoadPageOptions(const TSteelVertCylTank& tank, DocKind kind, int page, PageOptions& options)
{
    LoadRecordOptions(tank, kind, page, SheetRecordOf(tank, kind, page), options);
}

PageOptionsResolver::PageOptionsResolver(const TSteelVertCylTank& tank) : m_tank(tank)
{
    const int protocolPages = tank.ProtocolSheetCount();
    for (int page = 1; page <= protocolPages; ++page)
        m_pages.push_back({DocKind::Protocol, page, page});
    int sheet = 0;
    for (const CalibrationSheet& calibration : CalibrationSheetPlan(tank))
        m_pages.push_back({DocKind::Calibration, ++sheet, calibration.girdle});
    m_pages.push_back({DocKind::Outline, 1, 1});
}

const PageOptions& PageOptionsResolver::At(int globalPage)
{
    if (globalPage < 1 || globalPage > PageCount() || globalPage < m_loaded) {
        m_options = PageOptions{};
        m_loaded = 0;
    }
    if (globalPage < 1 || globalPage > PageCount())
        return m_options;
    while (m_loaded < globalPage) {
        const SetPage& next = m_pages[static_cast<std::size_t>(m_loaded)];
        LoadRecordOptions(m_tank, next.kind, next.page, next.record, m_options);
        ++m_loaded;
    }
    return m_options;
}

PageOptions ResolvedPageOptions(const TSteelVertCylTank& tank, int globalPage)
{
    PageOptionsResolver resolver(tank);
    return resolver.At(globalPage);
}

bool ApplySheetToDocument(TSteelVertCylTank& tank, DocKind kind, int page)
{
    const int record = SheetRecordOf(tank, kind, page);
    const bool protocol = kind == DocKind::Protocol;
    if (kind == DocKind::Outline || (protocol && record == 1))
        return false;
    const SheetKind sheets = SheetKindOf(kind);
    const SheetSettings source = tank.Sheet(sheets, record);
    for (int sheet = protocol ? 2 : 1; sheet <= tank.SheetCount(sheets); ++sheet)
        tank.SetSheet(sheets, sheet, source);
    return true;
}

void ApplyToAllSheets(TSteelVertCylTank& tank, const PageOptions& shown)
{
    const bool oneLine = shown.titleLines == TitleLinesButton::OneLine;
    const auto apply = [&](SheetSettings sheet) {
        sheet.FrameStyle = EncodeFrameStyle(shown.frame);
        sheet.Org1 = shown.edOrg1;
        sheet.Org2 = shown.edOrg2;
        sheet.Date = shown.edDate;
        sheet.Object = shown.edObject;
        sheet.Sheet = shown.edSheet;
        sheet.Worker = shown.edWorker;
        sheet.NameWorker = shown.edNameWorker;
        sheet.TitleLines = oneLine ? 1 : 2;
        sheet.Title = oneLine ? shown.edTitle : shown.edTitle_1;
        if (!oneLine)
            sheet.Title_2 = shown.edTitle_2;
        return sheet;
    };
    const std::pair<SheetKind, int> firstSheets[] = {
        {SheetKind::Protocol, 2}, {SheetKind::Calibration, 1}, {SheetKind::Outline, 1}};
    for (const auto& [kind, first] : firstSheets) {
        for (int sheet = first; sheet <= tank.SheetCount(kind); ++sheet)
            tank.SetSheet(kind, sheet, apply(tank.Sheet(kind, sheet)));
    }
}

} // namespace veloquin
