#pragma once
// Which texts typed into the sheet options leave their place on the sheet (a
// cell of the title block or of a table, or the frame), so that the user can
// shorten them before printing. The pages are measured as the PDF draws them
// (A4 at kPdfDotsPerInch, no printer calibration), without pixels; a page
// draws every text all the same.

#include "Canvas.h"
#include "DocumentSet.h"
#include "PageOptions.h"
#include "TankClasses.h"

#include <string>
#include <vector>

namespace veloquin {

struct PageOverflow
{
    int page = 0; // of the whole set
    TextOverflow overflow;
};

// The option texts of pages `pages` of the whole set (each drawn with its
// resolved options) that do not fit their place; a number outside the set is
// skipped.
std::vector<PageOverflow> OptionTextOverflows(const TSteelVertCylTank& tank, const std::vector<int>& pages);

// The option texts of one page drawn with `options` that do not fit, measured
// as the PDF draws it; the renderer's tank is the page's.
class DocumentRenderer;
std::vector<TextOverflow> PageOptionTextOverflows(DocumentRenderer& renderer, const PageOptions& options, DocKind kind,
                                                  int page);

// A text of the sheet options as the user finds it: the tab it is typed on and
// its name there ("Протокол Лист1", "Регистр. номер"). Empty for a name no box has.
struct OptionTextLabel
{
    std::string tab;
    std::string name;
};
OptionTextLabel OptionTextLabelOf(const std::string& field);

// One text that does not fit, on every page of a job that carries it.
struct UnfitText
{
    std::string field; // the object name of its box
    OptionTextLabel label;
    std::vector<int> pages; // of the whole set, ascending
    double byMm = 0;        // the widest it leaves its place by
};

// The texts pages `pages` of the set carry that do not fit their place, in
// the order of the first page each is on: what printing or exporting those
// pages would put across a cell, the frame or the sheet's edge.
std::vector<UnfitText> UnfitTexts(const TSteelVertCylTank& tank, const std::vector<int>& pages);

// "«Регистр. номер» («Протокол Лист1»), стр. 2: на 4,1 мм", the millimetres
// rounded up to a tenth (0.04 mm too wide is never "0,0").
std::string UnfitTextLine(const UnfitText& text);
// "2, 5–7, 9".
std::string PageRangesText(const std::vector<int>& pages);
// A tenth of a millimetre, rounded up, with the decimal separator.
std::string OverflowMmText(double byMm);

// The pages that carry the texts the whole set shares, ascending, each once:
// the protocol's title page, its general data and its last page, the last
// calibration sheet (the chairman's signature) and the outline (its captions).
std::vector<int> SharedTextPages(const TSteelVertCylTank& tank);

} // namespace veloquin
