#pragma once
// The measurement protocol's pages: the title page that presents the
// calibration table, then the numbered sections with their ruled tables of the
// field measurements (general data, the first girdle's circumference, the wall
// deviations of every generatrix, the girdles, the details, the dead cavity
// with the bottom readings, the base height, the signatures). Called through
// DrawDocumentPage by the preview, the print dialog and veloquin-cli.

#include "Canvas.h"
#include "PageGeometry.h"
#include "PageOptions.h"
#include "TankClasses.h"
#include "export/GirdleFigures.h"

#include <cstdint>
#include <optional>

namespace veloquin {

// What a protocol page holds. The wall deviations take one page per twelve
// generatrices, so the last three pages move with the generatrix count.
enum class ProtocolPageContent
{
    None, // not a page of this protocol: the frame only
    TitlePage,
    GeneralData,            // sections 1 and 2
    WallDeviations,         // section 3, one group of up to twelve generatrices
    Girdles,                // sections 4, 5, 6
    DetailsAndDeadCavity,   // sections 7, 8
    BaseHeightAndSignatures // sections 9 to 12
};

struct ProtocolPagePlan
{
    ProtocolPageContent content = ProtocolPageContent::None;
    int generatrixOffset = 0; // WallDeviations: the group's first generatrix is offset + 1
};

// Page `page` (from 1) of the protocol of a tank with `generatrixCount` generatrices.
ProtocolPagePlan ProtocolPageAt(int generatrixCount, int page);

// Draws page `page` (from 1) of the protocol: the frame, then the page's
// content. Reads the tank only; returns the level the page leaves the tank's
// GivenLevel at (the design fill height for the title page), or nothing.
std::optional<double> DrawProtocolPage(Canvas& canvas, const PageGeometry& geometry, const TSteelVertCylTank& tank,
                                       const PageOptions& options, int page);

} // namespace veloquin
