// Girdle geometry: the external circumference of girdle 1, the plumb-line means
// and radial deviations, and every girdle's internal circumference corrected for
// sheet and paint thickness, the wall's tilt and the hydrostatic expansion of the
// wall while the tank was measured full of liquid.
//
// Arithmetic runs in long double (x87 extended here) and is stored as double at
// the points where the method stores a value, so that circumferences rounded to
// 0.1 mm agree digit for digit with tables computed the same way.

#include "GFunc.h"
#include "PhysicalConstants.h"
#include "TankClasses.h"

namespace veloquin {
namespace {

using physics::kElasticity;
using physics::kGravity;
using physics::kTwoPi;
// Girdle 1 is corrected for the liquid's pressure only above this fill height.
constexpr double kCalibrationThresholdMm = 3000;
// The circumference of girdle 1 is taken at three quarters of its height.
constexpr long double kGirdle1MeasuringHeight = 0.75L;

// Nominal capacity (m3) -> weld-seam correction of the circumference (mm).
struct WeldCorrectionRow
{
    int capacityM3;
    double correctionMm;
};
constexpr WeldCorrectionRow kWeldCorrectionTable[] = {
    {100, 1},  {200, 2},  {300, 2},   {400, 2},   {700, 2},   {1000, 2},  {2000, 3},
    {3000, 4}, {5000, 4}, {10000, 6}, {15000, 7}, {20000, 8}, {30000, 8}, {50000, 8},
};

} // namespace

double TSteelVertCylTank::WeldCorrectionFromTable() const
{
    // The nearest tabulated capacity; a tie goes to the larger one.
    const int c = m_designCapacity;
    constexpr int rows = static_cast<int>(sizeof kWeldCorrectionTable / sizeof kWeldCorrectionTable[0]);
    for (int k = 1; k < rows; ++k) {
        const WeldCorrectionRow& above = kWeldCorrectionTable[k];
        if (above.capacityM3 < c)
            continue;
        const WeldCorrectionRow& below = kWeldCorrectionTable[k - 1];
        return (c - below.capacityM3 < above.capacityM3 - c) ? below.correctionMm : above.correctionMm;
    }
    return kWeldCorrectionTable[rows - 1].correctionMm; // the setter keeps c within the table
}

void TSteelVertCylTank::UpdateExtCircumference()
{
    const double mean = (m_extMeasured1 + m_extMeasured2) / 2;
    double correction = 0;
    if (m_weldCorrectionCount == -1) {
        correction = WeldCorrectionFromTable();
    } else if (m_weldCorrectionCount > 0) {
        for (double c : m_weldCorrection)
            correction += c;
    }
    m_extCircumference = mean - correction;
    UpdateAllIntCircumferences();
}

void TSteelVertCylTank::UpdateMeanPlumbDistance(int girdle)
{
    if (!CheckGirdle(girdle))
        return;
    const int n = m_girdleCount;
    const int columns = m_generatrixCount;
    auto row = [this](int r) -> const std::vector<double>& { return m_plumbDistance[static_cast<std::size_t>(r - 1)]; };

    double sum = 0;
    double weight = 0;
    if (girdle == 1) {
        for (double p : row(1))
            sum += p;
        weight = columns;
    } else if (girdle == n) {
        // The top girdle has no top point: bottom and middle weigh equally.
        const auto& bottom = row(3 * n - 4);
        const auto& middle = row(3 * n - 3);
        for (int j = 0; j < columns; ++j)
            sum += bottom[static_cast<std::size_t>(j)] + middle[static_cast<std::size_t>(j)];
        weight = 2.0 * columns;
    } else {
        // The middle point counts twice.
        const int i = girdle;
        const auto& bottom = row(3 * i - 4);
        const auto& middle = row(3 * i - 3);
        const auto& top = row(3 * i - 2);
        for (int j = 0; j < columns; ++j) {
            const auto c = static_cast<std::size_t>(j);
            sum += bottom[c] + 2 * middle[c] + top[c];
        }
        weight = 4.0 * columns;
    }
    m_meanPlumbDistance[static_cast<std::size_t>(girdle - 1)] = sum / weight;
    UpdateRadialDeviation(girdle);
}

void TSteelVertCylTank::UpdateRadialDeviation(int girdle)
{
    if (!CheckGirdle(girdle))
        return;
    m_meanRadialDeviation[static_cast<std::size_t>(girdle - 1)] =
        m_meanPlumbDistance[static_cast<std::size_t>(girdle - 1)] - m_meanPlumbDistance[0];
    UpdateIntCircumference(girdle);
}

void TSteelVertCylTank::UpdateIntCircumference(int girdle)
{
    if (!CheckGirdle(girdle))
        return;
    const auto k = static_cast<std::size_t>(girdle - 1);
    const long double delta = m_sheetThickness[k];
    const long double paint = m_paintThickness;
    const long double rho = m_calibrationDensity;
    const double hc = m_calibrationFillHeight;
    const long double e = m_extCircumference;

    // A thickness of 0 can only come from a setter; the wall then has no stiffness
    // to speak of, and dividing by it would poison every volume: skip that term.
    const bool canCorrect = m_sheetThickness[k] != 0;

    double l;
    if (girdle == 1) {
        l = static_cast<double>(e - kTwoPi * (delta + paint));
        if (hc > kCalibrationThresholdMm && canCorrect) {
            const long double ll = l;
            const long double depth = hc - kGirdle1MeasuringHeight * m_girdleHeight[0];
            l = static_cast<double>(ll - kTwoPi * (depth * (kGravity * rho * ll * ll)) / (delta * kElasticity));
        }
    } else {
        l = static_cast<double>(e - kTwoPi * (delta + paint - m_meanRadialDeviation[k]));
        // Height of the girdle's middle above the bottom.
        double m = 0;
        for (std::size_t j = 0; j < k; ++j)
            m += m_girdleHeight[j];
        m += m_girdleHeight[k] / 2;
        if (m <= hc && canCorrect) {
            const long double ll = l;
            l = static_cast<double>(ll - kTwoPi * (kGravity * rho * ll * ll * (static_cast<long double>(hc) - m)) /
                                             (delta * kElasticity));
        }
    }
    if (!m_roundingLifted)
        m_intCircumference[k] = RoundDecimals(1, l);
    else
        m_intCircumference[k] = l + (k < m_roundingAddedMm.size() ? m_roundingAddedMm[k] : 0.0);

    UpdateDeadCavityCapacity();
    UpdateGirdleCapacity(girdle);
    UpdateBottomCorrection();
}

void TSteelVertCylTank::UpdateAllIntCircumferences()
{
    for (int i = 1; i <= m_girdleCount; ++i)
        UpdateIntCircumference(i);
}

} // namespace veloquin
