#pragma once
// The openers of the inspector's dialog rows, one per measurement dialog, each
// defined in its dialog's unit. An opener shows the row's dialog modally and
// applies what the dialog closed with (TankInspectorRows.h tells how).

namespace veloquin {

class TankInspectorRows;

void OpenLengthExtCirDlg(TankInspectorRows& rows);       // row 3, ExternalCircumferenceDialog
void OpenThicknessSheetsDlg(TankInspectorRows& rows);    // row 5, SheetThicknessesDialog
void OpenHeightsGirdlesDlg(TankInspectorRows& rows);     // row 7, GirdleHeightsDialog
void OpenWall_PlumbDlg(TankInspectorRows& rows);         // row 12, PlumbReadingsDialog
void OpenLengthIntCirGirdleDlg(TankInspectorRows& rows); // row 13, InternalCircumferenceDialog
void OpenIntDetailsDlg(TankInspectorRows& rows);         // row 14, InternalDetailsDialog
void OpenBottomProminenceDlg(TankInspectorRows& rows);   // row 15, BottomReadingsDialog
void OpenCapacityGirdleDlg(TankInspectorRows& rows);     // row 18, GirdleCapacityDialog
void OpenVolumeInfillDlg(TankInspectorRows& rows);       // row 20, VolumeAtLevelDialog
void OpenBaseHeightDlg(TankInspectorRows& rows);         // row 21, BaseHeightDialog

} // namespace veloquin
