#pragma once
// What the checks of one tank share: the findings collected so far, the wall's
// height, and the texts every message is built from.

#include "SlipGuess.h"
#include "TankChecks.h"

#include <string>
#include <vector>

namespace veloquin::checks {

class CheckContext
{
public:
    explicit CheckContext(const TSteelVertCylTank& tank);

    const TSteelVertCylTank& tank;
    const double wallHeightMm; // sum of the girdles' inner heights

    // "place: value unit — reason; hint"
    void Add(Severity severity, CheckedField field, FindingIndex index, double value, const std::string& place,
             const std::string& unit, const std::string& reason, const std::string& hint = std::string());
    // A value apart from what the tank predicts for it within a narrow tolerance:
    // an error when a single slip explains it or when it is impossible, otherwise
    // a warning.
    void AddJudged(bool impossible, CheckedField field, FindingIndex index, double value, const std::string& place,
                   const std::string& unit, const std::string& reason, const std::string& hint);

    // A value outside a wide band of what is usual: an error only when impossible;
    // the hint, if any, only says what the slip may have been.
    void AddOutOfRange(bool impossible, CheckedField field, FindingIndex index, double value, const std::string& place,
                       const std::string& unit, const std::string& reason, const std::string& hint)
    {
        Add(impossible ? Severity::Error : Severity::Warning, field, index, value, place, unit, reason, hint);
    }

    std::vector<Finding> Take() { return std::move(m_findings); }

private:
    std::vector<Finding> m_findings;
};

// Number texts of messages: the general form for typed values, fixed decimals
// for computed ones (both with the program's decimal separator).
std::string Typed(double value);
std::string Fixed(int decimals, double value);
// Typed for a value with a few decimals, Fixed(1) for a computed one.
std::string Short(double value);
// "91–96" or "93" when both ends agree.
std::string Range(double low, double high);

const char* const kMm = "мм";

// m3 in a cylinder of the given circumference and height (mm).
double CylinderVolume(double circumferenceMm, double heightMm);

void CheckWall(CheckContext& context);
void CheckBottom(CheckContext& context);
void CheckDetails(CheckContext& context);
void CheckTable(CheckContext& context);

} // namespace veloquin::checks
