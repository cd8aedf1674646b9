#include "UserValues.h"

#include "TankClasses.h"

#include <algorithm>

namespace veloquin {

UserSetValues UserValuesOf(const TSteelVertCylTank& tank)
{
    UserSetValues values;
    values.designFillHeight = tank.DesignFillHeight();
    values.baseHeightMeas1 = tank.BaseHeightMeas1();
    values.baseHeightMeas2 = tank.BaseHeightMeas2();
    values.deadCavityHeight = tank.DeadCavityHeight();
    return values;
}

void TakeUserValues(UserSetValues& values, const TSteelVertCylTank& tank, ClampedValues set)
{
    const UserSetValues now = UserValuesOf(tank);
    if (set & Bit(ClampedValue::DesignFillHeight))
        values.designFillHeight = now.designFillHeight;
    if (set & Bit(ClampedValue::BaseHeight)) {
        values.baseHeightMeas1 = now.baseHeightMeas1;
        values.baseHeightMeas2 = now.baseHeightMeas2;
    }
    if (set & Bit(ClampedValue::DeadCavityHeight))
        values.deadCavityHeight = now.deadCavityHeight;
}

void AdoptValuesSetElsewhere(UserSetValues& values, const UserSetValues& seen, const TSteelVertCylTank& tank)
{
    const UserSetValues now = UserValuesOf(tank);
    const auto adopt = [](double& value, double was, double is) {
        if (was != is)
            value = is;
    };
    adopt(values.designFillHeight, seen.designFillHeight, now.designFillHeight);
    adopt(values.baseHeightMeas1, seen.baseHeightMeas1, now.baseHeightMeas1);
    adopt(values.baseHeightMeas2, seen.baseHeightMeas2, now.baseHeightMeas2);
    adopt(values.deadCavityHeight, seen.deadCavityHeight, now.deadCavityHeight);
}

void ClampFromUserValues(TSteelVertCylTank& tank, const UserSetValues& values)
{
    // Each setter raises Modified only when the value asked for differs from the
    // stored one, so a tank already at what the user set stays as it is.
    tank.SetDeadCavityHeight(values.deadCavityHeight);
    // The design fill height lifts the base heights through their floor; they
    // then come down again to what the user measured, if the floor allows.
    tank.SetDesignFillHeight(values.designFillHeight);
    tank.SetBaseHeightMeas1(values.baseHeightMeas1);
    tank.SetBaseHeightMeas2(values.baseHeightMeas2);
    tank.UpdateBaseHeight();
}

namespace {

// The plumb rows that go with girdle g >= 2 when it is taken away: the top girdle
// is measured at its bottom and middle only, so the girdle below loses its top
// row with it. Going from g to g - 1 girdles drops rows 3g - 5 to 3g - 3.
int FirstPlumbRow(int girdle)
{
    return 3 * girdle - 5;
}
constexpr int kPlumbRowsPerGirdle = 3;

KeptGirdle KeepGirdle(const TSteelVertCylTank& tank, int girdle)
{
    KeptGirdle kept;
    kept.heightOuter = tank.GirdleHeightOuter(girdle);
    kept.overlapBottom = tank.OverlapBottom(girdle);
    kept.overlapTop = tank.OverlapTop(girdle);
    kept.sheetThickness = tank.SheetThickness(girdle);
    for (int row = FirstPlumbRow(girdle); row < FirstPlumbRow(girdle) + kPlumbRowsPerGirdle; ++row) {
        std::vector<double> distances;
        for (int g = 1; g <= tank.GeneratrixCount(); ++g)
            distances.push_back(tank.PlumbDistance(row, g));
        kept.plumbRows.push_back(std::move(distances));
    }
    return kept;
}

void GiveBackGirdle(TSteelVertCylTank& tank, int girdle, const KeptGirdle& kept)
{
    tank.SetGirdleHeightOuter(girdle, kept.heightOuter);
    tank.SetOverlapBottom(girdle, kept.overlapBottom);
    tank.SetOverlapTop(girdle, kept.overlapTop);
    tank.SetSheetThickness(girdle, kept.sheetThickness);
    tank.UpdateGirdleHeight(girdle);
    for (int i = 0; i < static_cast<int>(kept.plumbRows.size()); ++i) {
        const std::vector<double>& distances = kept.plumbRows[static_cast<std::size_t>(i)];
        const int generatrices = std::min(tank.GeneratrixCount(), static_cast<int>(distances.size()));
        for (int g = 1; g <= generatrices; ++g)
            tank.SetPlumbDistance(FirstPlumbRow(girdle) + i, g, distances[static_cast<std::size_t>(g - 1)]);
    }
    tank.UpdateMeanPlumbDistance(girdle);
}

} // namespace

GirdlesKept KeepOrGiveBackGirdles(UserSetValues& values, const TSteelVertCylTank& before, TSteelVertCylTank& after)
{
    GirdlesKept said;
    for (int girdle = after.GirdleCount() + 1; girdle <= before.GirdleCount(); ++girdle) {
        values.removedGirdles[girdle] = KeepGirdle(before, girdle);
        said.kept.push_back(girdle);
    }
    for (int girdle = before.GirdleCount() + 1; girdle <= after.GirdleCount(); ++girdle) {
        const auto kept = values.removedGirdles.find(girdle);
        if (kept == values.removedGirdles.end())
            continue;
        GiveBackGirdle(after, girdle, kept->second);
        values.removedGirdles.erase(kept);
        said.givenBack.push_back(girdle);
    }
    return said;
}

namespace {

MoveReason DeadCavityReason(const TSteelVertCylTank& after, const UserSetValues& values)
{
    if (after.DeadCavityHeight() == values.deadCavityHeight)
        return MoveReason::Restored;
    return after.DeadCavityHeight() > values.deadCavityHeight ? MoveReason::NotBelowTouchPoint
                                                              : MoveReason::NotAboveFirstGirdle;
}

} // namespace

std::vector<MovedValue> MovedValues(const TSteelVertCylTank& before, const TSteelVertCylTank& after,
                                    const UserSetValues& values, ClampedValues set)
{
    std::vector<MovedValue> moved;
    const auto changed = [set](ClampedValue value, double was, double now) {
        return !(set & Bit(value)) && was != now;
    };
    if (changed(ClampedValue::DesignFillHeight, before.DesignFillHeight(), after.DesignFillHeight())) {
        const bool restored = after.DesignFillHeight() == values.designFillHeight;
        moved.push_back({ClampedValue::DesignFillHeight, before.DesignFillHeight(), after.DesignFillHeight(),
                         restored ? MoveReason::Restored : MoveReason::IntoTopGirdle});
    }
    const bool baseMoved =
        before.BaseHeightMeas1() != after.BaseHeightMeas1() || before.BaseHeightMeas2() != after.BaseHeightMeas2();
    if (baseMoved && !(set & Bit(ClampedValue::BaseHeight))) {
        const bool restored =
            after.BaseHeightMeas1() == values.baseHeightMeas1 && after.BaseHeightMeas2() == values.baseHeightMeas2;
        moved.push_back({ClampedValue::BaseHeight, before.BaseHeight(), after.BaseHeight(),
                         restored ? MoveReason::Restored : MoveReason::NotBelowDesignFillHeight});
    }
    if (changed(ClampedValue::DeadCavityHeight, before.DeadCavityHeight(), after.DeadCavityHeight()))
        moved.push_back({ClampedValue::DeadCavityHeight, before.DeadCavityHeight(), after.DeadCavityHeight(),
                         DeadCavityReason(after, values)});
    if (!(set & Bit(ClampedValue::GivenLevel))) {
        const double level = after.ClampedLevel(before.GivenLevel());
        if (level != before.GivenLevel())
            moved.push_back({ClampedValue::GivenLevel, before.GivenLevel() - before.TouchPointHeight(),
                             level - after.TouchPointHeight(),
                             level < before.GivenLevel() ? MoveReason::NotAboveDesignFillHeight
                                                         : MoveReason::NotBelowDeadCavity});
    }
    return moved;
}

bool operator==(const KeptGirdle& a, const KeptGirdle& b)
{
    return a.heightOuter == b.heightOuter && a.overlapBottom == b.overlapBottom && a.overlapTop == b.overlapTop &&
           a.sheetThickness == b.sheetThickness && a.plumbRows == b.plumbRows;
}

bool operator==(const UserSetValues& a, const UserSetValues& b)
{
    return a.designFillHeight == b.designFillHeight && a.baseHeightMeas1 == b.baseHeightMeas1 &&
           a.baseHeightMeas2 == b.baseHeightMeas2 && a.deadCavityHeight == b.deadCavityHeight &&
           a.removedGirdles == b.removedGirdles;
}

} // namespace veloquin
