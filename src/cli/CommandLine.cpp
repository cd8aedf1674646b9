#include "CommandLine.h"

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
    "                         into an A4 PDF, as the program prints them\n"
    "\n"
    "options:\n"
    "  --decimal-separator C  '.' or ',' for table, csv and pdf (default: the user's locale)\n"
    "  --pages LIST           pdf: only these pages of the whole set, e.g. 1,3-5\n"
    "  --help                 this text\n"
    "  --version              the program's version\n";

namespace {

std::size_t FileCountOf(const std::string& command)
{
    if (command == "table" || command == "csv" || command == "show" || command == "new")
        return 1;
    if (command == "resave" || command == "pdf")
        return 2;
    throw UsageError("unknown command: " + command);
}

char ParseSeparator(const std::string& value)
{
    if (value != "." && value != ",")
        throw UsageError("the decimal separator must be '.' or ','");
    return value[0];
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
        } else if (argument == pagesOption) {
            if (i + 1 >= arguments.size())
                throw UsageError(pagesOption + " needs a value");
            invocation.pages = arguments[++i];
        } else if (argument.compare(0, pagesOption.size() + 1, pagesOption + "=") == 0) {
            invocation.pages = argument.substr(pagesOption.size() + 1);
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
    return invocation;
}

} // namespace veloquin::cli
