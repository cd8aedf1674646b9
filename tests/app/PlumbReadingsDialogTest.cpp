// The plumb-line distances opened from their inspector row: one grid row per
// measuring point, labelled with its girdle and place; OK writes every cell in
// ascending row order, Cancel and Esc write nothing, and a cell that is not a
// number is reported and writes nothing at all.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "ClipboardAdaptor.h"
#include "TankInspectorRows.h"
#include "StringGrid.h"
#include "TankClasses.h"
#include "TankInspector.h"
#include "PlumbReadingsDialog.h"

#include <QDialog>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

using namespace veloquin;

namespace {

constexpr int kPlumbRow = static_cast<int>(TankRow::PlumbDistances);

struct GridSeen
{
    int rows = 0;
    int cols = 0;
    QStringList labels;
    QStringList headers;
    QString firstCell;
    QString caption;
    QSize size;
    // Columns the grid can scroll sideways by: 0 when every generatrix shows.
    int hiddenCols = 0;
    bool buttonsInside = false;
};

GridSeen SeeGrid(QWidget& dialog)
{
    GridSeen seen;
    seen.caption = dialog.windowTitle();
    seen.size = dialog.size();
    auto* grid = test::Find<StringGrid>(dialog, "sgWall_Plumb");
    seen.rows = grid->RowCount();
    seen.cols = grid->ColCount();
    for (int row = 0; row < grid->RowCount(); ++row)
        seen.labels.append(grid->Cells(0, row));
    for (int col = 0; col < grid->ColCount(); ++col)
        seen.headers.append(grid->Cells(col, 0));
    seen.firstCell = grid->Cells(1, 1);
    seen.hiddenCols = grid->horizontalScrollBar()->maximum();
    const QWidget* cancel = test::Find<QPushButton>(dialog, "btnCancel");
    seen.buttonsInside = dialog.rect().contains(cancel->geometry()) && cancel->geometry().right() > dialog.width() - 16;
    return seen;
}

// Every distance of the tank, row by row.
std::vector<double> Distances(const TSteelVertCylTank& tank)
{
    std::vector<double> values;
    for (int row = 1; row <= tank.PlumbRowCount(); ++row)
        for (int g = 1; g <= tank.GeneratrixCount(); ++g)
            values.push_back(tank.PlumbDistance(row, g));
    return values;
}

// A block of rows x cols readings as a spreadsheet puts it on the clipboard.
QString Block(int rows, int cols, double first)
{
    QString text;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            text += QString::number(first + r * 10 + c).replace(QLatin1Char('.'), QLatin1Char(','));
            text += c + 1 < cols ? QStringLiteral("\t") : QStringLiteral("\n");
        }
    }
    return text;
}

void Click(QWidget& dialog, const char* name)
{
    test::Find<QPushButton>(dialog, name)->click();
}

} // namespace

class PlumbReadingsDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void rowLabelsNameTheGirdleOfEveryPoint()
    {
        // The label's girdle is the girdle whose mean the tank takes the row into.
        TSteelVertCylTank tank;
        for (int girdles : {3, 7, 12}) {
            tank.SetGirdleCount(girdles);
            for (int row = 1; row <= tank.PlumbRowCount(); ++row) {
                const QString label = PlumbRowLabel(row);
                QCOMPARE(label.section(QLatin1Char(' '), 0, 0).toInt(), tank.GirdleOfPlumbRow(row));
            }
        }
        QCOMPARE(PlumbRowLabel(1), QStringLiteral("1 пояс 3/4 h"));
        QCOMPARE(PlumbRowLabel(4), QStringLiteral("2 пояс верх"));
        QCOMPARE(PlumbRowLabel(31), QStringLiteral("11 пояс верх"));
        QCOMPARE(PlumbRowLabel(32), QStringLiteral("12 пояс низ"));
        QCOMPARE(PlumbRowLabel(33), QStringLiteral("12 пояс сер."));
    }

    void threeGirdlesAndTwelve()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetGirdleCount(3);
        tank.SetGeneratrixCount(8);
        tank.SetPlumbDistance(1, 1, 112.5);

        GridSeen seen;
        QVERIFY(test::OpenRowDialog(program, kPlumbRow, [&seen](QWidget& dialog) { seen = SeeGrid(dialog); }));
        QCOMPARE(seen.caption, QStringLiteral("Расстояние от стенки до нити отвеса"));
        // Wide enough for the eight generatrices of a new tank, the buttons at its right edge.
        QVERIFY2(seen.size.width() > 474 && seen.size.height() == 335, qPrintable(QString::number(seen.size.width())));
        QCOMPARE(seen.hiddenCols, 0);
        QVERIFY(seen.buttonsInside);
        QCOMPARE(seen.rows, 7);
        QCOMPARE(seen.cols, 9);
        QCOMPARE(seen.labels, (QStringList{"", "1 пояс 3/4 h", "2 пояс низ", "2 пояс сер.", "2 пояс верх", "3 пояс низ",
                                           "3 пояс сер."}));
        QCOMPARE(seen.headers.first(), QString());
        QCOMPARE(seen.headers[1], QStringLiteral(" Обр. №1"));
        QCOMPARE(seen.headers[8], QStringLiteral(" Обр. №8"));
        QCOMPARE(seen.firstCell, QStringLiteral("112,5"));
        // Row 12 always shows the same text, whatever the readings.
        QCOMPARE(program->Inspector().DialogPanelText(), QStringLiteral("[...]"));

        // The same dialog again, with the grid laid out for the new counts.
        tank.SetGirdleCount(12);
        tank.SetGeneratrixCount(36);
        QVERIFY(test::OpenRowDialog(program, kPlumbRow, [&seen](QWidget& dialog) { seen = SeeGrid(dialog); }));
        QCOMPARE(seen.rows, 34);
        QCOMPARE(seen.cols, 37);
        QCOMPARE(seen.labels[31], QStringLiteral("11 пояс верх"));
        QCOMPARE(seen.labels[33], QStringLiteral("12 пояс сер."));
        QCOMPARE(seen.headers[36], QStringLiteral(" Обр. №36"));
        // Thirty-six scroll, within the screen.
        QVERIFY(seen.hiddenCols > 0);
        QVERIFY(seen.size.width() <= QGuiApplication::primaryScreen()->availableGeometry().width());
        QVERIFY(seen.buttonsInside);
        QCOMPARE(seen.firstCell, QStringLiteral("112,5"));
    }

    void okAppliesEveryDistanceInAscendingRows()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetGirdleCount(4);
        tank.SetGeneratrixCount(4);
        tank.SetModified(false);

        // Typed into one cell and pasted as a spreadsheet block over all nine
        // rows: girdle 1 ends up 10 mm farther from the plumb line than girdle 2.
        QVERIFY(test::OpenRowDialog(program, kPlumbRow, [](QWidget& dialog) {
            auto* grid = test::Find<StringGrid>(dialog, "sgWall_Plumb");
            grid->FocusCell(1, 1);
            ScopedTestClipboard clipboard(Block(9, 4, 100));
            test::PressGridKey(*grid, Qt::Key_V, Qt::ControlModifier);
            grid->FocusCell(4, 9);
            test::TypeIntoGrid(*grid, QStringLiteral("7,25"));
            Click(dialog, "btnOk");
        }));
        QCOMPARE(tank.PlumbDistance(1, 1), 100.0);
        QCOMPARE(tank.PlumbDistance(1, 4), 103.0);
        QCOMPARE(tank.PlumbDistance(2, 2), 111.0);
        QCOMPARE(tank.PlumbDistance(8, 4), 173.0);
        QCOMPARE(tank.PlumbDistance(9, 4), 7.25);
        QVERIFY(tank.Modified());
        // Girdle 1's mean was current before girdle 2's deviation was taken.
        QCOMPARE(tank.MeanPlumbDistance(1), 101.5);
        QCOMPARE(tank.MeanPlumbDistance(2), 121.5);
        QCOMPARE(tank.MeanRadialDeviation(2), 20.0);
        QCOMPARE(tank.MeanRadialDeviation(3), tank.MeanPlumbDistance(3) - 101.5);
        QCOMPARE(tank.MeanRadialDeviation(4), tank.MeanPlumbDistance(4) - 101.5);
        QCOMPARE(program->Inspector().DialogPanelText(), QStringLiteral("[...]"));
        QVERIFY(test::ShownMessages().isEmpty());
    }

    void cancelAndEscapeWriteNothing()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetPlumbDistance(2, 3, 95.5);
        tank.SetModified(false);
        const std::vector<double> before = Distances(tank);

        QVERIFY(test::OpenRowDialog(program, kPlumbRow, [](QWidget& dialog) {
            auto* grid = test::Find<StringGrid>(dialog, "sgWall_Plumb");
            grid->FocusCell(3, 2);
            test::TypeIntoGrid(*grid, QStringLiteral("1"));
            ScopedTestClipboard clipboard(Block(2, 2, 50));
            grid->FocusCell(1, 1);
            test::PressGridKey(*grid, Qt::Key_V, Qt::ControlModifier);
            Click(dialog, "btnCancel");
        }));
        QCOMPARE(Distances(tank), before);
        QVERIFY(!tank.Modified());

        // Esc from inside the cell editor, after a cut.
        QString shownAgain;
        QVERIFY(test::OpenRowDialog(program, kPlumbRow, [&shownAgain](QWidget& dialog) {
            auto* grid = test::Find<StringGrid>(dialog, "sgWall_Plumb");
            shownAgain = grid->Cells(3, 2);
            grid->SetSelection(GridCoord{1, 1}, GridCoord{3, 3});
            test::PressGridKey(*grid, Qt::Key_X, Qt::ControlModifier);
            grid->FocusCell(2, 2);
            test::TypeIntoGrid(*grid, QStringLiteral("8"));
            // The first Esc abandons the cell's edit, the second the dialog.
            test::PressGridKey(*grid, Qt::Key_Escape);
            test::PressGridKey(*grid, Qt::Key_Escape);
        }));
        QCOMPARE(shownAgain, QStringLiteral("95,5"));
        QCOMPARE(Distances(tank), before);
        QVERIFY(!tank.Modified());
        QVERIFY(test::ShownMessages().isEmpty());
    }

    void aBadCellWritesNothing()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetGirdleCount(3);
        tank.SetGeneratrixCount(3);
        for (int row = 1; row <= 6; ++row)
            for (int g = 1; g <= 3; ++g)
                tank.SetPlumbDistance(row, g, 100);
        const std::vector<double> before = Distances(tank);

        // Everything changed; row 2's second cell is not a number, row 4's is empty.
        GridCoord selected;
        QVERIFY(test::OpenRowDialog(program, kPlumbRow, [&selected](QWidget& dialog) {
            auto* grid = test::Find<StringGrid>(dialog, "sgWall_Plumb");
            for (int row = 1; row <= 6; ++row)
                for (int g = 1; g <= 3; ++g)
                    grid->SetCell(g, row, QStringLiteral("90"));
            grid->SetCell(2, 2, QStringLiteral("9O"));
            grid->SetCell(1, 4, QString());
            Click(dialog, "btnOk");
            selected = grid->Current();
        }));
        QCOMPARE(test::ShownMessages(), QStringList{QStringLiteral("Значение «9O» не принято — это не число.")});
        QCOMPARE(selected, (GridCoord{2, 2}));
        QCOMPARE(Distances(tank), before);

        // Shown again from the tank; an empty cell stops OK just the same.
        QString shownAgain;
        QVERIFY(test::OpenRowDialog(program, kPlumbRow, [&shownAgain](QWidget& dialog) {
            auto* grid = test::Find<StringGrid>(dialog, "sgWall_Plumb");
            shownAgain = grid->Cells(2, 2);
            grid->SetCell(3, 3, QStringLiteral("80"));
            grid->SetCell(1, 4, QString());
            grid->SetCell(2, 4, QStringLiteral("70"));
            Click(dialog, "btnOk");
        }));
        QCOMPARE(shownAgain, QStringLiteral("100"));
        QCOMPARE(test::ShownMessages().last(), QStringLiteral("Значение «» не принято — это не число."));
        QCOMPARE(Distances(tank), before);
    }

    void selectAllCopiesTheHeadersToo()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetGirdleCount(3);
        tank.SetGeneratrixCount(3);
        ScopedTestClipboard clipboard;
        QVERIFY(test::OpenRowDialog(program, kPlumbRow, [](QWidget& dialog) {
            auto* grid = test::Find<StringGrid>(dialog, "sgWall_Plumb");
            test::PressGridKey(*grid, Qt::Key_A, Qt::ControlModifier);
            test::PressGridKey(*grid, Qt::Key_C, Qt::ControlModifier);
            Click(dialog, "btnCancel");
        }));
        const QStringList lines = ReadClipboardText().split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 8);
        QCOMPARE(lines[0], QStringLiteral("\t Обр. №1\t Обр. №2\t Обр. №3"));
        QCOMPARE(lines[1], QStringLiteral("1 пояс 3/4 h\t0\t0\t0"));
        QCOMPARE(lines[6], QStringLiteral("3 пояс сер.\t0\t0\t0"));
        QCOMPARE(lines[7], QString());
    }
};

VELOQUIN_APP_TEST(PlumbReadingsDialogTest)
#include "PlumbReadingsDialogTest.moc"
