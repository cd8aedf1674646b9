#pragma once
// The options a page is drawn with, as the sheet options dialog holds them:
// one member per control that any page drawing reads, named after the
// control. The dialog edits this value (and writes each edit into the tank);
// the page drawing reads only this value, never the tank's sheet records.
//
// LoadPageOptions fills it from the tank for a page, as the dialog loads a
// page: what a page's record leaves undecided (a frame style outside 0..2, a
// title line count of 0, a company frame on the title page) stays as the page
// loaded before left it. A page is always drawn with its resolved options
// (PageOptionsResolver): its own record, and what that leaves undecided as if
// the set had been paged through from page 1 from the dialog's state at
// creation (PageOptions{}). So a page looks the same whichever page was shown
// or printed before it, alone or in a list.

#include "DocumentSet.h"
#include "TankClasses.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace veloquin {

// The checked one of rbUnFramed, rbFramed, rbFramedVD.
enum class FrameButton
{
    UnFramed,
    Framed,
    FramedVD
};

// The checked one of rb1Str ("Одна строка"), rb2Str ("Две строки").
enum class TitleLinesButton
{
    OneLine,
    TwoLines
};

// The selected item of rgPredn, the purpose of the table on the title page.
enum class PurposeItem
{
    OperationalControl = 0, // "оперативного контроля"
    Accounting = 1          // "учетно-расчетных операций"
};

// Which tabs and panels of the dialog the loaded page shows.
struct SheetOptionsLayout
{
    bool tsFrame = true;
    bool tsText = true;
    bool tsGraduirPodpis = true;
    bool tsProtSheet1 = true;
    bool tsProtEndSheet = true;
    bool rbFramedVD = true;
    bool PanelVD = true;
    bool sbAllSheets = true;
    bool sbAllSheetsDoc = true;
    bool PanelTitlePageTop = false;
    bool PanelTitlePage = false;
};

struct PageOptions
{
    // Frame and title block ("Рамка").
    FrameButton frame = FrameButton::UnFramed;
    TitleLinesButton titleLines = TitleLinesButton::TwoLines;
    std::string edOrg1, edOrg2, edDate, edObject, edSheet;
    std::string edTitle, edTitle_1, edTitle_2;
    std::string edWorker, edNameWorker;

    // The outline's free texts ("Надписи").
    bool cbTopCaption = false;
    std::string edTopCaption;
    bool cbBottomCaption = false;
    std::string edBottomCaption;

    // The chairman's signature on the calibration table.
    std::string edPredsCom, ed___, ed__y;

    // The protocol's title page (the slots of its sheet record).
    std::string edYtvDolgnoct_1, edYtvDolgnoct_2, edYtvFamilia, edYtvDate;
    std::string edNazvanRez, edOrg, edSrok, edPrKom_Dolgn, edPrKom_Famil;
    PurposeItem rgPredn = PurposeItem::Accounting;

    // The protocol's texts: the fourteen boxes of "Протокол Лист1", the eight of
    // "Протокол Посл. лист" and edAdd_1..edAdd_3, indexed by ProtocolTextId.
    std::array<std::string, kProtocolTextCount> protocolTexts;
    std::string& Protocol(ProtocolTextId id) { return protocolTexts[static_cast<std::size_t>(id)]; }
    const std::string& Protocol(ProtocolTextId id) const { return protocolTexts[static_cast<std::size_t>(id)]; }

    SheetOptionsLayout layout;
};

// The object name of the box a protocol text is typed in ("edRegNumber"), by
// which a page names the text when it does not fit its place.
std::string OptionBoxName(ProtocolTextId id);

// The one reading of the stored frame-style byte: nothing decided for a byte
// outside 0..2 (the page then keeps the frame of the page before it).
std::optional<FrameButton> DecodeFrameStyle(std::uint8_t stored);
std::uint8_t EncodeFrameStyle(FrameButton frame);

// The sheet record a page's options come from and its edits go to: the
// outline's, its girdle's for a calibration sheet, the protocol page's.
SheetKind SheetKindOf(DocKind kind);
int SheetRecordOf(const TSteelVertCylTank& tank, DocKind kind, int page);

// Fills the options (and the layout) from the tank for page `page` of `kind`.
void LoadPageOptions(const TSteelVertCylTank& tank, DocKind kind, int page, PageOptions& options);

// "Применить к листам текущего документа": the record of page `page` of
// `kind` goes to every sheet of its document. The protocol's title page keeps
// other entries in its slots: it never passes them on and is never
// overwritten. The outline has its one sheet. False when there was nothing to
// apply (the outline, the title page).
bool ApplySheetToDocument(TSteelVertCylTank& tank, DocKind kind, int page);

// "Применить ко всем листам": the frame style, title block and title of the
// options shown go to every sheet of the set but the protocol's title page,
// each keeping its other slots. One title line leaves every sheet's second
// title line as it is.
void ApplyToAllSheets(TSteelVertCylTank& tank, const PageOptions& shown);

// The resolved options of pages of the whole set (numbers from 1). Asking in
// ascending order costs one load per page; asking for an earlier page starts
// again from page 1. Holds the tank's sheet plan: make a new one after the
// tank changed.
class PageOptionsResolver
{
public:
    explicit PageOptionsResolver(const TSteelVertCylTank& tank);
    // The options of page `globalPage`; the creation state for a number outside the set.
    const PageOptions& At(int globalPage);
    int PageCount() const { return static_cast<int>(m_pages.size()); }

private:
    struct SetPage
    {
        DocKind kind;
        int page;
        int record;
    };
    const TSteelVertCylTank& m_tank;
    std::vector<SetPage> m_pages;
    PageOptions m_options;
    int m_loaded = 0; // the page m_options holds; 0 for the creation state
};

// One page's resolved options.
PageOptions ResolvedPageOptions(const TSteelVertCylTank& tank, int globalPage);

} // namespace veloquin
