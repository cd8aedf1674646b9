#pragma once
// The arguments of veloquin-cli: one command, its file names, and the options.

#include "export/GaugeTable.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace veloquin::cli {

// Wrong usage; the tool prints the usage and exits with 2.
class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct Invocation
{
    bool help = false;
    bool version = false;
    std::string command;
    std::vector<std::string> files;
    std::optional<char> decimalSeparator;
    std::optional<std::string> pages; // pdf only: the page list as typed
    std::optional<int> gaugePoints;             // gauge: at most this many points
    std::optional<double> gaugeMaxErrorLitres;  // gauge: the fewest points within this
    GaugeTableLayout gaugeLayout;               // gauge: units and the touch-point row
    bool gaugeLayoutAsked = false;
    bool workbookUncertainty = false;           // xlsx: the column "U, м³"
    bool csv = false;                           // compare: CSV instead of text
    bool json = false;                // check and uncertainty: JSON
    // uncertainty: as typed, checked by CheckUncertaintyOptions.
    std::optional<std::string> monteCarloTrials;
    std::optional<std::string> seed;
    std::vector<std::string> uncertaintySets;
    std::vector<std::pair<std::string, std::string>> uncertaintyIntervals;
};

// Throws UsageError for an unknown command or option, a missing or extra file
// name, a separator other than "." and ",", --pages with a command but pdf,
// --json with a command but check and uncertainty, gauge without exactly one of --points and
// --max-error, a gauge unit not known or given with a command but gauge,
// --uncertainty with a command but xlsx, or --csv with a command but compare.
Invocation ParseCommandLine(const std::vector<std::string>& arguments);

extern const char* const kUsage;

} // namespace veloquin::cli
