#include "CommandLine.h"

#include "GFunc.h"
#include "export/GaugeTable.h"
#include "UncertaintyCommand.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>

namespace veloquin::cli {

const char* const kUsage =
    "usage: veloquin-cli COMMAND ARGUMENTS [--decimal-separator C] [--pages LIST]\n"
    "\n"
    "commands:\n"
    "  table FILE.vlq         the calibration table as text, one line per 10 mm\n"
    "  csv FILE.vlq           the calibration table for spreadsheets (girdle;level_mm;volume_m3)\n"
    "  show FILE.vlq          every input and derived value of the tank as JSON\n"
    "  new OUT.vlq            write the file of a new, unchanged tank\n"
    "  resave IN.vlq OUT.vlq  open a tank file and store it again\n"
    "  pdf FILE.vlq OUT.pdf   print the documents (protocol, calibration table, outline)\n"
    "                         into an A4 PDF, as the program prints them; a text too long\n"
    "                         for its place on a sheet is named on stderr\n"
    "  xlsx FILE.vlq OUT.xlsx the calibration table, the fractional parts of a centimetre\n"
    "                         and every input as a spreadsheet workbook\n"
    "  gauge FILE.vlq --points N | --max-error LITRES [--level-unit U] [--volume-unit U]\n"
    "        [--touch-point-row]\n"
    "                         a table for level gauges (level_mm;volume_m3): at most N\n"
    "                         points (2 to 5000), or the fewest within LITRES, chosen so\n"
    "                         that linear interpolation departs least from the full table\n"
    "  compare OLD NEW        the new table against the previous one (a tank file or a\n"
    "                         CSV of levels and volumes, in the units its header names:\n"
    "                         mm, cm or m and m3 or l; mm and m3 without units); exits\n"
    "                         with 1 when a difference exceeds the error stated on the\n"
    "                         protocol\n"
    "  check FILE.vlq         the field-data findings, one line each; exits with 1 when\n"
    "                         there are errors\n"
    "  uncertainty FILE.vlq   the table's expanded uncertainty (k = 2) at the design fill\n"
    "                         height, at 500 mm and over its worst 2 m interval, with the\n"
    "                         budget of its sources\n"
    "\n"
    "options:\n"
    "  --decimal-separator C  '.' or ',' for table, csv, pdf and gauge (default: the user's\n"
    "                         locale)\n"
    "  --pages LIST           pdf: only these pages of the whole set, e.g. 1,3-5\n"
    "  --points N             gauge: at most N points\n"
    "  --max-error LITRES     gauge: the largest departure allowed, in litres\n"
    "  --level-unit U         gauge: the levels in mm (default) or cm\n"
    "  --volume-unit U        gauge: the volumes in m3 (default) or l\n"
    "  --touch-point-row      gauge: a first row at the tape's touch point (level 0) with\n"
    "                         the volume below the first level\n"
    "  --uncertainty          xlsx: the column \"U, м³\" beside the volumes (the linear\n"
    "                         estimate; --set KEY=VALUE changes a source as for uncertainty)\n"
    "  --csv                  compare: semicolon-separated values instead of text\n"
    "  --json                 check: the findings as {\"findings\": [...]};\n"
    "                         uncertainty: every level and figure as JSON\n"
    "  --monte-carlo M        uncertainty: M trials of the Monte Carlo method instead of\n"
    "                         the linear estimate\n"
    "  --seed S               uncertainty: the Monte Carlo's seed\n"
    "  --set KEY=VALUE        uncertainty: one source's value for this run (0 switches it off)\n"
    "  --interval FROM TO     uncertainty: the volume between two levels (mm) and its U\n"
    "  --help                 this text\n"
    "  --version              the program's version\n"
    "\n"
    "exit status:\n"
    "  0  done\n"
    "  1  a fault found (check: errors; compare: a difference beyond the error), or the\n"
    "     tank refused (its table cannot be computed, no gauge table can be chosen)\n"
    "  2  an input file cannot be read, or wrong usage\n"
    "  3  an output cannot be written (a file or standard output), or it is an input\n";

namespace {

std::size_t FileCountOf(const std::string& command)
{
    if (command == "table" || command == "csv" || command == "show" || command == "new" || command == "check" ||
        command == "uncertainty")
        return 1;
    if (command == "gauge")
        return 1;
    if (command == "resave" || command == "pdf" || command == "xlsx" || command == "compare")
        return 2;
    throw UsageError("unknown command: " + command);
}

char ParseSeparator(const std::string& value)
{
    if (value != "." && value != ",")
        throw UsageError("--decimal-separator must be '.' or ',', not " + value);
    return value[0];
}

int ParsePoints(const std::string& value)
{
    int points = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), points);
    if (error != std::errc() || end != value.data() + value.size())
        throw UsageError("--points needs a whole number, not " + value);
    if (points < kMinGaugePoints || points > kMaxGaugePoints)
        throw UsageError("--points must be from " + std::to_string(kMinGaugePoints) + " to " +
                         std::to_string(kMaxGaugePoints) + ", not " + value);
    return points;
}

double ParseLitres(std::string value)
{
    std::replace(value.begin(), value.end(), ',', '.');
    double litres = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), litres);
    const bool outOfRange = error == std::errc::result_out_of_range; // 1e999 or 1e-999
    if (value.empty() || (error != std::errc() && !outOfRange) || end != value.data() + value.size())
        throw UsageError("--max-error needs a number of litres, not " + value);
    if (outOfRange || !(litres >= kMinGaugeErrorLitres) || !std::isfinite(litres))
        throw UsageError("--max-error must be a finite number of litres, at least " + FloatToStr(kMinGaugeErrorLitres) +
                         ", not " + value);
    return litres;
}

template <class Unit>
Unit ParseUnit(const std::string& option, const std::string& value, std::optional<Unit> unit, const char* known)
{
    if (!unit)
        throw UsageError(option + " must be " + known + ", not " + value);
    return *unit;
}

// "--name value" or "--name=value"; true when `arguments[i]` is the option.
bool OptionValue(const std::vector<std::string>& arguments, std::size_t& i, const std::string& name, std::string& value)
{
    const std::string& argument = arguments[i];
    if (argument == name) {
        if (i + 1 >= arguments.size())
            throw UsageError(name + " needs a value");
        value = arguments[++i];
        return true;
    }
    if (argument.compare(0, name.size() + 1, name + "=") == 0) {
        value = argument.substr(name.size() + 1);
        return true;
    }
    return false;
}

} // namespace

Invocation ParseCommandLine(const std::vector<std::string>& arguments)
{
    static const std::string separatorOption = "--decimal-separator";
    static const std::string pagesOption = "--pages";
    Invocation invocation;
    std::vector<std::string> words;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            invocation.help = true;
        } else if (argument == "--version") {
            invocation.version = true;
        } else if (argument == separatorOption) {
            if (i + 1 >= arguments.size())
                throw UsageError(separatorOption + " needs a value");
            invocation.decimalSeparator = ParseSeparator(arguments[++i]);
        } else if (argument.compare(0, separatorOption.size() + 1, separatorOption + "=") == 0) {
            invocation.decimalSeparator = ParseSeparator(argument.substr(separatorOption.size() + 1));
        } else if (argument == "--json") {
            invocation.json = true;
        } else if (argument == pagesOption) {
            if (i + 1 >= arguments.size())
                throw UsageError(pagesOption + " needs a value");
            invocation.pages = arguments[++i];
        } else if (argument.compare(0, pagesOption.size() + 1, pagesOption + "=") == 0) {
            invocation.pages = argument.substr(pagesOption.size() + 1);
        } else if (std::string value; OptionValue(arguments, i, "--points", value)) {
            invocation.gaugePoints = ParsePoints(value);
        } else if (OptionValue(arguments, i, "--max-error", value)) {
            invocation.gaugeMaxErrorLitres = ParseLitres(value);
        } else if (OptionValue(arguments, i, "--level-unit", value)) {
            invocation.gaugeLayout.levelUnit =
                ParseUnit("--level-unit", value, GaugeLevelUnitNamed(value), "mm or cm");
            invocation.gaugeLayoutAsked = true;
        } else if (OptionValue(arguments, i, "--volume-unit", value)) {
            invocation.gaugeLayout.volumeUnit =
                ParseUnit("--volume-unit", value, GaugeVolumeUnitNamed(value), "m3 or l");
            invocation.gaugeLayoutAsked = true;
        } else if (argument == "--touch-point-row") {
            invocation.gaugeLayout.touchPointRow = true;
            invocation.gaugeLayoutAsked = true;
        } else if (argument == "--uncertainty") {
            invocation.workbookUncertainty = true;
        } else if (OptionValue(arguments, i, "--monte-carlo", value)) {
            invocation.monteCarloTrials = value;
        } else if (OptionValue(arguments, i, "--seed", value)) {
            invocation.seed = value;
        } else if (OptionValue(arguments, i, "--set", value)) {
            invocation.uncertaintySets.push_back(value);
        } else if (argument == "--interval") {
            if (i + 2 >= arguments.size())
                throw UsageError("--interval needs two levels");
            invocation.uncertaintyIntervals.emplace_back(arguments[i + 1], arguments[i + 2]);
            i += 2;
        } else if (argument == "--csv") {
            invocation.csv = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw UsageError("unknown option: " + argument);
        } else {
            words.push_back(argument);
        }
    }
    if (invocation.help || invocation.version)
        return invocation;
    if (words.empty())
        throw UsageError("no command given");

    invocation.command = words.front();
    invocation.files.assign(words.begin() + 1, words.end());
    if (invocation.files.size() != FileCountOf(invocation.command))
        throw UsageError("wrong number of file names for " + invocation.command);
    if (invocation.pages && invocation.command != "pdf")
        throw UsageError(pagesOption + " is only for pdf");
    const bool gauge = invocation.command == "gauge";
    if (!gauge && (invocation.gaugePoints || invocation.gaugeMaxErrorLitres))
        throw UsageError("--points and --max-error are only for gauge");
    if (!gauge && invocation.gaugeLayoutAsked)
        throw UsageError("--level-unit, --volume-unit and --touch-point-row are only for gauge");
    if (invocation.workbookUncertainty && invocation.command != "xlsx")
        throw UsageError("--uncertainty is only for xlsx");
    if (gauge && invocation.gaugePoints.has_value() == invocation.gaugeMaxErrorLitres.has_value())
        throw UsageError("gauge needs either --points or --max-error");
    if (invocation.csv && invocation.command != "compare")
        throw UsageError("--csv is only for compare");
    if (invocation.json && invocation.command != "check" && invocation.command != "uncertainty")
        throw UsageError("--json is only for check and uncertainty");
    CheckUncertaintyOptions(invocation);
    return invocation;
}

} // namespace veloquin::cli
