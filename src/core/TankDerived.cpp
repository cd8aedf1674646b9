#include "TankDerived.h"

#include "TankClasses.h"

namespace veloquin {

void RefreshDerived(TSteelVertCylTank& tank)
{
    for (int girdle = 1; girdle <= tank.GirdleCount(); ++girdle)
        tank.UpdateMeanPlumbDistance(girdle);
    tank.SetGivenLevel(tank.GivenLevel());
}

} // namespace veloquin
