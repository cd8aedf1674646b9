#pragma once
// The inspector's caption column at first start: before the user ever set its
// width, it is as wide as its longest caption, so that no caption is cut.

#include "Settings.h"

namespace veloquin {

class TankInspector;

// The width (px) that shows every caption the inspector holds in full.
int CaptionColumnFitPx(const TankInspector& inspector);

// The inspector's geometry from the settings, with the caption column widened to
// fit its captions while no width has been stored yet.
InspectorSettings InspectorGeometryToShow(const ProfileFile& settings, const TankInspector& inspector);

} // namespace veloquin
