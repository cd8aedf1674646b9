#include "TankInputs.h"

namespace veloquin {
namespace {

// Below any touch point and above any tank: the setters clamp them to the touch
// point and to the top of the tank.
constexpr double kLowestDeadCavityMm = 0;
constexpr double kHighestFillMm = 1e12;

} // namespace

TankInputs InputsOf(const TSteelVertCylTank& tank)
{
    TankInputs in;
    in.measured1 = tank.ExtCircumferenceMeasured1();
    in.measured2 = tank.ExtCircumferenceMeasured2();
    for (int i = 1; i <= tank.WeldCorrectionCount(); ++i)
        in.weldCorrections.push_back(tank.WeldCorrection(i));
    for (int i = 1; i <= tank.GirdleCount(); ++i) {
        in.sheetThickness.push_back(tank.SheetThickness(i));
        in.heightOuter.push_back(tank.GirdleHeightOuter(i));
        in.overlapBottom.push_back(tank.OverlapBottom(i));
        in.overlapTop.push_back(tank.OverlapTop(i));
    }
    in.roundingMm.assign(static_cast<std::size_t>(tank.GirdleCount()), 0.0);
    in.paint = tank.PaintThickness();
    in.plumb = tank.PlumbDistances();
    in.calibrationDensity = tank.CalibrationDensity();
    in.calibrationFillHeight = tank.CalibrationFillHeight();
    in.storedDensity = tank.StoredDensity();
    in.bottom = tank.BottomReadings();
    in.bottomCenter = tank.BottomCenter();
    in.pointPlumb = tank.PointPlumb();
    for (int d = 1; d <= tank.DetailCount(); ++d)
        in.details.push_back(tank.Detail(d));
    return in;
}

TSteelVertCylTank EvaluationTank(const TSteelVertCylTank& tank, bool liftRounding)
{
    TSteelVertCylTank copy = tank;
    if (liftRounding)
        copy.LiftCircumferenceRounding({});
    else
        copy.RestoreCircumferenceRounding();
    ApplyInputs(copy, InputsOf(tank));
    return copy;
}

void ApplyInputs(TSteelVertCylTank& tank, const TankInputs& in)
{
    // In the order a tank file is read, so that each recomputation sees what the
    // file's reader would have set before it.
    for (std::size_t i = 0; i < in.weldCorrections.size(); ++i)
        tank.SetWeldCorrection(static_cast<int>(i) + 1, in.weldCorrections[i]);
    tank.SetExtCircumferenceMeasurements(in.measured1, in.measured2);
    tank.SetSheetThicknesses(in.sheetThickness);
    tank.SetPaintThickness(in.paint);
    tank.SetPlumbDistances(in.plumb);
    for (std::size_t k = 0; k < in.heightOuter.size(); ++k) {
        const int girdle = static_cast<int>(k) + 1;
        tank.SetGirdleHeightOuter(girdle, in.heightOuter[k]);
        tank.SetOverlapBottom(girdle, in.overlapBottom[k]);
        tank.SetOverlapTop(girdle, in.overlapTop[k]);
        tank.UpdateGirdleHeight(girdle);
    }
    tank.SetCalibrationDensity(in.calibrationDensity);
    tank.SetStoredDensity(in.storedDensity);
    tank.SetCalibrationFillHeight(in.calibrationFillHeight);
    tank.SetBottomReadings(in.bottom, in.bottomCenter, in.pointPlumb);
    tank.ReplaceDetails(in.details);
    if (tank.CircumferenceRoundingLifted())
        tank.LiftCircumferenceRounding(in.roundingMm);
    tank.SetDeadCavityHeight(kLowestDeadCavityMm);
    tank.SetDesignFillHeight(kHighestFillMm);
    tank.UpdateAll();
}

} // namespace veloquin
