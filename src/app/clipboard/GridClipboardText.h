#pragma once
// Copy, cut, paste and select all on a rectangular range of a measurement grid,
// exchanged with the clipboard as text: the cells of a row joined by TAB, every
// row (the last one too) ended by CR LF, cell texts as they stand.
//
// How a dialog uses it: its acCopy, acCut, acPaste and acSelAll handlers
// (GridClipboardActions.h creates the actions and their tool bar) call
//     CopyGridRange(*m_grid, m_grid->Selection());
//     CutGridRange(*m_grid, m_grid->Selection());
//     PasteGridText(*m_grid, m_grid->Col(), m_grid->Row());
//     SelectAllGridCells(*m_grid);
// and then re-read the grid into the tank where the dialog does so. None of
// them fires the grid's onSetEditText: that reports the user's typing only.

#include "StringGrid.h"

#include <QString>

namespace veloquin {

// The clipboard text of a range (empty for an empty range).
QString GridRangeText(const StringGrid& grid, const GridRect& range);
void CopyGridRange(const StringGrid& grid, const GridRect& range);
// Copies, then empties every cell of the range.
void CutGridRange(StringGrid& grid, const GridRect& range);

// Writes the text into the grid from the start cell on: TAB moves to the next
// column, only the pair CR LF to the next row (back at the start column); each
// cell is emptied when the text enters it, so the block replaces what was there.
// A lone CR or LF stays in a cell's text, one trailing CR LF adds no row, and
// what falls beyond the grid is dropped. Afterwards the pasted block is
// selected with the current cell still at the start cell.
void PasteGridText(StringGrid& grid, int startCol, int startRow, const QString& text);
// The same with the clipboard's text (ClipboardAdaptor.h).
void PasteGridText(StringGrid& grid, int startCol, int startRow);

// Every cell, header cells included: anchor (0, 0), current cell the bottom-right one.
void SelectAllGridCells(StringGrid& grid);

} // namespace veloquin
