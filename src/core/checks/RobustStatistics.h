#pragma once
// Statistics that one wrong reading cannot drag along: medians, the median
// absolute deviation, and the deviation of each reading of a table from its
// neighbours along its measuring line.

#include <vector>

namespace veloquin::checks {

// The median of the finite values (the mean of the middle two for an even count); 0 for none.
double Median(std::vector<double> values);

// 1.4826 x the median absolute deviation from the median: the standard deviation
// of normally scattered values, unmoved by a few wild ones.
double RobustSpread(const std::vector<double>& values);

// Readings taken at fixed positions along several lines: plumb rows along the
// generatrices, bottom circles along the radii. 0-based inside. A reading that
// was not taken is not a number: it is nobody's neighbour.
struct LineTable
{
    int positions = 0;
    int lines = 0;
    std::vector<double> values; // position-major

    double At(int position, int line) const { return values[static_cast<std::size_t>(position * lines + line)]; }
};

struct CellDeviation
{
    // How far the reading departs from what its neighbours along the line predict,
    // once the change common to every line between the two positions is taken
    // out. A reading that agrees with one side (a real step of the wall or the
    // bottom lies on one side of it) has deviation 0; an isolated slip stands
    // apart from both sides in the same direction and gets the smaller departure.
    double deviation = 0;
    double expected = 0;         // what the closer side predicts
    int neighbour[2] = {-1, -1}; // positions compared; -1 for none
    double neighbourLow = 0;     // the lower and higher of their readings
    double neighbourHigh = 0;
    bool missing = false; // no reading here: expected says what the neighbours predict
};

struct LineDeviations
{
    std::vector<CellDeviation> cells; // position-major, like the table
    // The robust spread of the steps between neighbouring positions of one line,
    // common change taken out: the table's own scale of scatter.
    double stepSpread = 0;
};

// Interior positions are compared with the nearest readings above and below; the
// first and last with their two nearest readings on the one side they have.
LineDeviations DeviationsAlongLines(const LineTable& table);

} // namespace veloquin::checks
