#pragma once
// veloquin-cli check: the field-data findings of one tank, as lines or as JSON,
// with an exit status a shell loop over a tank farm can test.

#include "CommandLine.h"

#include <string>

namespace veloquin::cli {

struct CheckOutcome
{
    std::string output; // standard output
    std::string error;  // standard error
    // 0 without errors (warnings allowed), 1 with at least one error, 2 when the
    // file cannot be read.
    int status = 0;
};

CheckOutcome RunCheck(const Invocation& invocation);

} // namespace veloquin::cli
