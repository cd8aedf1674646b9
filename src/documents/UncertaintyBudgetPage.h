#pragma once
// The page "Бюджет неопределённости", printed after the protocol when asked
// for: the expanded uncertainty at the design fill height against the error
// the protocol states, at 500 mm and over the worst 2 m interval, the level
// below which the stated error is exceeded, the largest contributions, the
// instrument settings the estimate took, and what it leaves out.

#include "Canvas.h"
#include "PageGeometry.h"
#include "TankClasses.h"
#include "uncertainty/TableUncertainty.h"

#include <QString>

#include <vector>

namespace veloquin {

extern const char* const kUncertaintyBudgetTitle; // "Бюджет неопределённости"

struct BudgetPageLine
{
    QString text;
    FontStyle style = FontStyle::Regular;
    bool indented = false;
};

// The page's lines, from the top, from a linear estimate of the tank's table.
std::vector<BudgetPageLine> UncertaintyBudgetPageLines(const TSteelVertCylTank& tank, const TableUncertainty& linear);

void DrawUncertaintyBudgetPage(Canvas& canvas, const PageGeometry& geometry, const TSteelVertCylTank& tank,
                               const TableUncertainty& linear);

} // namespace veloquin
