#pragma once
// A new calibration table held against the previous one of the same tank: the
// volume level by level and the capacity girdle by girdle, with the error of
// the capacity stated on the protocol's title page as the measure. A difference
// beyond it means the tank has deformed or one of the calibrations is wrong.
//
// Levels are compared as the tables print them, above the tape's touch point:
// that is the level a gauge or a dip tape reads. Each level of the new table
// that lies within the previous table's levels is compared; the previous volume
// there is interpolated linearly when the previous table has no such level.

#include "export/TablePoints.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace veloquin {

class TableComparisonError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One side of a comparison: a tank file, or a table read from a CSV file.
struct ComparedTable
{
    std::string source;              // the file name shown to the user
    bool isTank = false;
    std::string tankName;            // tank files only
    std::string tankNumber;          // the protocol's tank number
    int designCapacity = 0;
    std::vector<TablePoint> table;
    std::vector<double> girdleCapacitiesM3;
    std::vector<double> girdleTopsMm;     // above the touch point
    std::optional<double> statedErrorM3; // as the title page states it
};

// Steps the tank's GivenLevel (the text table's walk); throws TableTooLongError.
ComparedTable ComparedTableOfTank(TSteelVertCylTank& tank, const std::string& source);
ComparedTable ComparedTableOfCsv(std::vector<TablePoint> table, const std::string& source);

struct LevelDifference
{
    double levelMm = 0;
    double previousM3 = 0;
    double newM3 = 0;
    double differenceM3 = 0;       // new - previous, three decimals
    std::optional<double> percent; // of the previous volume
    bool beyondError = false;
};

struct GirdleDifference
{
    int girdle = 0;
    double previousM3 = 0;
    double newM3 = 0;
    double differenceM3 = 0;
    bool beyondError = false;
};

struct TableComparison
{
    std::string previousSource, newSource;
    std::vector<LevelDifference> levels;
    std::vector<GirdleDifference> girdles;
    // True: from both tanks' girdle capacities; false: from the tables between
    // the girdles' bounds (a CSV side, or a different girdle count).
    bool girdlesFromCapacities = false;
    std::optional<double> errorM3;     // the new tank's, else the previous one's
    std::string errorSource;
    int levelsBeyondError = 0;
    int girdlesBeyondError = 0;        // a capacity changed by more than the error
    int newLevelsNotCompared = 0;      // outside the previous table's levels
    std::optional<LevelDifference> largest;
    std::optional<GirdleDifference> largestGirdle;
    std::vector<std::string> warnings; // another tank, probably: said, not refused
};

// Whether the comparison found a difference beyond the error (levels or girdles).
bool BeyondError(const TableComparison& comparison);

// Throws TableComparisonError when the two tables share no level.
TableComparison CompareTables(const ComparedTable& previous, const ComparedTable& current);

// The comparison as text for a terminal (tab-separated columns with Russian
// heads) or as CSV (semicolons, plain numbers).
std::string ComparisonText(const TableComparison& comparison);
std::string ComparisonCsv(const TableComparison& comparison);

} // namespace veloquin
