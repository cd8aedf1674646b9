// veloquin-cli: the calibration table, the values of a tank and its file for batch
// work and automation, built on the engine alone.

#include "CheckCommand.h"
#include "CommandLine.h"
#include "Commands.h"
#include "FileIo.h"
#include "GFunc.h"
#include "VeloquinVersion.h"

#include <cerrno>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

using veloquin::cli::ExitStatus;

int Exit(ExitStatus status)
{
    return static_cast<int>(status);
}

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

// Writes the command's output; says so and gives the status of an output not
// written when it cannot.
int Finish(const std::string& output, ExitStatus status)
{
    if (WriteOutput(output))
        return Exit(status);
    WriteError("veloquin-cli: standard output: " + veloquin::IoErrorText(errno) + "; the output is incomplete\n");
    return Exit(ExitStatus::Unwritten);
}

void ReportFailure(const veloquin::cli::CommandError& error)
{
    WriteError(veloquin::OneLineText(error.File()) + ": " + error.what() + "\n");
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
        return Exit(ExitStatus::Unreadable);
    }
    if (invocation.help)
        return Finish(kUsage, ExitStatus::Success);
    if (invocation.version)
        return Finish(std::string("veloquin-cli ") + veloquin::kVersion + "\n", ExitStatus::Success);

    // The separator comes from the option or else from the user's locale; the C
    // locale of the process is never consulted.
    veloquin::SetDecimalSeparator(invocation.decimalSeparator ? *invocation.decimalSeparator
                                                              : veloquin::UserLocaleDecimalSeparator());
    try {
        if (invocation.command == "check") {
            RefuseOutputThatIsInput(invocation);
            const CheckOutcome outcome = RunCheck(invocation);
            WriteError(outcome.error);
            return Finish(outcome.output, outcome.status);
        }
        return Finish(RunCommand(invocation), ExitStatus::Success);
    } catch (const FaultFound& fault) {
        return Finish(fault.Output(), ExitStatus::Failed);
    } catch (const CommandError& error) {
        ReportFailure(error);
        return Exit(error.Status());
    } catch (const std::exception& error) {
        WriteError(std::string("veloquin-cli: ") + error.what() + "\n");
        return Exit(ExitStatus::Failed);
    }
}
