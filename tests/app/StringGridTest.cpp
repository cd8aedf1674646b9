// The measurement grid as the user drives it: cells and header cells, the
// in-place editor and its edit-text notification (user typing only), the browse
// and edit option sets with range selection by mouse, keys handed to the hooks
// first, and the keys the grid leaves to its dialog (Esc, Enter, the clipboard
// shortcuts).

#include "StringGrid.h"
#include "AppTestSupport.h"
#include "GFunc.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace veloquin;

namespace {

struct Notification
{
    int col;
    int row;
    QString text;
};

// A dialog holding one 4 x 5 grid with a header row and column, as the measurement dialogs have.
class GridDialog : public QDialog
{
public:
    GridDialog()
    {
        resize(400, 300);
        grid = StringGrid::InLoweredPanel(this, QRect(8, 8, 300, 200), QStringLiteral("sgTest"));
        grid->SetColCount(4);
        grid->SetRowCount(5);
        grid->SetOptions(GridEditSet());
        grid->onSetEditText = [this](int col, int row, const QString& text) {
            notifications.push_back({col, row, text});
        };
        ok = new QPushButton(QStringLiteral("OK"), this);
        ok->setGeometry(320, 8, 75, 25);
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    }

    void ShowAndFocus()
    {
        show();
        QVERIFY(QTest::qWaitForWindowExposed(this));
        activateWindow();
        // Shortcuts and the focus widget belong to the active window only.
        QVERIFY(QTest::qWaitForWindowActive(this));
        grid->setFocus();
    }

    QPoint CellCentre(int col, int row) const { return grid->CellRect(col, row).center(); }

    StringGrid* grid = nullptr;
    QPushButton* ok = nullptr;
    std::vector<Notification> notifications;
};

} // namespace

class StringGridTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { SetDecimalSeparator(','); }

    void cellsHeadersAndTheCurrentCell()
    {
        GridDialog dialog;
        dialog.ShowAndFocus();
        StringGrid& grid = *dialog.grid;
        QCOMPARE(grid.DefaultRowHeight(), 16);
        QCOMPARE(grid.FixedCols(), 1);
        QCOMPARE(grid.FixedRows(), 1);
        QCOMPARE(grid.CellRect(1, 1).height(), 16);
        // Each row takes its 16 px and one line.
        QCOMPARE(grid.CellRect(1, 2).top() - grid.CellRect(1, 1).top(), 17);

        grid.SetCell(0, 0, QStringLiteral("№"));
        grid.SetCell(3, 4, QStringLiteral("x"));
        grid.SetCell(4, 0, QStringLiteral("outside"));
        grid.SetCell(-1, 2, QStringLiteral("outside"));
        QCOMPARE(grid.Cells(0, 0), QStringLiteral("№"));
        QCOMPARE(grid.Cells(3, 4), QStringLiteral("x"));
        QCOMPARE(grid.Cells(4, 0), QString());
        QCOMPARE(grid.Cells(-1, 2), QString());

        // The current cell never lands on a header cell.
        grid.FocusCell(0, 0);
        QCOMPARE(grid.Current(), (GridCoord{1, 1}));
        grid.FocusCell(9, 9);
        QCOMPARE(grid.Current(), (GridCoord{3, 4}));
        QCOMPARE(grid.Selection(), (GridRect{3, 4, 3, 4}));

        // Shrinking drops the cells outside and keeps the current cell inside.
        grid.SetRowCount(3);
        QCOMPARE(grid.Current(), (GridCoord{3, 2}));
        grid.SetRowCount(5);
        QCOMPARE(grid.Cells(3, 4), QString());
        QCOMPARE(grid.Cells(0, 0), QStringLiteral("№"));

        // One row and one column always stay selectable.
        grid.SetFixedRows(7);
        QCOMPARE(grid.FixedRows(), 4);
    }

    void typingEditsTheCellAndNotifiesEveryChange()
    {
        GridDialog dialog;
        dialog.ShowAndFocus();
        StringGrid& grid = *dialog.grid;
        grid.SetCell(1, 1, QStringLiteral("800"));
        grid.FocusCell(1, 1);
        QVERIFY(!grid.EditorMode());

        // A character opens the editor and replaces the text, as typing over a cell does.
        test::TypeIntoGrid(grid, QStringLiteral("-2,5"));
        QVERIFY(grid.EditorMode());
        QCOMPARE(grid.Cells(1, 1), QStringLiteral("-2,5"));
        QCOMPARE(int(dialog.notifications.size()), 4);
        QCOMPARE(dialog.notifications.front().text, QStringLiteral("-"));
        QCOMPARE(dialog.notifications.back().text, QStringLiteral("-2,5"));
        QCOMPARE(dialog.notifications.back().col, 1);
        QCOMPARE(dialog.notifications.back().row, 1);

        test::PressGridKey(grid, Qt::Key_Backspace);
        QCOMPARE(grid.Cells(1, 1), QStringLiteral("-2,"));
        QCOMPARE(dialog.notifications.back().text, QStringLiteral("-2,"));

        // Code writing cells never notifies; the open editor shows what code wrote.
        dialog.notifications.clear();
        grid.SetCell(1, 1, QStringLiteral("7"));
        grid.SetCell(2, 2, QStringLiteral("8"));
        QVERIFY(dialog.notifications.empty());
        QCOMPARE(grid.InplaceEditor()->text(), QStringLiteral("7"));

        // Down moves the editor with the text of the next cell selected: typing replaces it.
        grid.SetCell(1, 2, QStringLiteral("555"));
        test::PressGridKey(grid, Qt::Key_Down);
        QCOMPARE(grid.Current(), (GridCoord{1, 2}));
        QVERIFY(grid.EditorMode());
        QCOMPARE(grid.InplaceEditor()->text(), QStringLiteral("555"));
        test::TypeIntoGrid(grid, QStringLiteral("9"));
        QCOMPARE(grid.Cells(1, 2), QStringLiteral("9"));
        QCOMPARE(grid.Cells(1, 1), QStringLiteral("7"));
    }

    void headerCellsAndTheBrowseSetTakeNothingTyped()
    {
        GridDialog dialog;
        dialog.ShowAndFocus();
        StringGrid& grid = *dialog.grid;
        grid.SetCell(0, 1, QStringLiteral("Пояс №1"));
        grid.FocusCell(2, 2);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, dialog.CellCentre(0, 1));
        QCOMPARE(grid.Current(), (GridCoord{2, 2}));
        QVERIFY(!grid.EditorMode());

        grid.SetOptions(GridBrowseSet());
        test::TypeIntoGrid(grid, QStringLiteral("5"));
        QVERIFY(!grid.EditorMode());
        QCOMPARE(grid.Cells(2, 2), QString());
        QCOMPARE(grid.Cells(0, 1), QStringLiteral("Пояс №1"));
        QVERIFY(dialog.notifications.empty());

        // Lines only: a display grid.
        grid.SetOptions(GridLinesOnly());
        test::PressGridKey(grid, Qt::Key_F2);
        QVERIFY(!grid.EditorMode());
    }

    void theHooksSwitchBetweenBrowsingAndEditing()
    {
        GridDialog dialog;
        StringGrid& grid = *dialog.grid;
        std::vector<QChar> discarded;
        grid.onMouseMove = [&grid](QMouseEvent&) { grid.SetOptions(GridBrowseSet()); };
        grid.onKeyDown = [&grid](QKeyEvent&) { grid.SetOptions(GridEditSet()); };
        grid.onKeyPress = [&discarded](QChar& key) {
            if (key.isLetter()) {
                discarded.push_back(key);
                key = QChar();
            }
        };
        dialog.ShowAndFocus();
        grid.FocusCell(1, 1);
        test::TypeIntoGrid(grid, QStringLiteral("4"));
        QVERIFY(grid.EditorMode());

        // Moving the mouse over the grid closes the editor, keeping what was typed.
        QTest::mouseMove(grid.viewport(), dialog.CellCentre(2, 3));
        QVERIFY(!grid.EditorMode());
        QCOMPARE(grid.Options(), GridBrowseSet());
        QCOMPARE(grid.Cells(1, 1), QStringLiteral("4"));

        // In the browse set a drag selects a range; the current cell stays where it began.
        QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, dialog.CellCentre(1, 2));
        QMouseEvent drag(QEvent::MouseMove, QPointF(dialog.CellCentre(3, 4)),
                         grid.viewport()->mapToGlobal(QPointF(dialog.CellCentre(3, 4))), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &drag);
        QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, dialog.CellCentre(3, 4));
        QCOMPARE(grid.Selection(), (GridRect{1, 2, 3, 4}));
        QCOMPARE(grid.Current(), (GridCoord{1, 2}));

        // A key goes to the key-down hook first: the edit set is back and the digit is typed.
        test::TypeIntoGrid(grid, QStringLiteral("x6"));
        QCOMPARE(grid.Options(), GridEditSet());
        QVERIFY(grid.EditorMode());
        QCOMPARE(grid.Cells(1, 2), QStringLiteral("6"));
        QCOMPARE(int(discarded.size()), 1);

        // Shift+arrows extend the range in the browse set only.
        grid.SetOptions(GridBrowseSet());
        grid.onKeyDown = nullptr;
        grid.FocusCell(2, 2);
        test::PressGridKey(grid, Qt::Key_Down, Qt::ShiftModifier);
        test::PressGridKey(grid, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(grid.Selection(), (GridRect{2, 2, 3, 3}));
        QCOMPARE(grid.Current(), (GridCoord{2, 2}));
    }

    void enterEscAndClipboardShortcutsAsInASpreadsheet()
    {
        GridDialog dialog;
        int pastes = 0;
        auto* paste = new QAction(&dialog);
        paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
        dialog.addAction(paste);
        connect(paste, &QAction::triggered, &dialog, [&pastes] { ++pastes; });
        dialog.ShowAndFocus();
        StringGrid& grid = *dialog.grid;
        grid.FocusCell(1, 1);
        test::TypeIntoGrid(grid, QStringLiteral("12"));
        QVERIFY(grid.EditorMode());

        // Ctrl+V in the open editor is the dialog's paste, not the editor's own.
        QTest::keyClick(grid.InplaceEditor(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(pastes, 1);
        QCOMPARE(grid.Cells(1, 1), QStringLiteral("12"));

        // Enter keeps the cell and moves down, Shift+Enter up; the default button is not pressed.
        test::PressGridKey(grid, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(grid.Current(), (GridCoord{1, 2}));
        QVERIFY(!grid.EditorMode());
        test::PressGridKey(grid, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(grid.Current(), (GridCoord{1, 1}));
        QCOMPARE(grid.Cells(1, 1), QStringLiteral("12"));

        // Esc in an editor with a typed text puts the cell back and tells so;
        // the next Esc closes the dialog with cancel.
        grid.FocusCell(2, 2);
        grid.SetCell(2, 2, QStringLiteral("5"));
        dialog.notifications.clear();
        test::TypeIntoGrid(grid, QStringLiteral("3"));
        QVERIFY(grid.EditPending());
        test::PressGridKey(grid, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QCOMPARE(grid.Cells(2, 2), QStringLiteral("5"));
        QCOMPARE(dialog.notifications.back().text, QStringLiteral("5"));
        test::PressGridKey(grid, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));

        // An editor opened and left as it was: Esc is the dialog's at once.
        dialog.ShowAndFocus();
        grid.ShowEditor();
        QVERIFY(!grid.EditPending());
        test::PressGridKey(grid, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    }

    void tabLeavesTheGridAndComesBack()
    {
        GridDialog dialog;
        dialog.ShowAndFocus();
        QTRY_VERIFY(dialog.isActiveWindow());
        StringGrid& grid = *dialog.grid;
        grid.FocusCell(1, 1);
        test::TypeIntoGrid(grid, QStringLiteral("4"));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid.InplaceEditor()));
        QTest::keyClick(grid.InplaceEditor(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.ok));
        QTest::keyClick(dialog.ok, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid.InplaceEditor()));
        QCOMPARE(grid.Cells(1, 1), QStringLiteral("4"));
    }

    void theEditorCanStayOpen()
    {
        GridDialog dialog;
        StringGrid& grid = *dialog.grid;
        grid.SetOptions(GridLinesOnly() | GridOption::Editing | GridOption::AlwaysShowEditor);
        grid.SetCell(1, 1, QStringLiteral("6"));
        dialog.ShowAndFocus();
        QTRY_VERIFY(grid.EditorMode());
        QCOMPARE(grid.InplaceEditor()->selectedText(), QStringLiteral("6"));
        test::TypeIntoGrid(grid, QStringLiteral("5"));
        QCOMPARE(grid.Cells(1, 1), QStringLiteral("5"));
        test::PressGridKey(grid, Qt::Key_Down);
        QVERIFY(grid.EditorMode());
        QCOMPARE(grid.Current(), (GridCoord{1, 2}));
    }

    void longGridsScrollTheCurrentCellIntoView()
    {
        GridDialog dialog;
        StringGrid& grid = *dialog.grid;
        grid.SetRowCount(100);
        grid.SetCell(1, 99, QStringLiteral("last"));
        dialog.ShowAndFocus();
        QVERIFY(grid.CellRect(1, 99).isEmpty());
        grid.FocusCell(1, 99);
        QVERIFY(grid.TopRow() > 1);
        const QRect last = grid.CellRect(1, 99);
        QVERIFY(!last.isEmpty());
        QVERIFY(last.bottom() < grid.viewport()->height());
        // The header row stays in place.
        QCOMPARE(grid.CellRect(1, 0).top(), 0);
        QCOMPARE(grid.CellAt(last.center()), (GridCoord{1, 99}));
        test::PressGridKey(grid, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(grid.Current(), (GridCoord{1, 1}));
        QCOMPARE(grid.TopRow(), 1);

        // No count can make the grid grow without bound.
        grid.SetRowCount(1 << 30);
        QCOMPARE(grid.RowCount(), StringGrid::kMaxCount);
    }
};

VELOQUIN_APP_TEST(StringGridTest)
#include "StringGridTest.moc"
