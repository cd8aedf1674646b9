#pragma once
// veloquin-cli check: the field-data findings of one tank, as lines or as JSON,
// with an exit status a shell loop over a tank farm can test.

#include "CommandLine.h"
#include "Commands.h"

#include <string>

namespace veloquin::cli {

struct CheckOutcome
{
    std::string output; // standard output
    std::string error;  // standard error
    // Success without errors (warnings allowed), Failed with at least one error,
    // Unreadable when the file cannot be read.
    ExitStatus status = ExitStatus::Success;
};

CheckOutcome RunCheck(const Invocation& invocation);

} // namespace veloquin::cli
