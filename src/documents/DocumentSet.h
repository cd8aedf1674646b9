#pragma once
// The printed document set of the one tank: protocol, calibration table and
// outline, in this order, and the current document and page. The main window
// chooses a document, the preview pages through the set, the print dialog and
// veloquin-cli turn page numbers of the whole set into (document, page).
//
// Pages of the calibration table are sheets: a girdle with more levels than
// one sheet holds takes continuation sheets (CalibrationSheets.h), and every
// page number of the set counts them.

#include "TankClasses.h"

namespace veloquin {

enum class DocKind
{
    Outline = 1,
    Calibration = 2,
    Protocol = 3
};

// Caption of the documents' messages and title of every print job.
extern const char* const kDocumentsTitle;
extern const char* const kPageNumberError; // "Ошибка определения номера страницы!"

struct DocumentSelection
{
    DocKind docKind = DocKind::Protocol;
    int curPage = 1;
    int docPageCount = 0; // 0 until a document was chosen
};

int PageCountOf(const TSteelVertCylTank& tank, DocKind kind);
// Pages of the whole set: protocol + calibration table + outline.
int DocumentSetPageCount(const TSteelVertCylTank& tank);

// The document and its first page; the page count follows the document.
void SelectDocument(const TSteelVertCylTank& tank, DocumentSelection& selection, DocKind kind);

// The number of the current page in the whole set.
int GlobalPageNumber(const TSteelVertCylTank& tank, const DocumentSelection& selection);
// Selects page n of the whole set. A number outside the set reports
// kPageNumberError (through ReportError) and changes nothing.
bool SelectGlobalPage(const TSteelVertCylTank& tank, DocumentSelection& selection, int n);

// The next and the previous page of the set, across documents; false (nothing
// changed) on the outline's last page and on the protocol's first page.
bool SelectNextPage(const TSteelVertCylTank& tank, DocumentSelection& selection);
bool SelectPreviousPage(const TSteelVertCylTank& tank, DocumentSelection& selection);

} // namespace veloquin
