#pragma once
// The gauge table's layout as the export window remembers it: section
// [GaugeTable] of the settings file. A value the program does not know (a
// hand-edited file) reads as the default.

#include "ProfileFile.h"
#include "export/GaugeTable.h"

namespace veloquin {

GaugeTableLayout ReadGaugeTableLayout(const ProfileFile& file);
// Throws SettingsWriteError.
void WriteGaugeTableLayout(ProfileFile& file, const GaugeTableLayout& layout);

} // namespace veloquin
