#include "GridClipboardText.h"

#include "ClipboardAdaptor.h"

namespace veloquin {
namespace {

const QChar kTab(u'\t');
const QChar kCr(u'\r');
const QChar kLf(u'\n');

} // namespace

QString GridRangeText(const StringGrid& grid, const GridRect& range)
{
    QString text;
    for (int row = range.Top; row <= range.Bottom; ++row) {
        for (int col = range.Left; col <= range.Right; ++col) {
            text += grid.Cells(col, row);
            text += col < range.Right ? QString(kTab) : QStringLiteral("\r\n");
        }
    }
    return text;
}

void CopyGridRange(const StringGrid& grid, const GridRect& range)
{
    WriteClipboardText(GridRangeText(grid, range));
}

void CutGridRange(StringGrid& grid, const GridRect& range)
{
    CopyGridRange(grid, range);
    for (int row = range.Top; row <= range.Bottom; ++row)
        for (int col = range.Left; col <= range.Right; ++col)
            grid.SetCell(col, row, QString());
}

void PasteGridText(StringGrid& grid, int startCol, int startRow, const QString& text)
{
    // The cell the cursor is in is built up here and written when the cursor
    // leaves it, which is the same as emptying it on entry and appending to it,
    // without rewriting a long cell text once per character.
    int col = startCol;
    int row = startRow;
    QString cell;
    bool skip = false;
    const int n = static_cast<int>(text.size());
    for (int i = 1; i <= n; ++i) {
        const QChar ch = text[i - 1];
        if ((i == n || i == n - 1) && (ch == kCr || ch == kLf))
            break;
        if (skip) {
            skip = false;
            continue;
        }
        const QChar next = i == n ? QChar(u'n') : text[i];
        if (ch == kTab) {
            grid.SetCell(col, row, cell);
            cell.clear();
            ++col;
        } else if (ch == kCr && next == kLf) {
            grid.SetCell(col, row, cell);
            cell.clear();
            ++row;
            col = startCol;
            skip = true;
        } else {
            cell += ch;
        }
    }
    grid.SetCell(col, row, cell);
    grid.SetSelection(GridCoord{col, row}, GridCoord{startCol, startRow});
}

void PasteGridText(StringGrid& grid, int startCol, int startRow)
{
    PasteGridText(grid, startCol, startRow, ReadClipboardText());
}

void SelectAllGridCells(StringGrid& grid)
{
    grid.SetSelection(GridCoord{0, 0}, GridCoord{grid.ColCount() - 1, grid.RowCount() - 1});
}

} // namespace veloquin
