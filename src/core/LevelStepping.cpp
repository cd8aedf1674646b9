#include "LevelStepping.h"

namespace veloquin {

LevelStepper::LevelStepper(const TSteelVertCylTank& tank, double startMm)
    : m_tank(tank), m_levelMm(tank.ClampedLevel(startMm))
{
}

double LevelStepper::VolumeM3()
{
    if (!m_volumeKnown) {
        // A dead cavity above the level gives 0, as SetGivenLevel stores then.
        m_volumeM3 = m_tank.VolumeAt(m_levelMm).volumeM3;
        m_volumeKnown = true;
    }
    return m_volumeM3;
}

bool LevelStepper::Next()
{
    // Written as the negation so that a NaN level or fill height ends the table.
    if (!(m_levelMm + kStepMm <= m_tank.DesignFillHeight()))
        return false;
    m_levelMm = m_tank.ClampedLevel(m_levelMm + kStepMm);
    m_volumeKnown = false;
    return true;
}

} // namespace veloquin
