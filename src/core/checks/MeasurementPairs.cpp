// Two measurements of one quantity: which of them a slip of the hand made.

#include "CheckContext.h"

#include <cmath>

namespace veloquin::checks {

void CheckMeasurementPair(CheckContext& context, const MeasurementPair& pair)
{
    const double difference = std::fabs(pair.values[0] - pair.values[1]);
    if (difference <= pair.tolerance)
        return;
    // slips[k]: measurement k is a slip of the other one.
    Slip slips[2];
    Judgement judgements[2];
    for (int k = 0; k < 2; ++k) {
        slips[k] = FindSlip(pair.values[k], pair.values[1 - k], pair.tolerance, ValueUnit::Millimetre);
        judgements[k] = pair.judge(pair.values[k]);
    }
    // Swapped digits, a misplaced point, a digit dropped or added read both ways
    // round: the tank decides first, the slip only when the tank cannot.
    int blamed = -1;
    if (judgements[0].plausibility != judgements[1].plausibility)
        blamed = judgements[0].plausibility > judgements[1].plausibility ? 0 : 1;
    else if (slips[0].Found() != slips[1].Found())
        blamed = slips[0].Found() ? 0 : 1;

    std::string measuringSlip;
    if (!slips[0].Found() && !slips[1].Found() && pair.measuringSlip)
        measuringSlip = pair.measuringSlip(difference);
    const bool impossible = difference > pair.impossibleDifference;
    for (int k = 0; k < 2; ++k) {
        if (blamed >= 0 && blamed != k)
            continue;
        std::string reason = "другое измерение " + Typed(pair.values[1 - k]) + " мм, расхождение " +
                             Fixed(1, difference) + " мм" + pair.toleranceText;
        if (blamed < 0)
            reason += "; неверно одно из двух, а по резервуару не решить какое";
        else if (!judgements[k].why.empty())
            reason += "; " + judgements[k].why;
        Slip slip = slips[k];
        if (!slip.Found() && !measuringSlip.empty())
            slip = Slip{measuringSlip, pair.values[1 - k]};
        // Without a slip the other measurement is the best guess of the value.
        const double corrected = slip.Found() ? slip.corrected : pair.values[1 - k];
        const bool wrongByTank = blamed == k && judgements[k].plausibility == Plausibility::Impossible;
        context.Add(impossible || wrongByTank || slip.Found() ? Severity::Error : Severity::Warning, pair.fields[k],
                    FindingIndex::None(), pair.values[k], pair.places[k], kMm, reason, slip.hint, corrected);
    }
}

} // namespace veloquin::checks
