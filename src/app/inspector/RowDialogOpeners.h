#pragma once
// The openers of the inspector's dialog rows, one per measurement dialog, each
// defined in its dialog's unit. An opener shows the row's dialog modally and
// applies what the dialog closed with (SteelVertCylTankUnit.h tells how).

namespace veloquin {

class TankInspectorRows;

void OpenLengthExtCirDlg(TankInspectorRows& rows);       // row 3, LengthExtCir
void OpenThicknessSheetsDlg(TankInspectorRows& rows);    // row 5, ThicknessSheets
void OpenHeightsGirdlesDlg(TankInspectorRows& rows);     // row 7, HeightsGirdlesUnit
void OpenWall_PlumbDlg(TankInspectorRows& rows);         // row 12, Wall_PlumbUnit
void OpenLengthIntCirGirdleDlg(TankInspectorRows& rows); // row 13, LengthIntCirGirdleUnit
void OpenIntDetailsDlg(TankInspectorRows& rows);         // row 14, IntDetailsUnit
void OpenBottomProminenceDlg(TankInspectorRows& rows);   // row 15, BottomProminenceUnit
void OpenCapacityGirdleDlg(TankInspectorRows& rows);     // row 18, CapacityGirdleUnit
void OpenVolumeInfillDlg(TankInspectorRows& rows);       // row 20, VolumeInfillUnit
void OpenBaseHeightDlg(TankInspectorRows& rows);         // row 21, BaseHeightUnit

} // namespace veloquin
