#pragma once
// The commands of veloquin-cli. Each returns the text meant for standard output;
// a failure names the file it concerns.

#include "CommandLine.h"
#include "TankClasses.h"

#include <stdexcept>
#include <string>

namespace veloquin::cli {

// A command that failed on a file; the tool prints "FILE: message" and exits with 1.
class CommandError : public std::runtime_error
{
public:
    CommandError(std::string file, const std::string& message) : std::runtime_error(message), m_file(std::move(file)) {}
    const std::string& File() const { return m_file; }

private:
    std::string m_file;
};

// Every command but pdf (PdfCommand.h), which needs the documents layer: the
// commands here use the engine alone, so that the fuzzers can link them.
std::string RunCommand(const Invocation& invocation);

// The calibration table as semicolon-separated rows; steps the tank's GivenLevel
// and throws TableTooLongError.
std::string CalibrationTableCsv(TSteelVertCylTank& tank);

} // namespace veloquin::cli
