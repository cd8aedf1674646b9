#pragma once
// Where the text of each edit box of the sheet options dialog lives: the member
// of the page options the drawing reads, and the tank field every keystroke is
// written to. One table, so that the dialog builds, loads and writes its boxes
// the same way and no box writes a field of another.

#include "DocumentSet.h"
#include "PageOptions.h"
#include "TankClasses.h"

#include <string>
#include <vector>

namespace veloquin {

enum class TextHome
{
    PageSheet,  // a slot of the current page's sheet record
    TitlePage,  // a slot of the protocol's title page record, whatever the page
    TopCaption, // the outline's text above the drawing
    BottomCaption,
    PredsCom, // the chairman's signature on the calibration table
    PredsComLine2,
    PredsComLine3,
    Protocol // one of the protocol's texts
};

struct SheetOptionText
{
    std::string control; // object name of the edit box
    TextHome home = TextHome::PageSheet;
    SheetField field = SheetField::Org1;                 // PageSheet, TitlePage
    std::string PageOptions::*option = nullptr;          // all but Protocol
    ProtocolTextId protocol = ProtocolTextId::RegNumber; // Protocol
};

const std::vector<SheetOptionText>& SheetOptionTexts();

std::string& OptionText(PageOptions& options, const SheetOptionText& text);
// Writes the text into its tank field; the tank raises Modified only for a new value.
void StoreOptionText(TSteelVertCylTank& tank, const DocumentSelection& selection, const SheetOptionText& text,
                     const std::string& value);

} // namespace veloquin
