#pragma once
// Where the user edits the value a finding is about: the inspector row, and in
// the row's dialog the grid cell, edit box or list item that holds it.

#include "TankInspectorRows.h"
#include "TankChecks.h"

class QWidget;

namespace veloquin {

enum class FindingControl
{
    InPlace, // the row's own edit box in the inspector
    Grid,    // a cell of the dialog's grid
    Edit,    // an edit box of the dialog, by its object name
    List,    // an item of the dialog's list
    Dialog   // the dialog as a whole
};

struct FindingPlace
{
    TankRow row;
    FindingControl control;
    const char* editName; // Edit only
    int col;              // Grid: the cell; List: the item in row
    int gridRow;
};

FindingPlace PlaceOf(const Finding& finding);

// Puts the focus on the finding's cell, edit box or item inside the row's
// dialog; false when the dialog holds no such control.
bool FocusFindingIn(QWidget& dialog, const Finding& finding);

} // namespace veloquin
