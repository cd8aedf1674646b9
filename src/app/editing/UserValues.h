#pragma once
// The values the user sets that the tank clamps again whenever another value
// moves their bounds: the design fill height (into the top girdle), the two
// base-height measurements (not below the design fill height) and the
// dead-cavity height (between the tape's touch point and the top of girdle 1).
//
// The tank re-clamps from what it holds now, so a value squeezed by a passing
// state (a girdle height half typed, a girdle count stepped through) would
// never come back. The editing keeps what the user set and clamps from that
// after every change instead.

#include <map>
#include <vector>

namespace veloquin {

class TSteelVertCylTank;

enum class ClampedValue
{
    DesignFillHeight,
    BaseHeight,
    DeadCavityHeight,
    // The level of the volume query ("при h = …"): not kept from the user, but
    // said when its bounds (the dead cavity, the design fill height) move it.
    GivenLevel,
};

// Which clamped values a change sets on purpose (a bit per ClampedValue).
using ClampedValues = unsigned;
constexpr ClampedValues Bit(ClampedValue value)
{
    return 1u << static_cast<unsigned>(value);
}

// What a girdle held when a lower girdle count took it away.
struct KeptGirdle
{
    double heightOuter = 0;
    double overlapBottom = 0;
    double overlapTop = 0;
    double sheetThickness = 0;
    // The plumb rows that went with it (the top of the girdle below, its own
    // bottom and middle), each by generatrix.
    std::vector<std::vector<double>> plumbRows;
};

struct UserSetValues
{
    double designFillHeight = 0;
    double baseHeightMeas1 = 0;
    double baseHeightMeas2 = 0;
    double deadCavityHeight = 0;
    // The girdles a lower count took away, by number: raising the count again
    // gives them back, so that stepping through a count loses nothing.
    std::map<int, KeptGirdle> removedGirdles;
};

// Exact equality, kept girdles included (the values are compared, not their bytes).
bool operator==(const KeptGirdle& a, const KeptGirdle& b);
bool operator==(const UserSetValues& a, const UserSetValues& b);

// The values as the tank holds them (after opening a file: exactly what it read).
UserSetValues UserValuesOf(const TSteelVertCylTank& tank);
// Takes over from the tank the values a change has just set on purpose.
void TakeUserValues(UserSetValues& values, const TSteelVertCylTank& tank, ClampedValues set);
// Values set on the tank by other means than the editing since it last saw
// them (seen) count as set by the user.
void AdoptValuesSetElsewhere(UserSetValues& values, const UserSetValues& seen, const TSteelVertCylTank& tank);
// Clamps the dead cavity, the design fill height and the base heights again,
// each from what the user set, in the order their bounds depend on each other.
void ClampFromUserValues(TSteelVertCylTank& tank, const UserSetValues& values);

// What a change of the girdle count did with the girdles' data.
struct GirdlesKept
{
    // Girdles taken away, their data kept.
    std::vector<int> kept;
    // Girdles added back with the data kept for them.
    std::vector<int> givenBack;
};

// A change that lowered the girdle count (before to after) keeps the data of
// the girdles it took away; one that raised it gives back what was kept for
// the girdles it added.
GirdlesKept KeepOrGiveBackGirdles(UserSetValues& values, const TSteelVertCylTank& before, TSteelVertCylTank& after);

enum class MoveReason
{
    // Back at what the user set, now that its bounds allow it again.
    Restored,
    IntoTopGirdle,
    NotBelowDesignFillHeight,
    NotBelowTouchPoint,
    NotAboveFirstGirdle,
    NotAboveDesignFillHeight,
    NotBelowDeadCavity,
};

struct MovedValue
{
    ClampedValue value;
    double before;
    double after;
    MoveReason reason;
};

// The clamped values that differ between before and after, except those the
// change set itself; in the order of ClampedValue. The query level is given as
// the windows show it, above the tape's touch point, and as the windows'
// refresh after the change will clamp it.
std::vector<MovedValue> MovedValues(const TSteelVertCylTank& before, const TSteelVertCylTank& after,
                                    const UserSetValues& values, ClampedValues set);

} // namespace veloquin
