#pragma once
// veloquin-cli uncertainty: the table's uncertainty at the design fill height,
// at 500 mm, over its worst 2 m interval and over intervals asked for, with the
// budget, as text or as JSON.

#include "CommandLine.h"
#include "uncertainty/TableUncertainty.h"

#include <string>

namespace veloquin::cli {

// Throws UsageError for a --monte-carlo, --seed, --set or --interval that does
// not parse, names no source or lies outside the source's bounds, or that is
// given with another command.
void CheckUncertaintyOptions(const Invocation& invocation);

// The estimate behind xlsx --uncertainty: the linear one, with the sources
// --set gives. Throws CommandError naming the tank file when there is none.
TableUncertainty WorkbookUncertainty(const Invocation& invocation, const TSteelVertCylTank& tank);

// Throws CommandError naming the file when it cannot be read or its table is refused.
std::string RunUncertainty(const Invocation& invocation);

} // namespace veloquin::cli
