#pragma once
// Which texts typed into the sheet options leave their place on the sheet (a
// cell of the title block or of a table, or the frame), so that the user can
// shorten them before printing. The pages are measured as the PDF draws them
// (A4 at kPdfDotsPerInch, no printer calibration), without pixels; a page
// draws every text all the same.

#include "Canvas.h"
#include "TankClasses.h"

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

// The pages that carry the texts the whole set shares, ascending, each once:
// the protocol's title page, its general data and its last page, the last
// calibration sheet (the chairman's signature) and the outline (its captions).
std::vector<int> SharedTextPages(const TSteelVertCylTank& tank);

} // namespace veloquin
