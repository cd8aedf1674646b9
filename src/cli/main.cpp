// veloquin-cli: the calibration table, the values of a tank and its file for batch
// work and automation, built on the engine alone.

#include "CheckCommand.h"
#include "CommandLine.h"
#include "Commands.h"
#include "GFunc.h"
#include "VeloquinVersion.h"

#include <cerrno>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

void WriteError(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

// Output that cannot be written (a full disk behind a redirection) is a failure
// too: a script must not take a half-written table for a whole one.
bool WriteOutput(const std::string& text)
{
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
        return false;
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    using namespace veloquin::cli;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    Invocation invocation;
    try {
        invocation = ParseCommandLine(arguments);
    } catch (const UsageError& error) {
        WriteError(std::string("veloquin-cli: ") + error.what() + "\n" + kUsage);
        return 2;
    }
    if (invocation.help)
        return WriteOutput(kUsage) ? 0 : 1;
    if (invocation.version)
        return WriteOutput(std::string("veloquin-cli ") + veloquin::kVersion + "\n") ? 0 : 1;

    // The separator comes from the option or else from the user's locale; the C
    // locale of the process is never consulted.
    veloquin::SetDecimalSeparator(invocation.decimalSeparator ? *invocation.decimalSeparator
                                                              : veloquin::UserLocaleDecimalSeparator());
    if (invocation.command == "check") {
        try {
            RefuseOutputThatIsInput(invocation);
        } catch (const CommandError& error) {
            WriteError(error.File() + ": " + error.what() + "\n");
            return 2;
        }
        const CheckOutcome outcome = RunCheck(invocation);
        WriteError(outcome.error);
        return WriteOutput(outcome.output) ? outcome.status : 2;
    }
    try {
        if (!WriteOutput(RunCommand(invocation))) {
            WriteError("veloquin-cli: standard output: I/O error " + std::to_string(errno) + "\n");
            return 1;
        }
    } catch (const FaultFound& fault) {
        WriteOutput(fault.Output());
        return 1;
    } catch (const CommandError& error) {
        WriteError(error.File() + ": " + error.what() + "\n");
        return 1;
    } catch (const std::exception& error) {
        WriteError(std::string("veloquin-cli: ") + error.what() + "\n");
        return 1;
    }
    return 0;
}
