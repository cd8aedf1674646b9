// The girdle dimension dialogs opened from their inspector rows, driven as a
// user would: the circumference measurements with table or typed weld
// corrections, the sheet thicknesses, the heights and overlaps that reach the
// tank while typed or pasted, and the internal circumferences shown read-only.
// What a dialog shows is captured while it is open and checked after it closed.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "ClipboardAdaptor.h"
#include "NumberTexts.h"
#include "TankInspectorRows.h"
#include "StringGrid.h"
#include "TankClasses.h"
#include "TankInspector.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>

using namespace veloquin;

namespace {

// Opens the row's dialog with its button; inspect runs while it is up.
bool OpenRow(test::StartedProgram& program, TankRow row, const std::function<void(QWidget&)>& inspect)
{
    TankInspector& inspector = program->Inspector();
    if (!inspector.SelectRow(static_cast<int>(row)))
        return false;
    return test::RunWhileModal([&inspector] { inspector.DialogButton()->click(); }, inspect);
}

template <class T> T* Find(QWidget& dialog, const char* name)
{
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

void Retype(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    test::TypeText(edit, text);
}

// Types a column of cells from the current cell down, one Down press between them.
void TypeColumn(StringGrid& grid, const QStringList& texts)
{
    for (int i = 0; i < texts.size(); ++i) {
        if (i > 0)
            test::PressGridKey(grid, Qt::Key_Down);
        if (!texts[i].isEmpty())
            test::TypeIntoGrid(grid, texts[i]);
    }
}

void Click(QWidget& dialog, const char* button)
{
    if (auto* b = Find<QPushButton>(dialog, button))
        b->click();
}

QStringList Column(const StringGrid& grid, int col)
{
    QStringList texts;
    for (int row = 0; row < grid.RowCount(); ++row)
        texts.append(grid.Cells(col, row));
    return texts;
}

} // namespace

class GirdleDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void circumferenceWithTheTableCorrection()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());

        struct Seen
        {
            QString caption, meas1, correctionHeader;
            bool tableChecked = false, gridVisible = true, centred = false;
            QSize size;
        } seen;
        QVERIFY(OpenRow(program, TankRow::ExtCircumference, [&seen](QWidget& dialog) {
            seen.caption = dialog.windowTitle();
            seen.size = dialog.size();
            seen.meas1 = Find<QLineEdit>(dialog, "edMeas1")->text();
            seen.tableChecked = Find<QRadioButton>(dialog, "rbTableCorr")->isChecked();
            auto* grid = Find<StringGrid>(dialog, "StringGridCorr");
            seen.gridVisible = grid->isVisible();
            seen.correctionHeader = grid->Cells(0, 0);
            const QRect screen = dialog.screen()->availableGeometry();
            seen.centred = (dialog.frameGeometry().center() - screen.center()).manhattanLength() < 40;
            // Corrections typed and then the table chosen again: the grid does not count.
            Find<QRadioButton>(dialog, "rbMeasuredCorr")->click();
            grid->SetCell(0, 1, QStringLiteral("9"));
            Find<QRadioButton>(dialog, "rbTableCorr")->click();
            Click(dialog, "btnOk");
        }));
        QCOMPARE(seen.caption, QStringLiteral("Длина внешней окружности первого пояса"));
        QCOMPARE(seen.size, QSize(433, 302));
        QCOMPARE(seen.meas1, QStringLiteral("20000"));
        QVERIFY(seen.tableChecked);
        QVERIFY(!seen.gridVisible);
        QVERIFY(seen.centred);
        QCOMPARE(seen.correctionHeader, QStringLiteral("Поправка, мм"));

        // "по таблице" stores -1: 200 m3 takes 2 mm.
        QCOMPARE(tank.WeldCorrectionCount(), -1);
        QCOMPARE(tank.ExtCircumference(), 19998.0);
        QCOMPARE(program->Inspector().DialogPanelText(), QStringLiteral("[19 998,0]"));
    }

    void theDialogShowsTheStoredCorrections()
    {
        // A tank with typed corrections (as a file brings it): OK to confirm the
        // measurements must not swap them for the table's.
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetWeldCorrectionCount(3);
        tank.SetWeldCorrection(1, 4);
        tank.SetWeldCorrection(2, 6);
        tank.SetWeldCorrection(3, 1.5);
        tank.SetExtCircumferenceMeasurements(20000, 20000);
        tank.SetModified(false);
        bool manual = false;
        bool gridVisible = false;
        QStringList shown;
        QVERIFY(OpenRow(program, TankRow::ExtCircumference, [&](QWidget& dialog) {
            manual = Find<QRadioButton>(dialog, "rbMeasuredCorr")->isChecked();
            auto* grid = Find<StringGrid>(dialog, "StringGridCorr");
            gridVisible = grid->isVisible();
            shown = Column(*grid, 0).mid(1, 4);
            Click(dialog, "btnOk");
        }));
        QVERIFY(manual);
        QVERIFY(gridVisible);
        QCOMPARE(shown, (QStringList{"4", "6", "1,5", ""}));
        QCOMPARE(tank.WeldCorrectionCount(), 3);
        QCOMPARE(tank.ExtCircumference(), 20000 - 11.5);
        QVERIFY(!tank.Modified());

        // Another tank with a shorter list: nothing of the longer one is left below it.
        tank.SetWeldCorrectionCount(1);
        QVERIFY(OpenRow(program, TankRow::ExtCircumference, [&](QWidget& dialog) {
            shown = Column(*Find<StringGrid>(dialog, "StringGridCorr"), 0).mid(1, 3);
            Click(dialog, "btnOk");
        }));
        QCOMPARE(shown, (QStringList{"4", "", ""}));
        QCOMPARE(tank.WeldCorrectionCount(), 1);
        QCOMPARE(tank.ExtCircumference(), 20000 - 4.0);
    }

    void circumferenceWithTypedCorrections()
    {
        test::StartedProgram program;
        program.Show();
        const TSteelVertCylTank& tank = program->Context().Tank();
        const QDialog* first = nullptr;

        // "5", "7", "", "9": the list ends at the empty cell.
        bool gridShown = false;
        QVERIFY(OpenRow(program, TankRow::ExtCircumference, [&](QWidget& dialog) {
            first = qobject_cast<QDialog*>(&dialog);
            Find<QRadioButton>(dialog, "rbMeasuredCorr")->click();
            auto* grid = Find<StringGrid>(dialog, "StringGridCorr");
            gridShown = grid->isVisible();
            grid->setFocus();
            grid->FocusCell(0, 1);
            TypeColumn(*grid, {QStringLiteral("5"), QStringLiteral("7"), QString(), QStringLiteral("9")});
            Retype(Find<QLineEdit>(dialog, "edMeas1"), QStringLiteral("50010,5"));
            Retype(Find<QLineEdit>(dialog, "edMeas2"), QStringLiteral("50020,5"));
            Click(dialog, "btnOk");
        }));
        QVERIFY(gridShown);
        QCOMPARE(tank.WeldCorrectionCount(), 2);
        QCOMPARE(tank.WeldCorrection(1), 5.0);
        QCOMPARE(tank.WeldCorrection(2), 7.0);
        QCOMPARE(tank.ExtCircumferenceMeasured1(), 50010.5);
        QCOMPARE(tank.ExtCircumference(), 50003.5);
        QCOMPARE(program->Inspector().DialogPanelText(), QStringLiteral("[50 003,5]"));

        // The tank's choice and list come back; an empty first row means no correction.
        bool stillManual = false;
        bool reused = false;
        QStringList kept;
        QVERIFY(OpenRow(program, TankRow::ExtCircumference, [&](QWidget& dialog) {
            reused = qobject_cast<QDialog*>(&dialog) == first;
            stillManual = Find<QRadioButton>(dialog, "rbMeasuredCorr")->isChecked();
            auto* grid = Find<StringGrid>(dialog, "StringGridCorr");
            kept = Column(*grid, 0).mid(1, 4);
            grid->SetCell(0, 1, QString());
            Click(dialog, "btnOk");
        }));
        QVERIFY(reused);
        QVERIFY(stillManual);
        QCOMPARE(kept, (QStringList{"5", "7", "", ""}));
        QCOMPARE(tank.WeldCorrectionCount(), 0);
        QCOMPARE(tank.ExtCircumference(), 50015.5);
        QCOMPARE(program->Rows().CreatedDialog(TankRow::ExtCircumference), first);

        // Every one of the 99 rows filled: all 99 are taken.
        QVERIFY(OpenRow(program, TankRow::ExtCircumference, [&](QWidget& dialog) {
            auto* grid = Find<StringGrid>(dialog, "StringGridCorr");
            for (int i = 1; i < grid->RowCount(); ++i)
                grid->SetCell(0, i, QString::number(i % 3));
            Click(dialog, "btnOk");
        }));
        QCOMPARE(tank.WeldCorrectionCount(), 99);
        QCOMPARE(tank.WeldCorrection(99), 0.0);
        QCOMPARE(tank.WeldCorrection(98), 2.0);
        QCOMPARE(tank.ExtCircumference(), 50015.5 - 99.0);
    }

    void aBadCircumferenceTextChangesNothing()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetModified(false);
        const double before = tank.ExtCircumference();

        // A bad measurement: not even the corrections typed above it are stored.
        QVERIFY(OpenRow(program, TankRow::ExtCircumference, [](QWidget& dialog) {
            Find<QRadioButton>(dialog, "rbMeasuredCorr")->click();
            auto* grid = Find<StringGrid>(dialog, "StringGridCorr");
            grid->SetCell(0, 1, QStringLiteral("3"));
            Retype(Find<QLineEdit>(dialog, "edMeas2"), QStringLiteral("2OOOO"));
            Click(dialog, "btnOk");
        }));
        QCOMPARE(test::ShownMessages().value(0), QStringLiteral("Значение «2OOOO» не принято — это не число."));
        QCOMPARE(tank.WeldCorrectionCount(), -1);
        QCOMPARE(tank.ExtCircumferenceMeasured2(), 20000.0);
        QCOMPARE(tank.ExtCircumference(), before);
        QVERIFY(!tank.Modified());

        // A bad correction below good ones, with good measurements: nothing either.
        QVERIFY(OpenRow(program, TankRow::ExtCircumference, [](QWidget& dialog) {
            Find<QRadioButton>(dialog, "rbMeasuredCorr")->click();
            auto* grid = Find<StringGrid>(dialog, "StringGridCorr");
            // The "3" of the abandoned attempt above is gone: typed again.
            grid->SetCell(0, 1, QStringLiteral("3"));
            grid->SetCell(0, 2, QStringLiteral("1..5"));
            Retype(Find<QLineEdit>(dialog, "edMeas1"), QStringLiteral("30000"));
            Retype(Find<QLineEdit>(dialog, "edMeas2"), QStringLiteral("30000"));
            Click(dialog, "btnOk");
        }));
        QCOMPARE(test::ShownMessages().value(1), QStringLiteral("Значение «1..5» не принято — это не число."));
        QCOMPARE(tank.ExtCircumferenceMeasured1(), 20000.0);
        QCOMPARE(tank.WeldCorrectionCount(), -1);
        QVERIFY(!tank.Modified());

        // Cancel, and Esc in an edit box, leave the tank alone too.
        QVERIFY(OpenRow(program, TankRow::ExtCircumference, [](QWidget& dialog) {
            Retype(Find<QLineEdit>(dialog, "edMeas1"), QStringLiteral("30000"));
            Click(dialog, "btnCancel");
        }));
        bool closedByEsc = false;
        QVERIFY(OpenRow(program, TankRow::ExtCircumference, [&closedByEsc](QWidget& dialog) {
            QLineEdit* edit = Find<QLineEdit>(dialog, "edMeas1");
            Retype(edit, QStringLiteral("30000"));
            test::PressKey(edit, Qt::Key_Escape);
            closedByEsc = !dialog.isVisible();
        }));
        QVERIFY(closedByEsc);
        QCOMPARE(tank.ExtCircumferenceMeasured1(), 20000.0);
        QVERIFY(!tank.Modified());
        QCOMPARE(test::ShownMessages().size(), 2);
    }

    void sheetThicknesses()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        struct Seen
        {
            QStringList labels;
            QString caption;
            QSize size;
            bool editorOpen = false;
        } seen;
        QVERIFY(OpenRow(program, TankRow::SheetThicknesses, [&seen](QWidget& dialog) {
            seen.caption = dialog.windowTitle();
            seen.size = dialog.size();
            auto* grid = Find<StringGrid>(dialog, "sgThicknessSheets");
            seen.labels = Column(*grid, 0);
            seen.editorOpen = grid->EditorMode();
            TypeColumn(*grid, {"6", "6", "5", "5", "4", "4", "4", "4,5"});
            Click(dialog, "OKBtn");
        }));
        QCOMPARE(seen.caption, QStringLiteral("Толщины листов стали по поясам"));
        QCOMPARE(seen.size, QSize(315, 235));
        QCOMPARE(seen.labels.size(), 8);
        QCOMPARE(seen.labels.front(), QStringLiteral("Пояс №1"));
        QCOMPARE(seen.labels.back(), QStringLiteral("Пояс №8"));
        QVERIFY(seen.editorOpen);
        QCOMPARE(tank.SheetThickness(3), 5.0);
        QCOMPARE(tank.SheetThickness(8), 4.5);
        QCOMPARE(program->Inspector().DialogPanelText(), QStringLiteral("[6, 6, 5, 5, 4, 4, 4, 4,5]"));
        const double circumference = tank.IntCircumference(8);

        // A bad text is reported, the dialog closes, and no thickness changes.
        QVERIFY(OpenRow(program, TankRow::SheetThicknesses, [](QWidget& dialog) {
            auto* grid = Find<StringGrid>(dialog, "sgThicknessSheets");
            grid->SetCell(1, 0, QStringLiteral("7"));
            grid->SetCell(1, 5, QStringLiteral("четыре"));
            Click(dialog, "OKBtn");
        }));
        QCOMPARE(test::ShownMessages().value(0), QStringLiteral("Значение «четыре» не принято — это не число."));
        QCOMPARE(tank.SheetThickness(1), 6.0);
        QCOMPARE(tank.IntCircumference(8), circumference);

        // Cancel keeps the tank as it was; a new girdle count gives a new row count.
        QVERIFY(OpenRow(program, TankRow::SheetThicknesses, [](QWidget& dialog) {
            Find<StringGrid>(dialog, "sgThicknessSheets")->SetCell(1, 0, QStringLiteral("9"));
            Click(dialog, "CancelBtn");
        }));
        QCOMPARE(tank.SheetThickness(1), 6.0);
        tank.SetGirdleCount(3);
        int rows = 0;
        QVERIFY(OpenRow(program, TankRow::SheetThicknesses, [&rows](QWidget& dialog) {
            rows = Find<StringGrid>(dialog, "sgThicknessSheets")->RowCount();
            test::PressKey(&dialog, Qt::Key_Escape);
        }));
        QCOMPARE(rows, 3);
    }

    void heightsShowSignedOverlapsAndUpdateWhileTyped()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetOverlapBottom(2, 3);
        tank.SetOverlapTop(2, -4);
        tank.SetModified(false);
        struct Seen
        {
            QStringList headers, labels, bottoms, tops, inner;
            double overlapAfterMinus = 1;
            bool modifiedAfterMinus = true;
            QString innerAfterTyping;
            QSize size;
            bool hasCancel = true;
        } seen;
        QVERIFY(OpenRow(program, TankRow::GirdleHeights, [&](QWidget& dialog) {
            seen.size = dialog.size();
            seen.hasCancel = Find<QPushButton>(dialog, "btnCancel") != nullptr;
            auto* grid = Find<StringGrid>(dialog, "sgHeightsGir");
            for (int col = 0; col < grid->ColCount(); ++col)
                seen.headers.append(grid->Cells(col, 0));
            seen.labels = Column(*grid, 0).mid(1, 2);
            seen.bottoms = Column(*grid, 2).mid(1, 2);
            seen.tops = Column(*grid, 3).mid(1, 2);
            seen.inner = Column(*grid, 4).mid(1, 2);
            // "-" alone is a number being typed; "-2" is one, and the height follows at once.
            grid->FocusCell(3, 1);
            test::TypeIntoGrid(*grid, QStringLiteral("-"));
            seen.overlapAfterMinus = tank.OverlapTop(1);
            seen.modifiedAfterMinus = tank.Modified();
            test::TypeIntoGrid(*grid, QStringLiteral("2"));
            seen.innerAfterTyping = grid->Cells(4, 1);
            // Letters never reach the cell; Enter keeps the cell and moves down.
            test::TypeIntoGrid(*grid, QStringLiteral("мм"));
            test::PressGridKey(*grid, Qt::Key_Return);
            Click(dialog, "btnOk");
        }));
        QCOMPARE(seen.size, QSize(474, 335));
        QVERIFY(!seen.hasCancel);
        QCOMPARE(seen.headers, (QStringList{" № Пояса", " H нар.", " ± Низ", " ± Верх", " H внутр."}));
        QCOMPARE(seen.labels, (QStringList{" 1", " 2"}));
        QCOMPARE(seen.bottoms, (QStringList{"0", "+3"}));
        QCOMPARE(seen.tops, (QStringList{"0", "-4"}));
        QCOMPARE(seen.inner, (QStringList{"800", "799"}));
        QCOMPARE(seen.overlapAfterMinus, 0.0);
        QVERIFY(!seen.modifiedAfterMinus);
        QCOMPARE(seen.innerAfterTyping, QStringLiteral("798"));
        // OK closed it, and what was typed stays in the tank.
        QCOMPARE(tank.OverlapTop(1), -2.0);
        QCOMPARE(tank.GirdleHeight(1), 798.0);
        QVERIFY(tank.Modified());
        QCOMPARE(program->Inspector().DialogPanelText(), QStringLiteral("[798, 799, 800, 800, 800, 800, 800, 800]"));
        QCOMPARE(program->Inspector().GetCell(1, 7), program->Inspector().DialogPanelText());
        QVERIFY(test::ShownMessages().isEmpty());
    }

    void theComputedColumnIsNeverTypedOver()
    {
        test::StartedProgram program;
        program.Show();
        const TSteelVertCylTank& tank = program->Context().Tank();
        QString inner;
        bool editing = true;
        QString separatorMessage;
        double outerAfterSeparator = 0;
        bool refusedOpen = false;
        QString refusedMessage;
        GridCoord refusedAt;
        double overlapAfterRefusal = -1;
        QVERIFY(OpenRow(program, TankRow::GirdleHeights, [&](QWidget& dialog) {
            auto* grid = Find<StringGrid>(dialog, "sgHeightsGir");
            grid->FocusCell(4, 2);
            test::TypeIntoGrid(*grid, QStringLiteral("5"));
            inner = grid->Cells(4, 2);
            editing = grid->Options().testFlag(GridOption::Editing);
            // Arriving at column 4 from a typed cell: the next key switches editing off.
            grid->FocusCell(3, 2);
            test::TypeIntoGrid(*grid, QStringLiteral("1"));
            test::PressGridKey(*grid, Qt::Key_Right);
            test::TypeIntoGrid(*grid, QStringLiteral("7"));
            inner += QLatin1Char('|') + grid->Cells(4, 2);
            // The separator alone does not convert: reported, and the tank keeps its value.
            grid->FocusCell(1, 3);
            test::TypeIntoGrid(*grid, QStringLiteral(","));
            separatorMessage = test::ShownMessages().value(0);
            outerAfterSeparator = tank.GirdleHeightOuter(3);
            // OK refuses it, naming it, at that cell, and writes nothing.
            grid->FocusCell(1, 1);
            Click(dialog, "btnOk");
            refusedOpen = dialog.isVisible();
            refusedMessage = test::ShownMessages().value(1);
            refusedAt = grid->Current();
            overlapAfterRefusal = tank.OverlapTop(2);
            grid->SetCell(1, 3, QStringLiteral("800"));
            Click(dialog, "btnOk");
        }));
        QVERIFY(refusedOpen);
        QVERIFY(refusedMessage.contains(QStringLiteral("«,»")));
        QCOMPARE(refusedAt.Col, 1);
        QCOMPARE(refusedAt.Row, 3);
        QCOMPARE(overlapAfterRefusal, 0.0);
        QCOMPARE(inner, QStringLiteral("800|801"));
        QVERIFY(!editing);
        QCOMPARE(tank.OverlapTop(2), 1.0);
        QCOMPARE(tank.GirdleHeight(2), 801.0);
        QCOMPARE(separatorMessage, QStringLiteral("Значение «,» не принято — это не число."));
        QCOMPARE(outerAfterSeparator, 800.0);
    }

    void pastingABlockAppliesEveryRow()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetOverlapTop(8, 5);
        QStringList inner;
        QString selection;
        bool active = false;
        QVERIFY(OpenRow(program, TankRow::GirdleHeights, [&](QWidget& dialog) {
            auto* grid = Find<StringGrid>(dialog, "sgHeightsGir");
            // Two columns from a spreadsheet (LF row ends) into columns 1..2 of girdles 2 and 3.
            ScopedTestClipboard clipboard(QStringLiteral("1490\t-1\n1500,5\t+2\n"));
            // Shortcuts reach only the active window.
            active = QTest::qWaitForWindowActive(&dialog);
            grid->FocusCell(1, 2);
            test::PressGridKey(*grid, Qt::Key_V, Qt::ControlModifier);
            inner = Column(*grid, 4).mid(1);
            const GridRect range = grid->Selection();
            selection = QStringLiteral("%1,%2-%3,%4").arg(range.Left).arg(range.Top).arg(range.Right).arg(range.Bottom);
            // Cut empties cells only.
            grid->SetSelection(GridCoord{2, 3}, GridCoord{1, 2});
            test::PressGridKey(*grid, Qt::Key_X, Qt::ControlModifier);
            Click(dialog, "btnOk");
        }));
        QVERIFY(active);
        QCOMPARE(selection, QStringLiteral("1,2-2,3"));
        QCOMPARE(tank.GirdleHeightOuter(2), 1490.0);
        QCOMPARE(tank.OverlapBottom(2), -1.0);
        QCOMPARE(tank.GirdleHeightOuter(3), 1500.5);
        QCOMPARE(tank.OverlapBottom(3), 2.0);
        QCOMPARE(inner, (QStringList{"800", "1489", "1502,5", "800", "800", "800", "800", "805"}));
        QCOMPARE(tank.GirdleHeight(8), 805.0);

        // A bad text writes none of the paste: not the cells before it either.
        QVERIFY(OpenRow(program, TankRow::GirdleHeights, [&](QWidget& dialog) {
            auto* grid = Find<StringGrid>(dialog, "sgHeightsGir");
            ScopedTestClipboard clipboard(QStringLiteral("1000\tx\t7\r\n2000\t1\t1\r\n"));
            active = active && QTest::qWaitForWindowActive(&dialog);
            grid->FocusCell(1, 4);
            test::PressGridKey(*grid, Qt::Key_V, Qt::ControlModifier);
            Click(dialog, "btnOk");
        }));
        QCOMPARE(test::ShownMessages().value(0), QStringLiteral("Значение «x» не принято — это не число."));
        QCOMPARE(tank.GirdleHeightOuter(4), 800.0);
        QCOMPARE(tank.OverlapBottom(4), 0.0);
        QCOMPARE(tank.OverlapTop(4), 0.0);
        QCOMPARE(tank.GirdleHeightOuter(5), 800.0);
        // The cut cells of the earlier showing were never written back: the show refilled them.
        QCOMPARE(tank.GirdleHeightOuter(2), 1490.0);
    }

    void internalCircumferencesAreShownOnly()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetGirdleCount(5);
        for (int g = 1; g <= tank.GeneratrixCount(); ++g)
            tank.SetPlumbDistance(2, g, 12.5);
        program->Rows().RefreshInspectorValues();
        struct Seen
        {
            QStringList headers, row1, row2;
            QList<int> widths;
            int rows = 0;
            bool editorOpened = true;
            QString readOnly;
        } seen;
        const QStringList expected1 = {QStringLiteral("Пояс №1"), FixedText(1, tank.IntCircumference(1)),
                                       FixedText(1, tank.MeanPlumbDistance(1)),
                                       FixedText(1, tank.MeanRadialDeviation(1))};
        QVERIFY(OpenRow(program, TankRow::IntCircumferences, [&](QWidget& dialog) {
            auto* grid = Find<StringGrid>(dialog, "sgLengthIntCirGirdle");
            seen.rows = grid->RowCount();
            for (int col = 0; col < 4; ++col) {
                seen.headers.append(grid->Cells(col, 0));
                seen.row1.append(grid->Cells(col, 1));
                seen.row2.append(grid->Cells(col, 2));
                seen.widths.append(grid->ColWidth(col));
            }
            seen.readOnly = Find<QLabel>(dialog, "Label1")->text();
            grid->setFocus();
            test::TypeIntoGrid(*grid, QStringLiteral("5"));
            seen.editorOpened = grid->EditorMode();
            test::PressGridKey(*grid, Qt::Key_Escape);
        }));
        QCOMPARE(seen.rows, 6);
        QCOMPARE(seen.headers,
                 (QStringList{"", "Длина вн. окр.", "Ср. расст. до отвеса", "Ср. рад. откл. образующих"}));
        QCOMPARE(seen.widths, (QList<int>{64, 84, 114, 144}));
        QCOMPARE(seen.row1, expected1);
        QCOMPARE(seen.row2.value(2), FixedText(1, tank.MeanPlumbDistance(2)));
        QVERIFY(tank.MeanPlumbDistance(2) > 0);
        QCOMPARE(seen.readOnly, QStringLiteral("Только чтение"));
        QVERIFY(!seen.editorOpened);
    }
};

VELOQUIN_APP_TEST(GirdleDialogsTest)
#include "GirdleDialogsTest.moc"
