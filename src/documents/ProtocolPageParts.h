#pragma once
// What the protocol's pages share: the page groups' drawing routines (one file
// each) and the house style of every protocol table. Internal to the
// protocol; the entry point is DrawProtocolPage (ProtocolPages.h).

#include "PageOptions.h"
#include "PagePainter.h"
#include "TankClasses.h"

#include <initializer_list>
#include <string>

namespace veloquin {

constexpr int kGeneratricesPerPage = 12;

// A table's outer box and heavy rules; inner rules take kThinPenMm.
constexpr double kTableHeavyPenMm = 0.5;

// A rule from (x1, y1) to (x2, y2), in mm.
struct RuleMm
{
    double x1, y1, x2, y2;
};

// A text centred between left and right with its top at y, in mm.
struct CellText
{
    double left, right, y;
    const char* text;
};

void DrawRules(PagePainter& painter, std::initializer_list<RuleMm> rules);
void DrawCells(PagePainter& painter, std::initializer_list<CellText> cells);

// "Arial" regular 4 mm, centred across the sheet's frame.
void DrawSectionTitle(PagePainter& painter, double yMm, const char* title);
// "Arial" 3.5 mm, the font of every table text and sub-heading.
void SetTableFont(PagePainter& painter, FontStyle style = FontStyle::Regular);

// Number forms of the tables.
std::string OneDecimal(double value);
std::string ThreeDecimals(double value);
// An overlap: "+" before a positive value, a negative one carries its own minus.
std::string SignedOneDecimal(double value);

// The capacities on it are those at the design fill height, read without
// touching the tank.
void DrawProtocolTitlePage(PagePainter& painter, const TSteelVertCylTank& tank, const PageOptions& options);
void DrawProtocolGeneralData(PagePainter& painter, const TSteelVertCylTank& tank, const PageOptions& options);
// The generatrices offset + 1 .. min(offset + 12, GeneratrixCount).
void DrawProtocolWallDeviations(PagePainter& painter, const TSteelVertCylTank& tank, int generatrixOffset);
void ProtocolGirdles(PagePainter& painter, const TSteelVertCylTank& tank);
void DrawProtocolDetailsAndDeadCavity(PagePainter& painter, const TSteelVertCylTank& tank);
void DrawProtocolBaseHeightAndSignatures(PagePainter& painter, const TSteelVertCylTank& tank,
                                         const PageOptions& options);

} // namespace veloquin
