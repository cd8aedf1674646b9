#pragma once
// The measured inputs of a tank that carry uncertainty, taken out of the tank
// as one value, changed by the estimates and written back into a working copy.

#include "TankClasses.h"

#include <vector>

namespace veloquin {

struct TankInputs
{
    double measured1 = 0;
    double measured2 = 0;
    std::vector<double> weldCorrections; // the entered corrections, only when their count is positive
    std::vector<double> sheetThickness;
    double paint = 0;
    TSteelVertCylTank::PlumbGrid plumb;
    std::vector<double> heightOuter;
    std::vector<double> overlapBottom;
    std::vector<double> overlapTop;
    double calibrationDensity = 0;
    double calibrationFillHeight = 0;
    double storedDensity = 0;
    TSteelVertCylTank::BottomGrid bottom = {};
    double bottomCenter = 0;
    double pointPlumb = 0;
    std::vector<InternalDetail> details;
    // Per girdle, the error standing for the 0.1 mm rounding of its circumference;
    // used only where the rounding is lifted.
    std::vector<double> roundingMm;
};

TankInputs InputsOf(const TSteelVertCylTank& tank);

// A working copy of the tank on which every volume V(h) of liquid read at h from
// the touch point can be taken without a clamp: the dead cavity at its lowest
// (the touch point) and the design fill height at the top of the tank, neither of
// which changes a volume above them.
TSteelVertCylTank EvaluationTank(const TSteelVertCylTank& tank, bool liftRounding);

// Writes the inputs into a tank made by EvaluationTank and brings every derived
// value up to date: the same volumes as the setters one by one, a save and an open.
void ApplyInputs(TSteelVertCylTank& tank, const TankInputs& inputs);

} // namespace veloquin
