#include "DocumentSet.h"

#include "CalibrationSheets.h"
#include "ErrorReport.h"

namespace veloquin {

const char* const kDocumentsTitle = "Veloquin";
const char* const kPageNumberError = "Ошибка определения номера страницы!";

int PageCountOf(const TSteelVertCylTank& tank, DocKind kind)
{
    switch (kind) {
    case DocKind::Calibration: return CalibrationSheetCount(tank);
    case DocKind::Protocol: return tank.ProtocolSheetCount();
    case DocKind::Outline: break;
    }
    return 1;
}

int DocumentSetPageCount(const TSteelVertCylTank& tank)
{
    return PageCountOf(tank, DocKind::Protocol) + PageCountOf(tank, DocKind::Calibration) +
           PageCountOf(tank, DocKind::Outline);
}

void SelectDocument(const TSteelVertCylTank& tank, DocumentSelection& selection, DocKind kind)
{
    selection.docKind = kind;
    selection.docPageCount = PageCountOf(tank, kind);
    selection.curPage = 1;
}

int GlobalPageNumber(const TSteelVertCylTank& tank, const DocumentSelection& selection)
{
    switch (selection.docKind) {
    case DocKind::Protocol: return selection.curPage;
    case DocKind::Calibration: return PageCountOf(tank, DocKind::Protocol) + selection.curPage;
    case DocKind::Outline: break;
    }
    return PageCountOf(tank, DocKind::Protocol) + PageCountOf(tank, DocKind::Calibration) + selection.curPage;
}

bool SelectGlobalPage(const TSteelVertCylTank& tank, DocumentSelection& selection, int n)
{
    const int protocol = PageCountOf(tank, DocKind::Protocol);
    const int calibration = PageCountOf(tank, DocKind::Calibration);
    const int outline = PageCountOf(tank, DocKind::Outline);
    // Page 0 and below belong to no document either.
    if (n >= 1 && n <= protocol) {
        selection = {DocKind::Protocol, n, protocol};
    } else if (n > protocol && n <= protocol + calibration) {
        selection = {DocKind::Calibration, n - protocol, calibration};
    } else if (n > protocol + calibration && n <= protocol + calibration + outline) {
        selection = {DocKind::Outline, n - protocol - calibration, outline};
    } else {
        ReportError(kDocumentsTitle, kPageNumberError);
        return false;
    }
    return true;
}

bool SelectNextPage(const TSteelVertCylTank& tank, DocumentSelection& selection)
{
    if (selection.curPage + 1 <= selection.docPageCount) {
        ++selection.curPage;
        return true;
    }
    if (selection.docKind == DocKind::Outline)
        return false;
    const DocKind next = selection.docKind == DocKind::Protocol ? DocKind::Calibration : DocKind::Outline;
    SelectDocument(tank, selection, next);
    return true;
}

bool SelectPreviousPage(const TSteelVertCylTank& tank, DocumentSelection& selection)
{
    if (selection.curPage - 1 >= 1) {
        --selection.curPage;
        return true;
    }
    if (selection.docKind == DocKind::Protocol)
        return false;
    const DocKind previous = selection.docKind == DocKind::Outline ? DocKind::Calibration : DocKind::Protocol;
    selection.docKind = previous;
    selection.docPageCount = PageCountOf(tank, previous);
    selection.curPage = selection.docPageCount;
    return true;
}

} // namespace veloquin
