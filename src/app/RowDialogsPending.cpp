// The dialog rows whose dialogs do not exist yet: their button does nothing.
// Each opener moves to its dialog's unit when that is built.

#include "RowDialogOpeners.h"

namespace veloquin {

void OpenWall_PlumbDlg(TankInspectorRows& /*rows*/) {}
void OpenIntDetailsDlg(TankInspectorRows& /*rows*/) {}
void OpenBottomProminenceDlg(TankInspectorRows& /*rows*/) {}
void OpenCapacityGirdleDlg(TankInspectorRows& /*rows*/) {}
void OpenVolumeInfillDlg(TankInspectorRows& /*rows*/) {}
void OpenBaseHeightDlg(TankInspectorRows& /*rows*/) {}

} // namespace veloquin
