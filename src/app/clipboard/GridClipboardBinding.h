#pragma once
// One binding of the clipboard actions (Select all, Copy, Cut, Paste) to a
// dialog's measurement grid, for every grid that takes input.
//
// The actions act on the edit box that has the focus, if one has (its own
// select all, copy, cut and paste); otherwise on the grid while it is shown.
// A paste into the grid is checked first (CheckGridPaste): a block that does
// not fit between the current cell and the grid's edge, or a cell text longer
// than a cell holds, is refused with a message and changes nothing.
//
// How a dialog uses it:
//     BindGridClipboard(*this, *m_grid, GridToolBarPlace::TopLeft, [this] { ApplyPasted(); });

#include "GridClipboardActions.h"

#include <QString>

#include <functional>

class QDialog;

namespace veloquin {

class StringGrid;

enum class GridToolBarPlace
{
    TopLeft, // the flat tool bar at (0, 0)
    None,    // shortcuts only
};

// afterPaste runs after every paste that went in (into the grid or an edit box).
GridClipboardActions BindGridClipboard(QDialog& dialog, StringGrid& grid, GridToolBarPlace toolBar,
                                       std::function<void()> afterPaste = {});

// Why the text cannot be pasted at the start cell, or an empty text when it
// can: its block (rows of TAB-separated cells, as PasteGridText reads them)
// must fit between the start cell and the grid's last row and column, and no
// cell may hold more than StringGrid::kMaxCellChars characters. One pass over
// the text, without copying it.
QString CheckGridPaste(const StringGrid& grid, int startCol, int startRow, const QString& text);

// CheckGridPaste, then PasteGridText; a refusal is reported to the dialog. True when pasted.
bool PasteCheckedGridText(QDialog& dialog, StringGrid& grid, const QString& text);

} // namespace veloquin
