#pragma once
// Pages of the document set into a PDF file from the main window ("Файл →
// Экспорт в PDF…"): the whole set, one document or a page list, drawn as the
// print dialog's "Файл PDF…" draws them (the exact sheet, no printer
// calibration). The file name offered is the tank's.

#include "PageTextFit.h"

#include <QString>

#include <functional>
#include <vector>

class QMainWindow;
class QMenu;
class QWidget;

namespace veloquin {

struct AppContext;

// The tank's name made fit for a file name (as Save As proposes it), ".pdf"
// added, in the folder of the tank's file; the file's own name when the tank's
// name leaves nothing usable.
QString SuggestedPdfName(const AppContext& context);

// "Записано в файл PDF «…»: 6 л.", the path shortened to what a message quotes.
QString PdfWrittenText(const QString& path, int sheets);

// What "Экспорт в PDF…" writes: the whole set, one document, or a page list.
enum class PdfExportChoice
{
    WholeSet,
    Protocol,
    CalibrationTable,
    Outline,
    PageList
};
// The pages of the set for a choice (the text is read for PageList only);
// false for a page list the print dialog would refuse, with why in `refusal`.
bool PdfExportPages(const AppContext& context, PdfExportChoice choice, const QString& pageList,
                    std::vector<int>& pages, QString* refusal = nullptr);

// Where the user goes to shorten a text that does not fit, instead of exporting.
using GoToUnfitText = std::function<void(const UnfitText& text)>;

// Asks what to export and where, writes the file and says what went wrong.
// Pages that carry a text that does not fit its place are named first, and
// the user may go to the first of them (goTo) instead.
void ExportPdf(QWidget* parent, AppContext& context, const GoToUnfitText& goTo = {});
// "Экспорт в PDF…" (acExportPdf) into the menu.
void AddPdfExportCommand(QMainWindow& window, QMenu& menu, AppContext& context, const GoToUnfitText& goTo = {});

} // namespace veloquin
