#pragma once
// The commands of veloquin-cli. Each returns the text meant for standard output;
// a failure names the file it concerns.

#include "CommandLine.h"
#include "TankFile.h"

#include <stdexcept>
#include <string>

namespace veloquin::cli {

// The tool's exit statuses, as --help lists them: a script tells a fault found
// in a tank from a file it could not read and from an output not written.
enum class ExitStatus : int
{
    Success = 0,
    Failed = 1,     // a fault found, or the input refused (its table cannot be computed...)
    Unreadable = 2, // an input cannot be read (and wrong usage)
    Unwritten = 3,  // an output cannot be written, or was refused (it is an input)
};

// A command that failed on a file; the tool prints "FILE: message" and exits with its status.
class CommandError : public std::runtime_error
{
public:
    CommandError(std::string file, const std::string& message, ExitStatus status = ExitStatus::Failed)
        : std::runtime_error(message), m_file(std::move(file)), m_status(status)
    {
    }
    const std::string& File() const { return m_file; }
    ExitStatus Status() const { return m_status; }

private:
    std::string m_file;
    ExitStatus m_status;
};

// A command that ran to the end but found a fault in what it examined (compare:
// a difference beyond the stated error); the tool prints the output and exits with 1.
class FaultFound : public std::runtime_error
{
public:
    explicit FaultFound(std::string output) : std::runtime_error("fault found"), m_output(std::move(output)) {}
    const std::string& Output() const { return m_output; }

private:
    std::string m_output;
};

// Opens a tank file as the program's Open does; a failure names the file.
LoadedTank LoadTank(const std::string& path);

// Throws CommandError naming the file when the tank's calibration table is empty,
// refused or not all numbers: such a table is never handed out as a result.
void RefuseFaultyTable(const std::string& path, const TSteelVertCylTank& tank);

// Throws CommandError when an output of the command (a file, or standard output
// redirected to a file) is the input file itself, however it is named.
void RefuseOutputThatIsInput(const Invocation& invocation);

std::string RunCommand(const Invocation& invocation);

} // namespace veloquin::cli
