#pragma once
// Which slip of the hand would turn the expected value into the typed one: the
// hint a finding ends with ("перепутаны цифры?").

#include <string>

namespace veloquin::checks {

// What the field is measured in decides how a factor of ten is read.
enum class ValueUnit
{
    Millimetre,      // x10: centimetres, x1000: metres
    KgPerCubicMetre, // x1000: t/m3 or g/cm3
    CubicMetre,      // x1000: litres
    Count            // x10: a zero dropped or added
};

// Which slips are tried. A check whose tolerance is wide against the value (a
// density anywhere in the usual band) tries only factors of ten: among the many
// one-digit edits of a number one would always land in a wide band.
enum class SlipSearch
{
    AllSlips,
    ScaleOnly,
    // Factors of ten of the value as typed: for values whose sign is their own
    // (an overlap correction may be either).
    ScaleKeepingSign
};

// The Russian hint ("перепутаны цифры?"), or an empty text when no single slip
// brings the value within tolerance of the expected one. Tried in this order:
// nothing typed, the sign, the unit or the decimal point, two neighbouring digits
// swapped, a digit dropped, a digit doubled or added.
std::string GuessSlip(double value, double expected, double tolerance, ValueUnit unit,
                      SlipSearch search = SlipSearch::AllSlips);

// The same guess with the value the slip undone gives (the expected value when
// nothing was typed); no hint and no value when no single slip explains it.
struct Slip
{
    std::string hint;
    double corrected = 0;
    bool Found() const { return !hint.empty(); }
};
Slip FindSlip(double value, double expected, double tolerance, ValueUnit unit,
              SlipSearch search = SlipSearch::AllSlips);

} // namespace veloquin::checks
