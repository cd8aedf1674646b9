#include "SheetOptionTexts.h"

namespace veloquin {
namespace {

std::vector<SheetOptionText> BuildTexts()
{
    std::vector<SheetOptionText> texts = {
        {"edOrg1", TextHome::PageSheet, SheetField::Org1, &PageOptions::edOrg1},
        {"edOrg2", TextHome::PageSheet, SheetField::Org2, &PageOptions::edOrg2},
        {"edDate", TextHome::PageSheet, SheetField::Date, &PageOptions::edDate},
        {"edObject", TextHome::PageSheet, SheetField::Object, &PageOptions::edObject},
        {"edSheet", TextHome::PageSheet, SheetField::Sheet, &PageOptions::edSheet},
        // Both title boxes edit the one title of the page.
        {"edTitle", TextHome::PageSheet, SheetField::Title, &PageOptions::edTitle},
        {"edTitle_1", TextHome::PageSheet, SheetField::Title, &PageOptions::edTitle_1},
        {"edTitle_2", TextHome::PageSheet, SheetField::Title_2, &PageOptions::edTitle_2},
        {"edWorker", TextHome::PageSheet, SheetField::Worker, &PageOptions::edWorker},
        {"edNameWorker", TextHome::PageSheet, SheetField::NameWorker, &PageOptions::edNameWorker},
        // The title page keeps its own entries in the slots of its record.
        {"edYtvDolgnoct_1", TextHome::TitlePage, SheetField::Org1, &PageOptions::edYtvDolgnoct_1},
        {"edYtvDolgnoct_2", TextHome::TitlePage, SheetField::Org2, &PageOptions::edYtvDolgnoct_2},
        {"edYtvFamilia", TextHome::TitlePage, SheetField::Date, &PageOptions::edYtvFamilia},
        {"edYtvDate", TextHome::TitlePage, SheetField::Object, &PageOptions::edYtvDate},
        {"edNazvanRez", TextHome::TitlePage, SheetField::Sheet, &PageOptions::edNazvanRez},
        {"edOrg", TextHome::TitlePage, SheetField::Title, &PageOptions::edOrg},
        {"edSrok", TextHome::TitlePage, SheetField::Title_2, &PageOptions::edSrok},
        {"edPrKom_Dolgn", TextHome::TitlePage, SheetField::Worker, &PageOptions::edPrKom_Dolgn},
        {"edPrKom_Famil", TextHome::TitlePage, SheetField::NameWorker, &PageOptions::edPrKom_Famil},
        {"edTopCaption", TextHome::TopCaption, SheetField::Org1, &PageOptions::edTopCaption},
        {"edBottomCaption", TextHome::BottomCaption, SheetField::Org1, &PageOptions::edBottomCaption},
        {"edPredsCom", TextHome::PredsCom, SheetField::Org1, &PageOptions::edPredsCom},
        {"ed___", TextHome::PredsComLine2, SheetField::Org1, &PageOptions::ed___},
        {"ed__y", TextHome::PredsComLine3, SheetField::Org1, &PageOptions::ed__y},
    };
    // The protocol's boxes are named after their fields.
    for (int i = 0; i < kProtocolTextCount; ++i) {
        const auto id = static_cast<ProtocolTextId>(i);
        texts.push_back({OptionBoxName(id), TextHome::Protocol, SheetField::Org1, nullptr, id});
    }
    return texts;
}

} // namespace

const std::vector<SheetOptionText>& SheetOptionTexts()
{
    static const std::vector<SheetOptionText> texts = BuildTexts();
    return texts;
}

std::string& OptionText(PageOptions& options, const SheetOptionText& text)
{
    if (text.home == TextHome::Protocol)
        return options.Protocol(text.protocol);
    return options.*text.option;
}

void StoreOptionText(TSteelVertCylTank& tank, const DocumentSelection& selection, const SheetOptionText& text,
                     const std::string& value)
{
    switch (text.home) {
    case TextHome::PageSheet:
        tank.SetSheetText(SheetKindOf(selection.docKind), SheetRecordOf(tank, selection.docKind, selection.curPage),
                          text.field, value);
        break;
    case TextHome::TitlePage: tank.SetSheetText(SheetKind::Protocol, 1, text.field, value); break;
    case TextHome::TopCaption: tank.SetTopCaption(value); break;
    case TextHome::BottomCaption: tank.SetBottomCaption(value); break;
    case TextHome::PredsCom: tank.SetPredsCom(value); break;
    case TextHome::PredsComLine2: tank.SetPredsComLine2(value); break;
    case TextHome::PredsComLine3: tank.SetPredsComLine3(value); break;
    case TextHome::Protocol: tank.SetProtocolText(text.protocol, value); break;
    }
}

} // namespace veloquin
