#include "TankFields.h"

#include "TankClasses.h"

namespace veloquin {
namespace {

using Tank = TSteelVertCylTank;

bool GirdlesDiffer(const Tank& a, const Tank& b)
{
    if (a.GirdleCount() != b.GirdleCount() || a.PaintThickness() != b.PaintThickness() ||
        a.ExtCircumferenceMeasured1() != b.ExtCircumferenceMeasured1() ||
        a.ExtCircumferenceMeasured2() != b.ExtCircumferenceMeasured2() ||
        a.ExtCircumference() != b.ExtCircumference() || a.WeldCorrectionCount() != b.WeldCorrectionCount() ||
        a.CircumferenceRoundingLifted() != b.CircumferenceRoundingLifted())
        return true;
    for (int i = 1; i <= a.WeldCorrectionCount(); ++i)
        if (a.WeldCorrection(i) != b.WeldCorrection(i))
            return true;
    for (int girdle = 1; girdle <= a.GirdleCount(); ++girdle)
        if (a.SheetThickness(girdle) != b.SheetThickness(girdle) ||
            a.GirdleHeightOuter(girdle) != b.GirdleHeightOuter(girdle) ||
            a.OverlapBottom(girdle) != b.OverlapBottom(girdle) || a.OverlapTop(girdle) != b.OverlapTop(girdle) ||
            a.GirdleHeight(girdle) != b.GirdleHeight(girdle) ||
            a.IntCircumference(girdle) != b.IntCircumference(girdle))
            return true;
    return false;
}

bool DetailsDiffer(const Tank& a, const Tank& b)
{
    if (a.DetailCount() != b.DetailCount())
        return true;
    for (int i = 1; i <= a.DetailCount(); ++i) {
        const InternalDetail& x = a.Detail(i);
        const InternalDetail& y = b.Detail(i);
        if (x.IsArbitrary != y.IsArbitrary || x.Volume != y.Volume || x.Bottom != y.Bottom || x.Top != y.Top ||
            x.Diameter != y.Diameter || x.Length != y.Length)
            return true;
    }
    return false;
}

} // namespace

TankFields ChangedFields(const TSteelVertCylTank& a, const TSteelVertCylTank& b, bool imageChanged)
{
    TankFields fields = imageChanged ? Bit(TankField::Documents) : 0;
    if (a.Name() != b.Name() || a.DesignCapacity() != b.DesignCapacity())
        fields |= Bit(TankField::Identity);
    if (GirdlesDiffer(a, b))
        fields |= Bit(TankField::Girdles);
    // The plumb rows follow the girdle count.
    if (a.GeneratrixCount() != b.GeneratrixCount() || a.GirdleCount() != b.GirdleCount() ||
        a.PlumbDistances() != b.PlumbDistances())
        fields |= Bit(TankField::Plumb);
    if (a.BottomReadings() != b.BottomReadings() || a.BottomCenter() != b.BottomCenter() ||
        a.PointPlumb() != b.PointPlumb())
        fields |= Bit(TankField::Bottom);
    if (DetailsDiffer(a, b))
        fields |= Bit(TankField::Details);
    if (a.DesignFillHeight() != b.DesignFillHeight() || a.DeadCavityHeight() != b.DeadCavityHeight() ||
        a.BaseHeightMeas1() != b.BaseHeightMeas1() || a.BaseHeightMeas2() != b.BaseHeightMeas2() ||
        a.CalibrationFillHeight() != b.CalibrationFillHeight() || a.CalibrationDensity() != b.CalibrationDensity() ||
        a.StoredDensity() != b.StoredDensity())
        fields |= Bit(TankField::Levels);
    if (a.GivenLevel() != b.GivenLevel())
        fields |= Bit(TankField::GivenLevel);
    return fields;
}

} // namespace veloquin
