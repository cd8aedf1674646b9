#include "GridClipboardBinding.h"

#include "ClipboardAdaptor.h"
#include "GridClipboardText.h"
#include "GeneralErrorReport.h"
#include "GridClipboardActions.h"
#include "StringGrid.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>

namespace veloquin {
namespace {

// "1 строка", "2 строки", "5 строк".
QString Counted(qsizetype n, const char* one, const char* few, const char* many)
{
    const qsizetype lastTwo = n % 100;
    const qsizetype last = n % 10;
    const char* word = many;
    if (lastTwo < 11 || lastTwo > 14) {
        if (last == 1)
            word = one;
        else if (last >= 2 && last <= 4)
            word = few;
    }
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(word);
}

QString Rows(qsizetype n)
{
    return Counted(n, "строка", "строки", "строк");
}

QString Cols(qsizetype n)
{
    return Counted(n, "столбец", "столбца", "столбцов");
}

// A cell as the user sees it named: by its header texts where the grid has
// them, by its number otherwise.
QString CellName(const StringGrid& grid, int col, int row)
{
    const QString rowName = grid.FixedCols() > 0 ? grid.Cells(0, row).trimmed()
                                                 : QStringLiteral("строка %1").arg(row - grid.FixedRows() + 1);
    const QString colName = grid.FixedRows() > 0 ? grid.Cells(col, 0).trimmed()
                                                 : QStringLiteral("столбец %1").arg(col - grid.FixedCols() + 1);
    return QStringLiteral("«%1», «%2»").arg(rowName, colName);
}

// The edit box of the dialog that has the focus, not a grid's own editor.
QLineEdit* FocusedEditBox(QDialog& dialog, const StringGrid& grid)
{
    auto* edit = qobject_cast<QLineEdit*>(dialog.focusWidget());
    return edit && edit != grid.InplaceEditor() ? edit : nullptr;
}

} // namespace

QString CheckGridPaste(const StringGrid& grid, int startCol, int startRow, const QString& text)
{
    // The reading of PasteGridText: only CR LF ends a row, one CR or LF at the
    // very end is no row; TAB ends a cell.
    qsizetype n = text.size();
    if (n > 0 && (text[n - 1] == u'\r' || text[n - 1] == u'\n'))
        --n;
    if (n > 0 && (text[n - 1] == u'\r' || text[n - 1] == u'\n'))
        --n;
    qsizetype rows = 1;
    qsizetype cols = 1;
    qsizetype col = 0;
    qsizetype cellChars = 0;
    qsizetype longRow = -1;
    qsizetype longCol = -1;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text[i];
        if (ch == u'\t') {
            ++col;
            cols = std::max(cols, col + 1);
            cellChars = 0;
        } else if (ch == u'\r' && i + 1 < n && text[i + 1] == u'\n') {
            ++rows;
            col = 0;
            cellChars = 0;
            ++i;
        } else if (++cellChars > StringGrid::kMaxCellChars && longRow < 0) {
            longRow = rows - 1;
            longCol = col;
        }
    }
    const qsizetype roomRows = grid.RowCount() - startRow;
    const qsizetype roomCols = grid.ColCount() - startCol;
    if (rows > roomRows || cols > roomCols)
        return QStringLiteral("Вставляемый блок: %1 × %2, а от текущей ячейки до края таблицы помещается %3 × %4. "
                              "Ничего не вставлено")
            .arg(Rows(rows), Cols(cols), Rows(roomRows), Cols(roomCols));
    if (longRow >= 0)
        return QStringLiteral("Текст для ячейки %1 длиннее %2 знаков. Ничего не вставлено")
            .arg(CellName(grid, startCol + static_cast<int>(longCol), startRow + static_cast<int>(longRow)))
            .arg(StringGrid::kMaxCellChars);
    return {};
}

bool PasteCheckedGridText(QDialog& dialog, StringGrid& grid, const QString& text)
{
    const QString refusal = CheckGridPaste(grid, grid.Col(), grid.Row(), text);
    if (!refusal.isEmpty()) {
        ReportGeneralError(&dialog, refusal);
        return false;
    }
    PasteGridText(grid, grid.Col(), grid.Row(), text);
    return true;
}

GridClipboardActions BindGridClipboard(QDialog& dialog, StringGrid& grid, GridToolBarPlace toolBar,
                                       std::function<void()> afterPaste)
{
    const GridClipboardActions actions = CreateGridClipboardActions(&dialog);
    if (toolBar == GridToolBarPlace::TopLeft)
        actions.toolBar->move(0, 0);
    else
        actions.toolBar->hide();
    StringGrid* target = &grid;
    QObject::connect(actions.acSelAll, &QAction::triggered, &dialog, [&dialog, target] {
        if (QLineEdit* edit = FocusedEditBox(dialog, *target))
            edit->selectAll();
        else if (target->isVisible())
            SelectAllGridCells(*target);
    });
    QObject::connect(actions.acCopy, &QAction::triggered, &dialog, [&dialog, target] {
        if (QLineEdit* edit = FocusedEditBox(dialog, *target))
            edit->copy();
        else if (target->isVisible())
            CopyGridRange(*target, target->Selection());
    });
    QObject::connect(actions.acCut, &QAction::triggered, &dialog, [&dialog, target] {
        if (QLineEdit* edit = FocusedEditBox(dialog, *target))
            edit->cut();
        else if (target->isVisible())
            CutGridRange(*target, target->Selection());
    });
    QObject::connect(actions.acPaste, &QAction::triggered, &dialog, [&dialog, target, afterPaste] {
        bool pasted = false;
        if (QLineEdit* edit = FocusedEditBox(dialog, *target)) {
            edit->paste();
            pasted = true;
        } else if (target->isVisible()) {
            pasted = PasteCheckedGridText(dialog, *target, ReadClipboardText());
        }
        if (pasted && afterPaste)
            afterPaste();
    });
    return actions;
}

} // namespace veloquin
