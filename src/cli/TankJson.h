#pragma once
// Every input and derived value of a loaded tank as JSON, keyed by the tank's
// field names, for scripts and for comparing against independently computed
// results.

#include "TankFile.h"

#include <string>

namespace veloquin::cli {

std::string TankToJson(const LoadedTank& loaded);

} // namespace veloquin::cli
