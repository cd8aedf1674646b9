#pragma once
// The values the tank derives from several of its values at once, which no
// single setter brings up to date: the mean plumb distance of every girdle (a
// girdle's deviation is taken against girdle 1's mean, so they go together)
// and the volume at the query level, with the level kept between the dead
// cavity and the design fill height. Every change of the tank ends with this,
// whoever made it; it never marks the tank modified.

namespace veloquin {

class TSteelVertCylTank;

void RefreshDerived(TSteelVertCylTank& tank);

} // namespace veloquin
