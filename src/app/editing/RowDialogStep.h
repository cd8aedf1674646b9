#pragma once
// How every dialog row of the inspector runs its dialog: one step of the
// editing from showing to closing, however it closes, named by the dialog's
// caption; the rows then show the tank again, the row's panel included.

#include <functional>

class QDialog;

namespace veloquin {

class TSteelVertCylTank;

class TankInspectorRows;
enum class TankRow;

// Shows dialog modally; applyOnOk (may be empty) writes what the dialog closed
// with into the tank it is given when the dialog closed with OK: the dialogs
// only read the tank, and work on copies of their own while open. A dialog left
// any other way (Esc, Cancel, its close button) leaves the tank as it was. The
// focus then goes back to the inspector, on the row.
void RunRowDialog(TankInspectorRows& rows, TankRow row, QDialog& dialog,
                  const std::function<void(TSteelVertCylTank&)>& applyOnOk = {});

} // namespace veloquin
