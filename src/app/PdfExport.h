#pragma once
// Pages of the document set into a PDF file from the main window ("Файл →
// Экспорт в PDF…"): the whole set, one document or a page list, drawn as the
// print dialog's "Файл PDF…" draws them (the exact sheet, no printer
// calibration). The file name offered is the tank's.

#include <QString>

class QWidget;

namespace veloquin {

struct AppContext;

// The tank's file name with ".pdf" in place of its extension, in its folder.
QString SuggestedPdfName(const AppContext& context);

} // namespace veloquin
