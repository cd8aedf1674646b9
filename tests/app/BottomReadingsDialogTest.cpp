// The bottom readings opened from their inspector row: 8 x 8 rod readings, the
// centre and the touch point, with the bottom correction and the touch point's
// height following what is typed (on a move to another cell, Enter, focus
// changes and a paste). Only OK writes the readings, once every text converted:
// a text that is not a number is named under the grid while typing, and on OK
// it is reported and selected with nothing written. Esc writes nothing.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "ClipboardAdaptor.h"
#include "NumberTexts.h"
#include "TankInspectorRows.h"
#include "StringGrid.h"
#include "TankClasses.h"
#include "TankInspector.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace veloquin;

namespace {

constexpr int kBottomRow = static_cast<int>(TankRow::BottomCorrection);

struct Results
{
    QString correction;
    QString touchHeight;
};

Results SeeResults(QWidget& dialog)
{
    return {test::Find<QLabel>(dialog, "lbCorrOnBottom")->text(), test::Find<QLabel>(dialog, "lbHeightBottom")->text()};
}

StringGrid& Grid(QWidget& dialog)
{
    return *test::Find<StringGrid>(dialog, "sgBottomProminence");
}

// Waits (in the dialog's own loop) until the touch point's height reads as expected.
bool WaitForTouchHeight(QWidget& dialog, const QString& expected)
{
    auto* label = test::Find<QLabel>(dialog, "lbHeightBottom");
    return QTest::qWaitFor([label, &expected] { return label->text() == expected; }, 3000);
}

// Types into a cell as a user would, then moves on with an arrow key.
void TypeCellAndMove(StringGrid& grid, int col, int row, const QString& text, Qt::Key move)
{
    grid.setFocus();
    grid.FocusCell(col, row);
    test::TypeIntoGrid(grid, text);
    test::PressGridKey(grid, move);
}

// A bottom whose readings rise towards the wall: reading (c, r) = 10 c + r.
void PrepareBottom(TSteelVertCylTank& tank)
{
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            tank.SetBottomReading(c, r, 10 * c + r);
    tank.SetBottomCenter(5);
    tank.SetPointPlumb(20);
    tank.SetModified(false);
}

std::vector<double> Readings(const TSteelVertCylTank& tank)
{
    std::vector<double> values;
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            values.push_back(tank.BottomReading(c, r));
    return values;
}

} // namespace

class BottomReadingsDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void showsTheReadingsAndBothResults()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        PrepareBottom(tank);

        struct Seen
        {
            QString caption;
            QSize size;
            int cols = 0, rows = 0;
            QStringList headerRow, headerCol;
            QString cell81, cell18, center, point;
            Results results;
            bool allInView = false;
        } seen;
        QVERIFY(test::OpenRowDialog(program, kBottomRow, [&seen](QWidget& dialog) {
            seen.caption = dialog.windowTitle();
            seen.size = dialog.size();
            StringGrid& grid = Grid(dialog);
            seen.cols = grid.ColCount();
            seen.rows = grid.RowCount();
            for (int i = 0; i < 9; ++i) {
                seen.headerRow.append(grid.Cells(i, 0));
                seen.headerCol.append(grid.Cells(0, i));
            }
            seen.allInView = !grid.CellRect(8, 8).isEmpty() && !grid.horizontalScrollBar()->isVisible() &&
                             !grid.verticalScrollBar()->isVisible();
            seen.cell81 = grid.Cells(8, 1);
            seen.cell18 = grid.Cells(1, 8);
            seen.center = test::Find<QLineEdit>(dialog, "edBottomCenter")->text();
            seen.point = test::Find<QLineEdit>(dialog, "edPointPlumb")->text();
            seen.results = SeeResults(dialog);
        }));
        QCOMPARE(seen.caption, QStringLiteral("Поправка на неровность днища"));
        QCOMPARE(seen.size, QSize(529, 381));
        QCOMPARE(seen.cols, 9);
        QCOMPARE(seen.rows, 9);
        QVERIFY(seen.allInView);
        QCOMPARE(seen.headerRow, (QStringList{"", " 0.35 R", " 0.50 R", " 0.61 R", " 0.71 R", " 0.79 R", " 0.86 R",
                                              " 0.93 R", " 1.00 R"}));
        QCOMPARE(seen.headerCol, (QStringList{"", " Рад. 1", " Рад. 2", " Рад. 3", " Рад. 4", " Рад. 5", " Рад. 6",
                                              " Рад. 7", " Рад. 8"}));
        // Columns are circles, rows radii.
        QCOMPARE(seen.cell81, QStringLiteral("81"));
        QCOMPARE(seen.cell18, QStringLiteral("18"));
        QCOMPARE(seen.center, QStringLiteral("5"));
        QCOMPARE(seen.point, QStringLiteral("20"));
        QCOMPARE(seen.results.correction, FixedText(3, tank.BottomCorrection()));
        QCOMPARE(seen.results.touchHeight, QStringLiteral("61"));
        // Showing and closing applied the readings as they were: nothing changed.
        QVERIFY(!tank.Modified());
        QCOMPARE(program->Inspector().DialogPanelText(),
                 QStringLiteral("[") + FixedText(3, tank.BottomCorrection()) + QStringLiteral("]"));
    }

    void movingToAnotherCellShowsTheResultsAndOkWritesThem()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        PrepareBottom(tank);
        const double correctionBefore = tank.BottomCorrection();

        bool updated = false, badNamed = false, noteShown = false, writtenWhileOpen = true;
        Results afterMove;
        QString kept, note;
        QVERIFY(test::OpenRowDialog(program, kBottomRow, [&](QWidget& dialog) {
            StringGrid& grid = Grid(dialog);
            // Cell (8, 1) is the reading the touch point's height is taken from.
            TypeCellAndMove(grid, 8, 1, QStringLiteral("95,5"), Qt::Key_Down);
            updated = WaitForTouchHeight(dialog, QStringLiteral("75,5"));
            afterMove = SeeResults(dialog);
            writtenWhileOpen = tank.BottomReading(8, 1) != 81;
            // A reading that begins with a sign is typed whole before it counts,
            // though the cell is drawn between the keys.
            grid.FocusCell(3, 4);
            test::TypeIntoGrid(grid, QStringLiteral("-"));
            grid.viewport()->repaint();
            QCoreApplication::processEvents();
            noteShown = !test::Find<QLabel>(dialog, "stNotTaken")->text().isEmpty();
            test::TypeIntoGrid(grid, QStringLiteral("3,5"));
            test::PressGridKey(grid, Qt::Key_Right);
            // Letters are named under the grid; the cell keeps them for mending.
            TypeCellAndMove(grid, 8, 2, QStringLiteral("abc"), Qt::Key_Down);
            auto* stNotTaken = test::Find<QLabel>(dialog, "stNotTaken");
            badNamed = QTest::qWaitFor([stNotTaken] { return !stNotTaken->text().isEmpty(); }, 3000);
            note = stNotTaken->text();
            kept = grid.Cells(8, 2);
            grid.FocusCell(8, 2);
            test::TypeIntoGrid(grid, QStringLiteral("82"));
            test::PressGridKey(grid, Qt::Key_Return);
            QTest::qWaitFor([stNotTaken] { return stNotTaken->text().isEmpty(); }, 3000);
            test::Find<QPushButton>(dialog, "btnOk")->click();
        }));
        QVERIFY(updated);
        QVERIFY(!writtenWhileOpen);
        QVERIFY(!noteShown);
        QVERIFY(afterMove.correction != FixedText(3, correctionBefore));
        QVERIFY(badNamed);
        QCOMPARE(kept, QStringLiteral("abc"));
        QCOMPARE(note, QStringLiteral("Рад. 2, 1.00 R: значение «abc» не принято — это не число"));
        QCOMPARE(tank.BottomReading(8, 1), 95.5);
        QCOMPARE(tank.BottomReading(3, 4), -3.5);
        QCOMPARE(tank.BottomReading(8, 2), 82.0);
        QCOMPARE(tank.TouchPointHeight(), 75.5);
        QVERIFY(tank.Modified());
        QVERIFY(test::ShownMessages().isEmpty());
        QCOMPARE(program->Inspector().DialogPanelText(),
                 QStringLiteral("[") + FixedText(3, tank.BottomCorrection()) + QStringLiteral("]"));
    }

    void aBadCellKeepsTheDialogOpenAtThatCellAndWritesNothing()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        PrepareBottom(tank);
        const std::vector<double> before = Readings(tank);

        bool openAfterOk = false, atTheCell = false;
        std::vector<double> afterRefusedOk;
        QStringList messages;
        QVERIFY(test::OpenRowDialog(program, kBottomRow, [&](QWidget& dialog) {
            StringGrid& grid = Grid(dialog);
            // Typed at speed, each committed with Enter: a good one, a bad one, a good one after it.
            grid.setFocus();
            grid.FocusCell(2, 3);
            test::TypeIntoGrid(grid, QStringLiteral("49"));
            test::PressGridKey(grid, Qt::Key_Return);
            grid.FocusCell(5, 5);
            test::TypeIntoGrid(grid, QStringLiteral("4O"));
            test::PressGridKey(grid, Qt::Key_Return);
            test::TypeIntoGrid(grid, QStringLiteral("50"));
            test::PressGridKey(grid, Qt::Key_Return);
            test::Find<QPushButton>(dialog, "btnOk")->click();
            openAfterOk = dialog.isVisible();
            messages = test::ShownMessages();
            afterRefusedOk = Readings(tank);
            atTheCell = grid.Current() == GridCoord{5, 5} && grid.EditorMode() &&
                        grid.InplaceEditor()->selectedText() == QStringLiteral("4O");
            // Mended, OK writes all three.
            test::TypeIntoGrid(grid, QStringLiteral("45"));
            test::PressGridKey(grid, Qt::Key_Return);
            test::Find<QPushButton>(dialog, "btnOk")->click();
        }));
        QVERIFY(openAfterOk);
        QVERIFY(atTheCell);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(QStringLiteral("4O")), qPrintable(messages[0]));
        QCOMPARE(afterRefusedOk, before);
        QCOMPARE(tank.BottomReading(2, 3), 49.0);
        QCOMPARE(tank.BottomReading(5, 5), 45.0);
        QCOMPARE(tank.BottomReading(5, 6), 50.0);
        QCOMPARE(tank.BottomReading(1, 1), 11.0);
    }

    void editBoxesShowTheirResultsOnEnterAndOnLeaving()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        PrepareBottom(tank);

        Results afterEnter, afterBad, afterLeaving;
        QString badShown, note;
        QVERIFY(test::OpenRowDialog(program, kBottomRow, [&](QWidget& dialog) {
            auto* point = test::Find<QLineEdit>(dialog, "edPointPlumb");
            point->setFocus();
            point->selectAll();
            test::TypeText(point, QStringLiteral("31"));
            test::PressKey(point, Qt::Key_Return);
            afterEnter = SeeResults(dialog);
            point->selectAll();
            test::TypeText(point, QStringLiteral("3,1,"));
            test::PressKey(point, Qt::Key_Enter);
            badShown = point->text();
            afterBad = SeeResults(dialog);
            note = test::Find<QLabel>(dialog, "stNotTaken")->text();
            point->selectAll();
            test::TypeText(point, QStringLiteral("31"));
            // Leaving the centre box for the grid shows its result.
            auto* center = test::Find<QLineEdit>(dialog, "edBottomCenter");
            center->setFocus();
            center->selectAll();
            test::TypeText(center, QStringLiteral("-2"));
            Grid(dialog).setFocus();
            afterLeaving = SeeResults(dialog);
            test::Find<QPushButton>(dialog, "btnOk")->click();
        }));
        QCOMPARE(afterEnter.touchHeight, QStringLiteral("50"));
        QCOMPARE(badShown, QStringLiteral("3,1,"));
        QCOMPARE(afterBad.touchHeight, QStringLiteral("50"));
        QCOMPARE(note, QStringLiteral("Точка касания: значение «3,1,» не принято — это не число"));
        QCOMPARE(tank.PointPlumb(), 31.0);
        QCOMPARE(tank.BottomCenter(), -2.0);
        QCOMPARE(afterLeaving.correction, FixedText(3, tank.BottomCorrection()));
        QVERIFY(test::ShownMessages().isEmpty());
    }

    void pasteCutAndCopy()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        PrepareBottom(tank);

        // An 8 x 8 block as a spreadsheet copies it: row r holds radius r of every circle.
        QString block;
        for (int r = 1; r <= 8; ++r) {
            QStringList cells;
            for (int c = 1; c <= 8; ++c)
                cells.append(QString::number(100 * c + r) + QStringLiteral(",5"));
            block += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
        }
        ScopedTestClipboard clipboard(block);
        Results afterPaste;
        QString copied;
        bool cutEmptied = false;
        std::vector<double> afterCut;
        QVERIFY(test::OpenRowDialog(program, kBottomRow, [&](QWidget& dialog) {
            StringGrid& grid = Grid(dialog);
            grid.setFocus();
            grid.FocusCell(1, 1);
            test::PressGridKey(grid, Qt::Key_V, Qt::ControlModifier);
            afterPaste = SeeResults(dialog);
            // Cut empties the cells (an empty cell is no reading); pasted back, they are whole again.
            grid.SetSelection(GridCoord{1, 1}, GridCoord{2, 2});
            test::PressGridKey(grid, Qt::Key_X, Qt::ControlModifier);
            cutEmptied = grid.Cells(1, 1).isEmpty() && grid.Cells(2, 2).isEmpty();
            grid.FocusCell(1, 1);
            test::PressGridKey(grid, Qt::Key_V, Qt::ControlModifier);
            afterCut = Readings(tank);
            test::PressGridKey(grid, Qt::Key_A, Qt::ControlModifier);
            test::PressGridKey(grid, Qt::Key_C, Qt::ControlModifier);
            copied = ReadClipboardText();
            test::Find<QPushButton>(dialog, "btnOk")->click();
        }));
        QCOMPARE(tank.BottomReading(1, 1), 101.5);
        QCOMPARE(tank.BottomReading(3, 7), 307.5);
        QCOMPARE(tank.BottomReading(8, 8), 808.5);
        QCOMPARE(afterPaste.touchHeight, QStringLiteral("781,5"));
        QCOMPARE(afterPaste.correction, FixedText(3, tank.BottomCorrection()));
        QVERIFY(cutEmptied);
        // Nothing reached the tank before OK.
        QCOMPARE(afterCut[0], 11.0);
        const QStringList lines = copied.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines[0], QStringLiteral("\t 0.35 R\t 0.50 R\t 0.61 R\t 0.71 R\t 0.79 R\t 0.86 R\t 0.93 R\t 1.00 R"));
        QCOMPARE(lines[1].section(QLatin1Char('\t'), 0, 1), QStringLiteral(" Рад. 1\t101,5"));
        QCOMPARE(lines[8].section(QLatin1Char('\t'), 0, 0), QStringLiteral(" Рад. 8"));
    }

    void pasteIntoAnEditBoxAppliesToo()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        PrepareBottom(tank);
        QGuiApplication::clipboard()->setText(QStringLiteral("27,5"));

        Results afterPaste;
        QString gridCell;
        QVERIFY(test::OpenRowDialog(program, kBottomRow, [&](QWidget& dialog) {
            auto* point = test::Find<QLineEdit>(dialog, "edPointPlumb");
            point->setFocus();
            point->selectAll();
            QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
            QApplication::sendEvent(point, &press);
            afterPaste = SeeResults(dialog);
            gridCell = Grid(dialog).Cells(1, 1);
            test::Find<QPushButton>(dialog, "btnOk")->click();
        }));
        QCOMPARE(tank.PointPlumb(), 27.5);
        QCOMPARE(afterPaste.touchHeight, QStringLiteral("53,5"));
        // The grid was not pasted into.
        QCOMPARE(gridCell, QStringLiteral("11"));
    }

    void enterShowsTheCorrectionAndEscWritesNothing()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        PrepareBottom(tank);
        const Results before{FixedText(3, tank.BottomCorrection()), GeneralText(tank.TouchPointHeight())};

        // Typed and committed with Enter: the results follow at once. Esc then
        // (the second, after one that abandons the cell being typed) leaves the
        // tank as it was.
        bool openAfterFirstEsc = false, correctionFollowed = false;
        QVERIFY(test::OpenRowDialog(program, kBottomRow, [&](QWidget& dialog) {
            StringGrid& grid = Grid(dialog);
            grid.setFocus();
            grid.FocusCell(8, 1);
            test::TypeIntoGrid(grid, QStringLiteral("120"));
            test::PressGridKey(grid, Qt::Key_Return);
            auto* correction = test::Find<QLabel>(dialog, "lbCorrOnBottom");
            correctionFollowed = QTest::qWaitFor(
                [correction, &before] { return correction->text() != before.correction; }, 3000);
            correctionFollowed = correctionFollowed && WaitForTouchHeight(dialog, QStringLiteral("100"));
            test::TypeIntoGrid(grid, QStringLiteral("13"));
            test::PressGridKey(grid, Qt::Key_Escape);
            openAfterFirstEsc = dialog.isVisible();
            test::PressGridKey(grid, Qt::Key_Escape);
        }));
        QVERIFY(correctionFollowed);
        QVERIFY(openAfterFirstEsc);
        QCOMPARE(tank.BottomReading(8, 1), 81.0);
        QCOMPARE(tank.BottomReading(8, 2), 82.0);
        QVERIFY(!tank.Modified());
        QVERIFY(!program->Context().editing.Stack().canUndo());
        QCOMPARE(program->Inspector().DialogPanelText(), QStringLiteral("[") + before.correction + QStringLiteral("]"));
    }
};

VELOQUIN_APP_TEST(BottomReadingsDialogTest)
#include "BottomReadingsDialogTest.moc"
