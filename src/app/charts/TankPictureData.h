#pragma once
// What the pictures of the tank show, computed from the tank alone: the radial
// deviation of every girdle at every generatrix, the heights of the plumb
// measuring points, and the capacity of each centimetre of the table.

#include "TankChecks.h"

#include <vector>

namespace veloquin {

// [girdle - 1][generatrix - 1]: the girdle's plumb readings at that generatrix,
// weighted as the girdle's mean is (middle twice, the top girdle's two points
// alike), less girdle 1's reading there; positive where the girdle's radius is
// larger than girdle 1's, as MeanRadialDeviation.
std::vector<std::vector<double>> RadialDeviations(const TSteelVertCylTank& tank);

// Height above the bottom (mm) of each plumb row's measuring point: girdle 1 at
// three quarters of its height; the bottom, middle and top points of a girdle at
// a tenth, half and nine tenths of it.
std::vector<double> PlumbRowHeights(const TSteelVertCylTank& tank);

struct CapacityStep
{
    double levelMm = 0;    // the lower level of the centimetre
    double capacityM3 = 0; // volume between it and 10 mm higher
};
// Every 10 mm step of the table, from the dead cavity to the design fill height;
// none for a table the checks do not walk either (WalkTable).
std::vector<CapacityStep> CapacityPerCentimetre(const TSteelVertCylTank& tank);

// The tops of the girdles above the bottom (mm), girdle 1 first.
std::vector<double> GirdleTops(const TSteelVertCylTank& tank);

} // namespace veloquin
