// What is typed and pasted into the measurement dialogs and the inspector, as
// a metrologist types it: a dialog that writes on OK writes all or nothing; a
// dialog shown again starts on its first box; a value the inspector does not
// take is named; "," and "." both separate decimals; Enter, Esc and Ctrl+Enter
// work as in a spreadsheet; a pasted block fits or is refused whole.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "ClipboardAdaptor.h"
#include "InternalDetailsDialog.h"
#include "TankInspectorRows.h"
#include "StringGrid.h"
#include "TankClasses.h"
#include "TankInspector.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

using namespace veloquin;

namespace {

int RowOf(TankRow row)
{
    return static_cast<int>(row);
}

void Click(QWidget& window, const char* name)
{
    test::Find<QPushButton>(window, name)->click();
}

// Where the keyboard is now.
QWidget* Focus()
{
    return QApplication::focusWidget();
}

QString FocusName()
{
    return Focus() ? Focus()->objectName() : QString();
}

void Paste(StringGrid& grid, int col, int row, const QString& text)
{
    ScopedTestClipboard clipboard(text);
    grid.setFocus();
    grid.FocusCell(col, row);
    test::PressGridKey(grid, Qt::Key_V, Qt::ControlModifier);
}

// rows x cols cells of one text, as a spreadsheet copies them.
QString Block(int rows, int cols, const QString& cell)
{
    QString text;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            text += cell + (c + 1 < cols ? QStringLiteral("\t") : QStringLiteral("\n"));
    return text;
}

// A small tank: three girdles of 1490 mm (design fill 4000), three generatrices, distances 100.
void SmallTank(TSteelVertCylTank& tank)
{
    tank.SetGirdleCount(3);
    tank.SetGeneratrixCount(3);
    for (int n = 1; n <= 3; ++n) {
        tank.SetGirdleHeightOuter(n, 1490);
        tank.UpdateGirdleHeight(n);
    }
    tank.SetDesignFillHeight(4000);
    for (int row = 1; row <= tank.PlumbRowCount(); ++row)
        for (int g = 1; g <= 3; ++g)
            tank.SetPlumbDistance(row, g, 100);
    tank.SetModified(false);
}

} // namespace

class DataEntryTest : public QObject
{
    Q_OBJECT

private slots:
    void aBadPastedCellWritesNothingAndIsSelected()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        SmallTank(tank);

        // Six points by three generatrices, one cell typed with a letter O.
        QString pasted = Block(6, 3, QStringLiteral("90"));
        pasted[9 + 4] = QLatin1Char('O'); // "90\t9O": the second cell of the second row
        bool openAfterBadOk = false;
        GridCoord selected;
        QString editorText, editorSelection;
        bool writtenWhileOpen = true;
        bool closedAfterRetyping = false;
        QVERIFY(test::OpenRowDialog(program, RowOf(TankRow::PlumbDistances), [&](QWidget& dialog) {
            auto* grid = test::Find<StringGrid>(dialog, "sgWall_Plumb");
            Paste(*grid, 1, 1, pasted);
            Click(dialog, "btnOk");
            openAfterBadOk = dialog.isVisible();
            writtenWhileOpen = tank.Modified();
            selected = grid->Current();
            editorText = grid->InplaceEditor()->text();
            editorSelection = grid->InplaceEditor()->selectedText();
            // The user retypes the cell where it stands and presses OK again.
            test::TypeIntoGrid(*grid, QStringLiteral("95"));
            Click(dialog, "btnOk");
            closedAfterRetyping = !dialog.isVisible();
        }));
        QCOMPARE(test::ShownMessages(), QStringList{QStringLiteral("Значение «9O» не принято — это не число.")});
        QVERIFY(openAfterBadOk);
        QVERIFY(!writtenWhileOpen);
        QCOMPARE(selected, (GridCoord{2, 2}));
        QCOMPARE(editorText, QStringLiteral("9O"));
        QCOMPARE(editorSelection, QStringLiteral("9O"));
        QVERIFY(closedAfterRetyping);
        QCOMPARE(tank.PlumbDistance(2, 2), 95.0);
        QCOMPARE(tank.PlumbDistance(6, 3), 90.0);

        // The heights dialog writes a paste at once: a bad cell writes none of it.
        bool heightsShowTank = false;
        QVERIFY(test::OpenRowDialog(program, RowOf(TankRow::GirdleHeights), [&](QWidget& dialog) {
            auto* grid = test::Find<StringGrid>(dialog, "sgHeightsGir");
            Paste(*grid, 1, 1, QStringLiteral("1500\t+1\n1510\t-\n"));
            heightsShowTank = grid->Cells(1, 1) == QLatin1String("1490") && grid->Cells(2, 2) == QLatin1String("0");
            Click(dialog, "btnOk");
        }));
        QCOMPARE(test::ShownMessages().last(), QStringLiteral("Значение «-» не принято — это не число."));
        QVERIFY(heightsShowTank);
        QCOMPARE(tank.GirdleHeightOuter(1), 1490.0);
        QCOMPARE(tank.OverlapBottom(1), 0.0);
        QCOMPARE(tank.DesignFillHeight(), 4000.0);
    }

    void aBadBoxKeepsItsDialogOpen()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        SmallTank(tank);

        // Thicknesses: the second girdle's text is no number.
        QString thicknessFocus;
        bool thicknessOpen = false;
        QVERIFY(test::OpenRowDialog(program, RowOf(TankRow::SheetThicknesses), [&](QWidget& dialog) {
            auto* grid = test::Find<StringGrid>(dialog, "sgThicknessSheets");
            test::TypeIntoGrid(*grid, QStringLiteral("5"));
            grid->FocusCell(1, 1);
            test::TypeIntoGrid(*grid, QStringLiteral("5,5мм"));
            grid->FocusCell(1, 2);
            Click(dialog, "OKBtn");
            thicknessOpen = dialog.isVisible();
            thicknessFocus = QString::number(grid->Row());
        }));
        QVERIFY(thicknessOpen);
        QCOMPARE(thicknessFocus, QStringLiteral("1"));
        QCOMPARE(tank.SheetThickness(1), 6.0);

        // Base height: a bad second measurement leaves the first unwritten too.
        QString baseFocus, baseSelection;
        QVERIFY(test::OpenRowDialog(program, RowOf(TankRow::BaseHeight), [&](QWidget& dialog) {
            test::TypeText(Focus(), QStringLiteral("7000"));
            test::PressKey(Focus(), Qt::Key_Tab);
            test::TypeText(Focus(), QStringLiteral("7OO1"));
            test::PressKey(Focus(), Qt::Key_Tab);
            Click(dialog, "btnOk");
            baseFocus = FocusName();
            baseSelection = test::Find<QLineEdit>(dialog, "edBaseHeight_2")->selectedText();
        }));
        QCOMPARE(test::ShownMessages().last(), QStringLiteral("Значение «7OO1» не принято — это не число."));
        QCOMPARE(baseFocus, QStringLiteral("edBaseHeight_2"));
        QCOMPARE(baseSelection, QStringLiteral("7OO1"));
        QCOMPARE(tank.BaseHeightMeas1(), 6000.0);
        QCOMPARE(tank.BaseHeightMeas2(), 6000.0);

        // An internal detail with a bad length: nothing added, the dialog stays
        // on the box; once mended, OK adds the detail.
        int countWhileOpen = -1;
        QString detailFocus;
        QVERIFY(test::OpenRowDialog(program, RowOf(TankRow::InternalDetails), [&](QWidget& details) {
            test::RunWhileModal([&] { Click(details, "bbAddCyl"); },
                                [&](QWidget& add) {
                                    for (const char* text : {"100", "1OOO", "200", "300"}) {
                                        test::TypeText(Focus(), QString::fromLatin1(text));
                                        test::PressKey(Focus(), Qt::Key_Tab);
                                    }
                                    Click(add, "OKBtn");
                                    countWhileOpen = tank.DetailCount();
                                    detailFocus = FocusName();
                                    test::TypeText(Focus(), QStringLiteral("1000"));
                                    Click(add, "OKBtn");
                                });
            Click(details, "OKBtn");
        }));
        QCOMPARE(countWhileOpen, 0);
        QCOMPARE(detailFocus, QStringLiteral("edLength"));
        QCOMPARE(tank.DetailCount(), 1);
        QCOMPARE(tank.DetailLength(1), 1000.0);
        QCOMPARE(tank.DetailTop(1), 300.0);
    }

    void aDialogShownAgainStartsOnItsFirstBox()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetDesignFillHeight(5000);

        // Typed, then abandoned with Esc from the second box...
        const auto typeBoth = [](Qt::Key last) {
            return [last](QWidget&) {
                test::TypeText(Focus(), QStringLiteral("5918"));
                test::PressKey(Focus(), Qt::Key_Tab);
                test::TypeText(Focus(), QStringLiteral("5919"));
                test::PressKey(Focus(), last);
            };
        };
        QVERIFY(test::OpenRowDialog(program, RowOf(TankRow::BaseHeight), typeBoth(Qt::Key_Escape)));
        QCOMPARE(tank.BaseHeightMeas1(), 6000.0);
        // ...then typed again the same way and confirmed with Enter.
        QVERIFY(test::OpenRowDialog(program, RowOf(TankRow::BaseHeight), typeBoth(Qt::Key_Return)));
        QCOMPARE(tank.BaseHeightMeas1(), 5918.0);
        QCOMPARE(tank.BaseHeightMeas2(), 5919.0);
        QCOMPARE(tank.BaseHeight(), 5918.5);

        // The add-detail dialog keeps the last detail added, never an abandoned text.
        QStringList shownAfterCancel, shownAfterAdd;
        QString firstFocus;
        QVERIFY(test::OpenRowDialog(program, RowOf(TankRow::InternalDetails), [&](QWidget& details) {
            const auto add = [&](const QStringList& texts, const char* button, QStringList* shown) {
                test::RunWhileModal([&] { Click(details, "bbAddAny"); },
                                    [&](QWidget& dialog) {
                                        if (shown)
                                            for (const char* box : {"edVolume", "edBottom", "edTop"})
                                                shown->append(test::Find<QLineEdit>(dialog, box)->text());
                                        firstFocus = FocusName();
                                        for (const QString& text : texts) {
                                            test::TypeText(Focus(), text);
                                            test::PressKey(Focus(), Qt::Key_Tab);
                                        }
                                        Click(dialog, button);
                                    });
            };
            add({QStringLiteral("2,5"), QStringLiteral("100"), QStringLiteral("900")}, "OKBtn", nullptr);
            add({QStringLiteral("плохо")}, "CancelBtn", &shownAfterAdd);
            add({}, "CancelBtn", &shownAfterCancel);
            Click(details, "OKBtn");
        }));
        QCOMPARE(tank.DetailCount(), 1);
        QCOMPARE(tank.DetailVolume(1), 2.5);
        QCOMPARE(shownAfterAdd, (QStringList{"2,5", "100", "900"}));
        QCOMPARE(shownAfterCancel, shownAfterAdd);
        QCOMPARE(firstFocus, QStringLiteral("edVolume"));
    }

    void theInspectorNamesAValueItDidNotTake()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        QVERIFY(test::Activate(inspector));
        const int row = RowOf(TankRow::DesignFillHeight);
        QVERIFY(inspector.SelectRow(row));
        inspector.InsEdit()->selectAll();
        test::TypeText(inspector.InsEdit(), QStringLiteral("25OO"));
        test::PressKey(inspector.InsEdit(), Qt::Key_Return);
        QCOMPARE(inspector.InsEdit()->text(), QStringLiteral("6000"));
        QCOMPARE(inspector.StatusBar()->currentMessage(), QStringLiteral("Значение «25OO» не принято — это не число"));
        QCOMPARE(inspector.FlashingRow(), row);
        QTRY_COMPARE(inspector.FlashingRow(), 0);
        QVERIFY(test::ShownMessages().isEmpty());

        // An integer row says which number it wanted; a long text is quoted short.
        QVERIFY(inspector.SelectRow(RowOf(TankRow::GirdleCount)));
        inspector.InsEdit()->selectAll();
        test::TypeText(inspector.InsEdit(), QStringLiteral("4,5") + QString(100, QLatin1Char('0')));
        test::PressKey(inspector.InsEdit(), Qt::Key_Return);
        const QString message = inspector.StatusBar()->currentMessage();
        QVERIFY2(message.endsWith(QStringLiteral("…» не принято — это не целое число")), qPrintable(message));
        QVERIFY(message.size() < 110);
        QCOMPARE(program->Context().Tank().GirdleCount(), 8);

        // A value that is taken clears the notice.
        inspector.InsEdit()->selectAll();
        test::TypeText(inspector.InsEdit(), QStringLiteral("8"));
        test::PressKey(inspector.InsEdit(), Qt::Key_Return);
        QCOMPARE(inspector.StatusBar()->currentMessage(), QString());
    }

    void bothDecimalSeparatorsAreTaken()
    {
        test::StartedProgram program; // the separator the program shows is ","
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        SmallTank(tank);
        TankInspector& inspector = program->Inspector();
        QVERIFY(test::Activate(inspector));

        QVERIFY(inspector.SelectRow(RowOf(TankRow::PaintThickness)));
        inspector.InsEdit()->selectAll();
        test::TypeText(inspector.InsEdit(), QStringLiteral("1.5"));
        test::PressKey(inspector.InsEdit(), Qt::Key_Return);
        QCOMPARE(tank.PaintThickness(), 1.5);
        QCOMPARE(inspector.InsEdit()->text(), QStringLiteral("1,5"));

        // A grid pasted with points, a girdle height typed with one.
        QVERIFY(test::OpenRowDialog(program, RowOf(TankRow::PlumbDistances), [](QWidget& dialog) {
            Paste(*test::Find<StringGrid>(dialog, "sgWall_Plumb"), 1, 1, QStringLiteral("10.25\t11,5\n"));
            Click(dialog, "btnOk");
        }));
        QCOMPARE(tank.PlumbDistance(1, 1), 10.25);
        QCOMPARE(tank.PlumbDistance(1, 2), 11.5);
        QString shownHeight;
        QVERIFY(test::OpenRowDialog(program, RowOf(TankRow::GirdleHeights), [&](QWidget& dialog) {
            auto* grid = test::Find<StringGrid>(dialog, "sgHeightsGir");
            grid->FocusCell(1, 3);
            test::TypeIntoGrid(*grid, QStringLiteral("1490.5"));
            shownHeight = grid->Cells(4, 3);
            Click(dialog, "btnOk");
        }));
        QCOMPARE(tank.GirdleHeightOuter(3), 1490.5);
        QCOMPARE(shownHeight, QStringLiteral("1490,5"));
        // And an edit box.
        QVERIFY(test::OpenRowDialog(program, RowOf(TankRow::BaseHeight), [](QWidget& dialog) {
            test::TypeText(Focus(), QStringLiteral("6000.5"));
            Click(dialog, "btnOk");
        }));
        QCOMPARE(tank.BaseHeightMeas1(), 6000.5);
        QVERIFY(test::ShownMessages().isEmpty());
    }

    void keysWorkAsInASpreadsheet()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        SmallTank(tank);

        // Enter commits and moves down; Esc abandons the cell being typed; Ctrl+Enter is OK.
        bool openAfterEnters = false;
        int rowAfterEnters = -1;
        QString abandoned;
        QVERIFY(test::OpenRowDialog(program, RowOf(TankRow::SheetThicknesses), [&](QWidget& dialog) {
            auto* grid = test::Find<StringGrid>(dialog, "sgThicknessSheets");
            for (const char* text : {"7", "8"}) {
                test::TypeIntoGrid(*grid, QString::fromLatin1(text));
                test::PressGridKey(*grid, Qt::Key_Return);
            }
            openAfterEnters = dialog.isVisible();
            rowAfterEnters = grid->Row();
            test::TypeIntoGrid(*grid, QStringLiteral("99"));
            test::PressGridKey(*grid, Qt::Key_Escape);
            abandoned = grid->Cells(1, 2);
            test::PressGridKey(*grid, Qt::Key_Return, Qt::ControlModifier);
        }));
        QVERIFY(openAfterEnters);
        QCOMPARE(rowAfterEnters, 2);
        QCOMPARE(abandoned, QStringLiteral("6"));
        QCOMPARE(tank.SheetThickness(1), 7.0);
        QCOMPARE(tank.SheetThickness(2), 8.0);
        QCOMPARE(tank.SheetThickness(3), 6.0);

        // A second Esc is the dialog's: the plumb readings typed are thrown away.
        tank.SetModified(false);
        bool openAfterFirstEsc = false;
        QVERIFY(test::OpenRowDialog(program, RowOf(TankRow::PlumbDistances), [&](QWidget& dialog) {
            auto* grid = test::Find<StringGrid>(dialog, "sgWall_Plumb");
            test::TypeIntoGrid(*grid, QStringLiteral("55"));
            test::PressGridKey(*grid, Qt::Key_Return);
            test::TypeIntoGrid(*grid, QStringLiteral("66"));
            test::PressGridKey(*grid, Qt::Key_Escape);
            openAfterFirstEsc = dialog.isVisible();
            test::PressGridKey(*grid, Qt::Key_Escape);
        }));
        QVERIFY(openAfterFirstEsc);
        QCOMPARE(tank.PlumbDistance(1, 1), 100.0);
        QVERIFY(!tank.Modified());

        // The heights dialog types into a copy of its own: the tank is untouched
        // while typing, and Esc leaves it as it was.
        double whileTyping = 0;
        bool heightsOpen = false;
        QVERIFY(test::OpenRowDialog(program, RowOf(TankRow::GirdleHeights), [&](QWidget& dialog) {
            auto* grid = test::Find<StringGrid>(dialog, "sgHeightsGir");
            grid->FocusCell(1, 2);
            test::TypeIntoGrid(*grid, QStringLiteral("1200"));
            whileTyping = tank.GirdleHeightOuter(2);
            test::PressGridKey(*grid, Qt::Key_Escape);
            heightsOpen = dialog.isVisible();
        }));
        QCOMPARE(whileTyping, 1490.0);
        QVERIFY(heightsOpen);
        QCOMPARE(tank.GirdleHeightOuter(2), 1490.0);

        // Ctrl+Enter from an edit box.
        QVERIFY(test::OpenRowDialog(program, RowOf(TankRow::BaseHeight), [](QWidget&) {
            test::TypeText(Focus(), QStringLiteral("7000"));
            QTest::keyClick(Focus(), Qt::Key_Return, Qt::ControlModifier);
        }));
        QCOMPARE(tank.BaseHeightMeas1(), 7000.0);
        QVERIFY(test::ShownMessages().isEmpty());
    }

    void aPastedBlockFitsOrIsRefusedWhole()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        SmallTank(tank);

        // The thickness column takes a pasted column.
        QVERIFY(test::OpenRowDialog(program, RowOf(TankRow::SheetThicknesses), [](QWidget& dialog) {
            Paste(*test::Find<StringGrid>(dialog, "sgThicknessSheets"), 1, 0, QStringLiteral("9\n8\n7\n"));
            Click(dialog, "OKBtn");
        }));
        QCOMPARE(tank.SheetThickness(1), 9.0);
        QCOMPARE(tank.SheetThickness(3), 7.0);
        QVERIFY(test::ShownMessages().isEmpty());

        // Three rows of four from the fifth point: two rows and three columns fit.
        QString untouched;
        QVERIFY(test::OpenRowDialog(program, RowOf(TankRow::PlumbDistances), [&](QWidget& dialog) {
            auto* grid = test::Find<StringGrid>(dialog, "sgWall_Plumb");
            Paste(*grid, 1, 5, Block(3, 4, QStringLiteral("1")));
            untouched = grid->Cells(1, 5) + grid->Cells(3, 6);
            Click(dialog, "btnOk");
        }));
        QCOMPARE(test::ShownMessages(),
                 QStringList{QStringLiteral("Вставляемый блок: 3 строки × 4 столбца, а от текущей ячейки до края "
                                            "таблицы помещается 2 строки × 3 столбца. Ничего не вставлено.")});
        QCOMPARE(untouched, QStringLiteral("100100"));
        QCOMPARE(tank.PlumbDistance(5, 1), 100.0);

        // 50 MB in one cell: refused at once, the message names the cell and stays short.
        const QString huge = QString(50 * 1024 * 1024, QLatin1Char('7'));
        QString cellAfter;
        QVERIFY(test::OpenRowDialog(program, RowOf(TankRow::PlumbDistances), [&](QWidget& dialog) {
            auto* grid = test::Find<StringGrid>(dialog, "sgWall_Plumb");
            Paste(*grid, 2, 3, QStringLiteral("1\t") + huge);
            cellAfter = grid->Cells(3, 3);
        }));
        QCOMPARE(test::ShownMessages().last(),
                 QStringLiteral("Текст для ячейки «2 пояс сер.», «Обр. №3» длиннее 256 знаков. Ничего не вставлено."));
        QCOMPARE(cellAfter, QStringLiteral("100"));

        // A NUL inside a pasted cell neither cuts the message nor hides what follows it.
        QVERIFY(test::OpenRowDialog(program, RowOf(TankRow::PlumbDistances), [&](QWidget& dialog) {
            Paste(*test::Find<StringGrid>(dialog, "sgWall_Plumb"), 1, 1,
                  QStringLiteral("1") + QChar(0) + QStringLiteral("2\n"));
            Click(dialog, "btnOk");
        }));
        QCOMPARE(test::ShownMessages().last(),
                 QStringLiteral("Значение «1") + QChar(0x2400) + QStringLiteral("2» не принято — это не число."));
        QCOMPARE(tank.PlumbDistance(1, 1), 100.0);
    }
};

VELOQUIN_APP_TEST(DataEntryTest)
#include "DataEntryTest.moc"
