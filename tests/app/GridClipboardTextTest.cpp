// The clipboard texts of the measurement grids: what Copy puts there, how Paste
// lays a text out (only CR LF ends a row, cells are replaced, the pasted block
// is selected), the adaptor's row ends for spreadsheet text, Cut and Select all,
// and the four actions with their tool bar.

#include "GridClipboardText.h"
#include "AppTestSupport.h"
#include "ClipboardAdaptor.h"
#include "GridClipboardActions.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QTest>
#include <QToolButton>

#include <chrono>

using namespace veloquin;

namespace {

// A grid with one header row and one header column, as the measurement grids have.
std::unique_ptr<StringGrid> MakeGrid(int cols = 4, int rows = 4)
{
    auto grid = std::make_unique<StringGrid>();
    grid->resize(300, 200);
    grid->SetColCount(cols);
    grid->SetRowCount(rows);
    return grid;
}

QStringList Row(const StringGrid& grid, int row)
{
    QStringList cells;
    for (int col = 0; col < grid.ColCount(); ++col)
        cells.append(grid.Cells(col, row));
    return cells;
}

} // namespace

class GridClipboardTextTest : public QObject
{
    Q_OBJECT

private slots:
    void copyPutsTabsAndCrLfRowEnds()
    {
        ScopedTestClipboard clipboard;
        auto grid = MakeGrid();
        grid->SetCell(1, 1, QStringLiteral("1"));
        grid->SetCell(2, 1, QStringLiteral("2"));
        grid->SetCell(1, 2, QStringLiteral("3"));
        grid->SetCell(2, 2, QStringLiteral("4"));
        CopyGridRange(*grid, GridRect{1, 1, 2, 2});
        QCOMPARE(clipboard.ReadText(), QStringLiteral("1\t2\r\n3\t4\r\n"));

        // Empty cells keep their place; an empty range puts an empty text.
        CopyGridRange(*grid, GridRect{1, 2, 3, 3});
        QCOMPARE(clipboard.ReadText(), QStringLiteral("3\t4\t\r\n\t\t\r\n"));
        CopyGridRange(*grid, GridRect{});
        QCOMPARE(clipboard.ReadText(), QString());
    }

    void pasteFillsTheBlockAndSelectsIt()
    {
        ScopedTestClipboard clipboard(QStringLiteral("1\t2\r\n3\t4\r\n"));
        auto grid = MakeGrid();
        grid->FocusCell(1, 1);
        PasteGridText(*grid, 1, 1);
        QCOMPARE(Row(*grid, 1), (QStringList{"", "1", "2", ""}));
        QCOMPARE(Row(*grid, 2), (QStringList{"", "3", "4", ""}));
        QCOMPARE(Row(*grid, 3), (QStringList{"", "", "", ""}));
        QCOMPARE(grid->Selection(), (GridRect{1, 1, 2, 2}));
        QCOMPARE(grid->Current(), (GridCoord{1, 1}));
        QCOMPARE(grid->Anchor(), (GridCoord{2, 2}));

        // Copy of the pasted selection gives the same text back.
        clipboard.WriteText(QString());
        CopyGridRange(*grid, grid->Selection());
        QCOMPARE(clipboard.ReadText(), QStringLiteral("1\t2\r\n3\t4\r\n"));
    }

    void pasteReplacesCellsAndDropsWhatFallsOutside()
    {
        auto grid = MakeGrid();
        grid->SetCell(2, 2, QStringLiteral("123"));
        grid->SetCell(3, 2, QStringLiteral("keep"));
        PasteGridText(*grid, 2, 2, QStringLiteral("7"));
        QCOMPARE(grid->Cells(2, 2), QStringLiteral("7"));
        QCOMPARE(grid->Cells(3, 2), QStringLiteral("keep"));

        // An empty text empties the start cell only.
        PasteGridText(*grid, 2, 2, QString());
        QCOMPARE(grid->Cells(2, 2), QString());
        QCOMPARE(grid->Cells(3, 2), QStringLiteral("keep"));
        QCOMPARE(grid->Selection(), (GridRect{2, 2, 2, 2}));

        // Columns and rows beyond the grid are dropped. The selection runs to the
        // last cell the text reached, kept inside the grid.
        PasteGridText(*grid, 2, 2, QStringLiteral("a\tb\tc\td\r\ne\tf\r\ng\r\nh\r\n"));
        QCOMPARE(Row(*grid, 2), (QStringList{"", "", "a", "b"}));
        QCOMPARE(Row(*grid, 3), (QStringList{"", "", "e", "f"}));
        QCOMPARE(grid->Selection(), (GridRect{2, 2, 2, 3}));
        QCOMPARE(grid->Current(), (GridCoord{2, 2}));
        PasteGridText(*grid, 1, 1, QStringLiteral("1\t2\t3\t4\t5"));
        QCOMPARE(grid->Selection(), (GridRect{1, 1, 3, 1}));
    }

    void onlyCrLfEndsARow()
    {
        auto grid = MakeGrid(5, 4);
        // LF alone stays in a cell's text, with the first field of the next line.
        PasteGridText(*grid, 1, 1, QStringLiteral("1\t2\n3\t4\n"));
        QCOMPARE(Row(*grid, 1), (QStringList{"", "1", "2\n3", "4", ""}));
        QCOMPARE(Row(*grid, 2), (QStringList{"", "", "", "", ""}));

        // A lone CR too; one trailing CR LF adds no row, a doubled one does.
        PasteGridText(*grid, 1, 1, QStringLiteral("5\r6\r\n"));
        QCOMPARE(grid->Cells(1, 1), QStringLiteral("5\r6"));
        QCOMPARE(grid->Selection(), (GridRect{1, 1, 1, 1}));
        PasteGridText(*grid, 1, 1, QStringLiteral("8\r\n\r\n"));
        QCOMPARE(grid->Selection(), (GridRect{1, 1, 1, 2}));
        QCOMPARE(grid->Cells(1, 2), QString());
    }

    void theAdaptorGivesSpreadsheetRowsCrLfEnds()
    {
        QCOMPARE(WithCrLfRowEnds(QStringLiteral("1\t2\n3\t4\n")), QStringLiteral("1\t2\r\n3\t4\r\n"));
        QCOMPARE(WithCrLfRowEnds(QStringLiteral("1\t2\r\n3\n")), QStringLiteral("1\t2\r\n3\n"));
        QCOMPARE(WithCrLfRowEnds(QStringLiteral("5\r6")), QStringLiteral("5\r6"));
        QCOMPARE(WithCrLfRowEnds(QString()), QString());

        ScopedTestClipboard clipboard(QStringLiteral("810\t-5\n805\t+3\n"));
        QCOMPARE(ReadClipboardText(), QStringLiteral("810\t-5\r\n805\t+3\r\n"));
        auto grid = MakeGrid();
        PasteGridText(*grid, 1, 1);
        QCOMPARE(Row(*grid, 1), (QStringList{"", "810", "-5", ""}));
        QCOMPARE(Row(*grid, 2), (QStringList{"", "805", "+3", ""}));
    }

    void theSystemClipboardCarriesTheText()
    {
        WriteClipboardText(QStringLiteral("Пояс №1\t6\r\n"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Пояс №1\t6\r\n"));
        QGuiApplication::clipboard()->setText(QStringLiteral("1\n2\n"));
        QCOMPARE(ReadClipboardText(), QStringLiteral("1\r\n2\r\n"));
        QGuiApplication::clipboard()->clear();
        QCOMPARE(ReadClipboardText(), QString());
    }

    void selectAllTakesTheHeadersToo()
    {
        ScopedTestClipboard clipboard;
        auto grid = MakeGrid(3, 3);
        grid->SetCell(1, 0, QStringLiteral(" H нар."));
        grid->SetCell(2, 0, QStringLiteral(" ± Низ"));
        grid->SetCell(0, 1, QStringLiteral(" 1"));
        grid->SetCell(0, 2, QStringLiteral(" 2"));
        grid->SetCell(1, 1, QStringLiteral("800"));
        grid->SetCell(2, 2, QStringLiteral("-2"));
        SelectAllGridCells(*grid);
        QCOMPARE(grid->Selection(), (GridRect{0, 0, 2, 2}));
        QCOMPARE(grid->Anchor(), (GridCoord{0, 0}));
        QCOMPARE(grid->Current(), (GridCoord{2, 2}));
        CopyGridRange(*grid, grid->Selection());
        QCOMPARE(clipboard.ReadText(), QStringLiteral("\t H нар.\t ± Низ\r\n 1\t800\t\r\n 2\t\t-2\r\n"));
    }

    void cutEmptiesTheCellsWithoutNotifying()
    {
        ScopedTestClipboard clipboard;
        auto grid = MakeGrid();
        int notifications = 0;
        grid->onSetEditText = [&notifications](int, int, const QString&) { ++notifications; };
        grid->SetCell(1, 1, QStringLiteral("5"));
        grid->SetCell(2, 1, QStringLiteral("7"));
        grid->SetCell(3, 1, QStringLiteral("9"));
        CutGridRange(*grid, GridRect{1, 1, 2, 1});
        QCOMPARE(clipboard.ReadText(), QStringLiteral("5\t7\r\n"));
        QCOMPARE(Row(*grid, 1), (QStringList{"", "", "", "9"}));
        PasteGridText(*grid, 1, 2);
        QCOMPARE(Row(*grid, 2), (QStringList{"", "5", "7", ""}));
        QCOMPARE(notifications, 0);
    }

    void aHugeTextPastesQuickly()
    {
        // A whole sheet pasted by mistake: rows beyond the grid cost nothing to drop.
        QString text;
        for (int row = 0; row < 100000; ++row)
            text += QStringLiteral("1234,5\t-2\t+3\r\n");
        text += QString(200000, QLatin1Char('9'));
        auto grid = MakeGrid(4, 13);
        const auto start = std::chrono::steady_clock::now();
        PasteGridText(*grid, 1, 1, text);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        QCOMPARE(grid->Cells(3, 12), QStringLiteral("+3"));
        QVERIFY(elapsed < std::chrono::seconds(5));
    }

    void theActionsAndTheirToolBar()
    {
        QDialog dialog;
        dialog.resize(300, 200);
        const GridClipboardActions actions = CreateGridClipboardActions(&dialog);
        struct Expected
        {
            QAction* action;
            const char* name;
            QString caption;
            QKeySequence shortcut;
        };
        const Expected expected[] = {
            {actions.acSelAll, "acSelAll", QStringLiteral("Выделить все"), QKeySequence(QStringLiteral("Ctrl+A"))},
            {actions.acCopy, "acCopy", QStringLiteral("Копировать"), QKeySequence(QStringLiteral("Ctrl+C"))},
            {actions.acCut, "acCut", QStringLiteral("Вырезать"), QKeySequence(QStringLiteral("Ctrl+X"))},
            {actions.acPaste, "acPaste", QStringLiteral("Вставить"), QKeySequence(QStringLiteral("Ctrl+V"))},
        };
        for (const Expected& e : expected) {
            QCOMPARE(dialog.findChild<QAction*>(QString::fromLatin1(e.name)), e.action);
            QCOMPARE(e.action->text(), e.caption);
            QCOMPARE(e.action->toolTip(), e.caption);
            QCOMPARE(e.action->shortcut(), e.shortcut);
        }

        QCOMPARE(actions.toolBar->size(), QSize(113, 29));
        const QList<QToolButton*> buttons = actions.toolBar->findChildren<QToolButton*>();
        QCOMPARE(buttons.size(), 4);
        const int lefts[] = {0, 33, 58, 83};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(buttons[i]->defaultAction(), expected[i].action);
            QCOMPARE(buttons[i]->size(), QSize(25, 24));
            QCOMPARE(buttons[i]->x(), lefts[i]);
            QCOMPARE(buttons[i]->iconSize(), QSize(18, 18));
            QVERIFY(buttons[i]->autoRaise());
            QVERIFY(!buttons[i]->icon().pixmap(18, 18).toImage().isNull());
        }
        QVERIFY(actions.toolBar->geometry().right() < dialog.width());

        // The shortcuts work anywhere in the dialog.
        int copies = 0;
        connect(actions.acCopy, &QAction::triggered, &dialog, [&copies] { ++copies; });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.activateWindow();
        QTRY_VERIFY(dialog.isActiveWindow());
        QTest::keyClick(&dialog, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(copies, 1);
    }
};

VELOQUIN_APP_TEST(GridClipboardTextTest)
#include "GridClipboardTextTest.moc"
