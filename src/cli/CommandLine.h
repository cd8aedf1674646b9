#pragma once
// The arguments of veloquin-cli: one command, its file names, and the options.

#include <optional>
#include <stdexcept>
#include <string>
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
};

// Throws UsageError for an unknown command or option, a missing or extra file
// name, a separator other than "." and ",", or --pages with a command but pdf.
Invocation ParseCommandLine(const std::vector<std::string>& arguments);

extern const char* const kUsage;

} // namespace veloquin::cli
