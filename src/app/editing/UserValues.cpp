#include "UserValues.h"

#include "TankClasses.h"

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

} // namespace veloquin
