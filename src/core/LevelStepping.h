#pragma once
// The one level stepping of every calibration table (the text table, the CSV of
// veloquin-cli and the printed pages): from a start level, clamped as
// SetGivenLevel clamps it, upwards in 10 mm steps for as long as the next level
// stays at or below the design fill height. Volumes come from the tank's const
// computation, so stepping neither reports nor changes the tank: a table, printed
// or listed, leaves the volume-at-level query where the user set it.

#include "TankClasses.h"

namespace veloquin {

class LevelStepper
{
public:
    static constexpr double kStepMm = 10;

    LevelStepper(const TSteelVertCylTank& tank, double startMm);

    double LevelMm() const { return m_levelMm; }
    // Computed on first use at each level, so that counting levels costs no volume.
    double VolumeM3();
    // Moves to the next level; false (and no move) when it would pass the design fill height.
    bool Next();

private:
    const TSteelVertCylTank& m_tank;
    double m_levelMm;
    double m_volumeM3 = 0;
    bool m_volumeKnown = false;
};

} // namespace veloquin
