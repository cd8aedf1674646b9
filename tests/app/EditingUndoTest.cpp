// Every change of the tank as one undo step, driven through the windows: a
// dialog session, an inspector commit and a sheet-options field each undo and
// redo to byte-identical files; the values the tank clamps come back to what
// the user set once their bounds allow it, and each move is said at once.
#include "AppContext.h"
#include "AppTestSupport.h"
#include "CalibrationText.h"
#include "DocumentSet.h"
#include "FileDialog.h"
#include "MainWindow.h"
#include "NumberTexts.h"
#include "SheetOptionsDialog.h"
#include "TankInspectorRows.h"
#include "StringGrid.h"
#include "TankFile.h"
#include "TankInspector.h"
#include "editing/TankEditing.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace veloquin;

namespace {

constexpr int kGirdleCountRow = static_cast<int>(TankRow::GirdleCount);
constexpr int kStoredDensityRow = static_cast<int>(TankRow::StoredDensity);
constexpr int kDesignFillRow = static_cast<int>(TankRow::DesignFillHeight);
constexpr int kBaseHeightRow = static_cast<int>(TankRow::BaseHeight);
constexpr int kVolumeAtLevelRow = static_cast<int>(TankRow::VolumeAtLevel);
const QString kMovedMark = QStringLiteral("moved");

// The four-girdle tank of the field notes: the design fill height lies in girdle 4.
TSteelVertCylTank FourGirdleTank()
{
    TSteelVertCylTank tank;
    tank.SetGirdleCount(4);
    const double heights[] = {1490, 1488, 1482, 1490};
    for (int girdle = 1; girdle <= 4; ++girdle) {
        tank.SetGirdleHeightOuter(girdle, heights[girdle - 1]);
        tank.UpdateGirdleHeight(girdle);
    }
    tank.SetDesignFillHeight(5146);
    tank.SetBaseHeightMeas1(5800);
    tank.SetBaseHeightMeas2(6000);
    tank.UpdateBaseHeight();
    tank.UpdateAll();
    return tank;
}

void Open(test::StartedProgram& program, const QString& path)
{
    FileDialog::QueueChoice(path);
    program->MainForm().acOpenExecute();
}

void OpenTank(test::StartedProgram& program, const TSteelVertCylTank& tank)
{
    const QString path = program.PathIn(QStringLiteral("typed.vlq"));
    StoreTankFile(path.toStdString(), tank, 1);
    Open(program, path);
}

QByteArray SaveAs(test::StartedProgram& program, const QString& name)
{
    const QString path = program.PathIn(name);
    FileDialog::QueueChoice(path);
    program->MainForm().acSaveAsExecute();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Types a value into an inspector row and presses Enter, as the user does.
void Commit(test::StartedProgram& program, int row, const QString& text)
{
    TankInspector& inspector = program->Inspector();
    QVERIFY(inspector.SelectRow(row));
    inspector.InsEdit()->selectAll();
    test::TypeText(inspector.InsEdit(), text);
    test::PressKey(inspector.InsEdit(), Qt::Key_Return);
}

bool OpenRow(test::StartedProgram& program, TankRow row, const std::function<void(QWidget&)>& inspect)
{
    TankInspector& inspector = program->Inspector();
    if (!inspector.SelectRow(static_cast<int>(row)))
        return false;
    return test::RunWhileModal([&inspector] { inspector.DialogButton()->click(); }, inspect);
}

// Types outer heights into the heights grid, one cell each, and closes it with key.
bool TypeHeights(test::StartedProgram& program, const std::vector<std::pair<int, QString>>& cells, Qt::Key key)
{
    return OpenRow(program, TankRow::GirdleHeights, [&](QWidget& dialog) {
        auto* grid = dialog.findChild<StringGrid*>(QStringLiteral("sgHeightsGir"));
        for (const auto& [girdle, text] : cells) {
            grid->FocusCell(1, girdle);
            test::TypeIntoGrid(*grid, text);
        }
        if (key == Qt::Key_Escape) {
            // Leaving the cell first: the Esc then closes the dialog, not the cell's editor.
            grid->FocusCell(1, 1);
            test::PressGridKey(*grid, Qt::Key_Escape);
        } else
            dialog.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
    });
}

std::string TableOf(TSteelVertCylTank tank)
{
    tank.UpdateAll();
    return CalibrationTableText(tank, "\n");
}

} // namespace

class EditingUndoTest : public QObject
{
    Q_OBJECT

private slots:
    void typingOverTheTopGirdleKeepsTheDesignFillHeightAndTheTable()
    {
        test::StartedProgram program;
        program.Show();
        const TSteelVertCylTank typed = FourGirdleTank();
        OpenTank(program, typed);
        const TSteelVertCylTank& tank = program->Context().Tank();

        // Every keystroke ("1", "14", "149", "1491") reaches the tank while typing.
        QVERIFY(TypeHeights(program, {{4, QStringLiteral("1491")}}, Qt::Key_Return));
        QCOMPARE(tank.GirdleHeightOuter(4), 1491.0);
        QCOMPARE(tank.DesignFillHeight(), 5146.0);
        QCOMPARE(tank.BaseHeightMeas1(), 5800.0);

        // The table is the one of the tank typed with 1491 from the start: its top girdle stays.
        TSteelVertCylTank reference = typed;
        reference.SetGirdleHeightOuter(4, 1491);
        reference.UpdateGirdleHeight(4);
        const std::string table = TableOf(tank);
        QCOMPARE(table, TableOf(reference));
        QCOMPARE(tank.GirdleAtLevel(tank.DesignFillHeight()), 4);
        // Nothing moved in the end, so nothing is said or marked.
        QCOMPARE(program->Inspector().StatusText(), QString());
        QVERIFY(!program->Inspector().HasRowMark(kDesignFillRow, kMovedMark));

        // The whole session is one step, named by the dialog.
        QAction* undo = program->MainForm().findChild<QAction*>(QStringLiteral("acUndo"));
        QCOMPARE(undo->text(), QStringLiteral("Отменить: Высоты поясов"));
        undo->trigger();
        QCOMPARE(tank.GirdleHeightOuter(4), 1490.0);
        QVERIFY(!tank.Modified());
    }

    void girdleCountFourFiveFourGivesTheValuesBackAndSaysSoOnTheWay()
    {
        test::StartedProgram program;
        program.Show();
        OpenTank(program, FourGirdleTank());
        const TSteelVertCylTank& tank = program->Context().Tank();
        TankInspector& inspector = program->Inspector();

        // A fifth girdle puts the design fill height's range above 5950.
        Commit(program, kGirdleCountRow, QStringLiteral("5"));
        QCOMPARE(tank.GirdleCount(), 5);
        QCOMPARE(tank.DesignFillHeight(), 5950.0);
        QCOMPARE(tank.BaseHeightMeas1(), 5950.0);
        // Both moves of the one change, in the status bar at once.
        QCOMPARE(inspector.StatusText(),
                 QStringLiteral("Проектная высота заполнения изменена: 5146 → 5950 мм — должна лежать в верхнем "
                                "поясе; Базовая высота изменена: 5900 → 5975 мм — не может быть ниже проектной "
                                "высоты заполнения"));
        QVERIFY(inspector.RowMarkText(kDesignFillRow)
                    .startsWith(QStringLiteral("Проектная высота заполнения изменена: 5146 → 5950 мм — должна "
                                               "лежать в верхнем поясе")));
        QVERIFY(inspector.HasRowMark(kBaseHeightRow, kMovedMark));
        QVERIFY(!inspector.HasRowMark(kGirdleCountRow, kMovedMark));

        QDir().mkpath(QStringLiteral(VELOQUIN_SHOTS_DIR));
        inspector.resize(inspector.width(), 420);
        QTest::qWait(20);
        inspector.grab().save(QStringLiteral(VELOQUIN_SHOTS_DIR "/inspector-moved-values.png"));

        // Back to four: both come back to what the user set, and that is said too.
        Commit(program, kGirdleCountRow, QStringLiteral("4"));
        QCOMPARE(tank.GirdleCount(), 4);
        QCOMPARE(tank.DesignFillHeight(), 5146.0);
        QCOMPARE(tank.BaseHeightMeas1(), 5800.0);
        QCOMPARE(tank.BaseHeight(), 5900.0);
        QCOMPARE(inspector.RowMarkText(kDesignFillRow),
                 QStringLiteral("Проектная высота заполнения изменена: 5950 → 5146 мм — возвращено заданное значение"));

        // Looking at the row takes its mark away; the other row keeps its own.
        QVERIFY(inspector.SelectRow(kDesignFillRow));
        QVERIFY(!inspector.HasRowMark(kDesignFillRow, kMovedMark));
        QVERIFY(inspector.HasRowMark(kBaseHeightRow, kMovedMark));

        // Each count is a step; undoing both is back at the file as opened.
        QAction* undo = program->MainForm().findChild<QAction*>(QStringLiteral("acUndo"));
        QCOMPARE(undo->text(), QStringLiteral("Отменить: Число поясов"));
        undo->trigger();
        QCOMPARE(tank.GirdleCount(), 5);
        QCOMPARE(tank.DesignFillHeight(), 5950.0);
        QVERIFY(tank.Modified());
        undo->trigger();
        QCOMPARE(tank.GirdleCount(), 4);
        QCOMPARE(tank.DesignFillHeight(), 5146.0);
        QVERIFY(!tank.Modified());
        QVERIFY(!undo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("Отменить"));
    }

    void girdleCountFourThreeFourGivesGirdleFourItsDataBack()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank typed = FourGirdleTank();
        typed.SetOverlapBottom(4, -10);
        typed.SetOverlapTop(4, 12);
        typed.UpdateGirdleHeight(4);
        typed.SetSheetThickness(4, 5.5);
        // Girdle 3's top row goes with girdle 4: a top girdle has no top row.
        for (int row = 7; row <= 9; ++row)
            for (int g = 1; g <= typed.GeneratrixCount(); ++g)
                typed.SetPlumbDistance(row, g, 100 * row + g);
        typed.UpdateAll();
        OpenTank(program, typed);
        const TSteelVertCylTank& tank = program->Context().Tank();
        const std::string opened = WriteTank(tank, 1);
        TankInspector& inspector = program->Inspector();

        Commit(program, kGirdleCountRow, QStringLiteral("3"));
        QCOMPARE(tank.GirdleCount(), 3);
        QVERIFY2(inspector.StatusText().contains(QStringLiteral("Данные пояса 4 сохранены")),
                 qPrintable(inspector.StatusText()));
        Commit(program, kGirdleCountRow, QStringLiteral("4"));
        QCOMPARE(tank.GirdleCount(), 4);
        QCOMPARE(tank.GirdleHeightOuter(4), 1490.0);
        QCOMPARE(tank.OverlapBottom(4), -10.0);
        QCOMPARE(tank.OverlapTop(4), 12.0);
        QCOMPARE(tank.SheetThickness(4), 5.5);
        QCOMPARE(tank.PlumbDistance(7, 1), 701.0);
        QCOMPARE(tank.PlumbDistance(9, tank.GeneratrixCount()), 900.0 + tank.GeneratrixCount());
        QVERIFY2(inspector.StatusText().contains(QStringLiteral("Возвращены данные пояса 4")),
                 qPrintable(inspector.StatusText()));
        // Given back whole: the tank is the file as opened, to the byte.
        QCOMPARE(WriteTank(tank, 1), opened);

        // Undo steps through the counts with the data; undone to 3 and raised
        // again, girdle 4 is back once more.
        program->Context().editing.Undo();
        QCOMPARE(tank.GirdleCount(), 3);
        Commit(program, kGirdleCountRow, QStringLiteral("4"));
        QCOMPARE(tank.OverlapBottom(4), -10.0);
        QCOMPARE(tank.PlumbDistance(9, 2), 902.0);
        QVERIFY(test::ShownMessages().isEmpty());
    }

    void aTankEditingWithoutWindowsSavesWhatTheProgramSaves()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank typed = FourGirdleTank();
        typed.SetGivenLevel(5100);
        OpenTank(program, typed);
        const QString path = program.PathIn(QStringLiteral("typed.vlq"));
        // The count and the design fill height pull the query level down (it
        // follows only when the derived values are brought up to date); the
        // count also keeps girdle 4 and gives it back.
        Commit(program, static_cast<int>(TankRow::DeadCavityHeight), QStringLiteral("600"));
        Commit(program, kGirdleCountRow, QStringLiteral("3"));
        Commit(program, kDesignFillRow, QStringLiteral("4000"));
        Commit(program, kGirdleCountRow, QStringLiteral("4"));
        const std::string byProgram = WriteTank(program->Context().Tank(), 1);

        LoadedTank loaded = LoadTankFile(path.toStdString());
        TSteelVertCylTank& tank = loaded.tank;
        const std::int32_t version = 1;
        TankEditing editing(tank, version);
        editing.Replace(LoadTankFile(path.toStdString()).tank, version);
        editing.Change(QStringLiteral("Высота мертвой полости"), [&tank] { tank.SetDeadCavityHeight(600); },
                       Bit(ClampedValue::DeadCavityHeight));
        editing.Change(QStringLiteral("Число поясов"), [&tank] { tank.SetGirdleCount(3); });
        editing.Change(QStringLiteral("Проектная высота заполнения"), [&tank] { tank.SetDesignFillHeight(4000); },
                       Bit(ClampedValue::DesignFillHeight));
        editing.Change(QStringLiteral("Число поясов"), [&tank] { tank.SetGirdleCount(4); });
        QCOMPARE(program->Context().Tank().GivenLevel(), 4000.0);
        QCOMPARE(tank.GivenLevel(), 4000.0);
        QVERIFY(WriteTank(tank, 1) == byProgram);
        // Undone to the file as opened, both alike.
        for (int i = 0; i < 4; ++i)
            editing.Undo();
        QVERIFY(WriteTank(tank, 1) == WriteTank(LoadTankFile(path.toStdString()).tank, 1));
    }

    void theVolumeQueryLevelSaysWhenTheDesignFillHeightPullsItDown()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank typed = FourGirdleTank();
        typed.SetGivenLevel(5100);
        OpenTank(program, typed);
        const TSteelVertCylTank& tank = program->Context().Tank();
        const double touch = tank.TouchPointHeight();
        QCOMPARE(tank.GivenLevel(), 5100.0);

        Commit(program, kDesignFillRow, QStringLiteral("4600"));
        QCOMPARE(tank.GivenLevel(), 4600.0);
        const QString said = program->Inspector().StatusText();
        QCOMPARE(said,
                 QStringLiteral("Заданный уровень заполнения изменён: h = ") + GeneralText(5100 - touch) +
                     QStringLiteral(" → ") + GeneralText(4600 - touch) +
                     QStringLiteral(" мм — не может быть выше проектной высоты заполнения"));
        QVERIFY(program->Inspector().HasRowMark(kVolumeAtLevelRow, kMovedMark));

        // The query level is no value the user keeps: raising the bound leaves
        // it where it went, and there is nothing new to say.
        Commit(program, kDesignFillRow, QStringLiteral("5146"));
        QCOMPARE(tank.GivenLevel(), 4600.0);
        QCOMPARE(program->Inspector().StatusText(), said);
    }

    void aValueTheUserSetIsWhereLaterClampsStart()
    {
        test::StartedProgram program;
        program.Show();
        OpenTank(program, FourGirdleTank());
        const TSteelVertCylTank& tank = program->Context().Tank();

        // A design fill height typed at the bottom of the top girdle stays there
        // when the girdle below grows for a moment and shrinks again.
        Commit(program, kDesignFillRow, QStringLiteral("4500"));
        QCOMPARE(tank.DesignFillHeight(), 4500.0);
        QVERIFY(TypeHeights(program,
                            {{3, QStringLiteral("1600")}, {2, QStringLiteral("1488")}, {3, QStringLiteral("1482")}},
                            Qt::Key_Return));
        QCOMPARE(tank.GirdleHeightOuter(3), 1482.0);
        QCOMPARE(tank.DesignFillHeight(), 4500.0);

        // The design fill height set in the inspector is the user's own: it moves the base height, which is said.
        Commit(program, kDesignFillRow, QStringLiteral("5900"));
        QCOMPARE(tank.DesignFillHeight(), 5900.0);
        QCOMPARE(tank.BaseHeightMeas1(), 5900.0);
        QCOMPARE(program->Inspector().StatusText(),
                 QStringLiteral("Базовая высота изменена: 5900 → 5950 мм — не может быть ниже проектной высоты "
                                "заполнения"));
        QVERIFY(!program->Inspector().HasRowMark(kDesignFillRow, kMovedMark));

        // A number the limits change is said as taken, with what it moved.
        Commit(program, kDesignFillRow, QStringLiteral("9999"));
        QCOMPARE(tank.DesignFillHeight(), 5950.0);
        QCOMPARE(program->Inspector().StatusText(),
                 QStringLiteral("Проектная высота заполнения, мм: введено 9999, принято 5950; Базовая высота изменена: "
                                "5950 → 5975 мм — не может быть ниже проектной высоты заполнения"));
        Commit(program, kGirdleCountRow, QStringLiteral("2"));
        const QString said = program->Inspector().StatusText();
        QVERIFY2(said.startsWith(QStringLiteral("Число поясов: введено 2, принято 3; Проектная высота заполнения "
                                                "изменена: 5950 → 4460 мм")),
                 qPrintable(said));
        // Typed as shown: nothing new to say.
        Commit(program, kGirdleCountRow, QStringLiteral("3"));
        QCOMPARE(program->Inspector().StatusText(), said);
    }

    void theDeadCavityFollowsTheTouchPointUpAndComesBackDown()
    {
        test::StartedProgram program;
        program.Show();
        const TSteelVertCylTank& tank = program->Context().Tank();
        const auto typePointPlumb = [&program](const QString& text) {
            return OpenRow(program, TankRow::BottomCorrection, [&text](QWidget& dialog) {
                auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("edPointPlumb"));
                edit->setFocus();
                edit->selectAll();
                test::TypeText(edit, text);
                dialog.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
            });
        };
        // The tape touches 300 mm up: the dead cavity cannot lie below it.
        QVERIFY(typePointPlumb(QStringLiteral("-300")));
        QCOMPARE(tank.TouchPointHeight(), 300.0);
        QCOMPARE(tank.DeadCavityHeight(), 300.0);
        QCOMPARE(program->Inspector().StatusText(),
                 QStringLiteral("Высота мертвой полости изменена: 200 → 300 мм — не может быть ниже точки касания "
                                "рулетки"));
        QVERIFY(program->Inspector().HasRowMark(static_cast<int>(TankRow::DeadCavityHeight), kMovedMark));
        // The reading corrected: the dead cavity is the user's 200 again.
        QVERIFY(typePointPlumb(QStringLiteral("0")));
        QCOMPARE(tank.DeadCavityHeight(), 200.0);
        QCOMPARE(program->Inspector().StatusText(),
                 QStringLiteral("Высота мертвой полости изменена: 300 → 200 мм — возвращено заданное значение"));
        QCOMPARE(program->Context().editing.Stack().undoText(), QStringLiteral("Поправка на неровность днища"));
    }

    void undoAndRedoOfEveryKindOfStepGiveByteIdenticalFiles()
    {
        test::StartedProgram program;
        program.Show();
        Open(program, test::CopySample(QStringLiteral("sample_rvs1000.vlq"), program.Dir()));
        AppContext& context = program->Context();
        const QByteArray opened = SaveAs(program, QStringLiteral("opened.vlq"));
        QVERIFY(!opened.isEmpty());

        // A dialog that writes while typing, left with Esc: the tank as it was, no step.
        const double height2 = context.Tank().GirdleHeightOuter(2);
        QVERIFY(TypeHeights(program, {{2, QStringLiteral("1700")}}, Qt::Key_Escape));
        QCOMPARE(context.Tank().GirdleHeightOuter(2), height2);
        QCOMPARE(context.editing.Stack().count(), 0);
        QVERIFY(!context.Tank().Modified());
        // Closed with OK: one step.
        QVERIFY(TypeHeights(program, {{2, QStringLiteral("1500")}, {5, QStringLiteral("1480,5")}}, Qt::Key_Return));
        QCOMPARE(context.Tank().GirdleHeightOuter(5), 1480.5);
        // An inspector commit.
        Commit(program, kStoredDensityRow, QStringLiteral("870"));
        // Three keystrokes in one field of one page of the sheet options.
        SheetOptionsDialog& sheetOptions = program->SheetOptions();
        context.documents = {DocKind::Calibration, 2, PageCountOf(context.Tank(), DocKind::Calibration)};
        sheetOptions.LoadPageOptions();
        QLineEdit* org = sheetOptions.findChild<QLineEdit*>(QStringLiteral("edOrg1"));
        org->end(false);
        test::TypeText(org, QStringLiteral("ООО"));
        QCOMPARE(context.editing.Stack().count(), 3);
        QVERIFY(context.Tank().Modified());
        const QByteArray edited = SaveAs(program, QStringLiteral("edited.vlq"));
        QVERIFY(edited != opened);
        QVERIFY(!context.Tank().Modified());

        QAction* undo = program->MainForm().findChild<QAction*>(QStringLiteral("acUndo"));
        QAction* redo = program->MainForm().findChild<QAction*>(QStringLiteral("acRedo"));
        QCOMPARE(undo->text(), QStringLiteral("Отменить: Параметры листа"));
        for (int step = 0; step < 3; ++step)
            undo->trigger();
        QVERIFY(context.Tank().Modified());
        QCOMPARE(redo->text(), QStringLiteral("Повторить: Высоты поясов"));
        QCOMPARE(SaveAs(program, QStringLiteral("undone.vlq")), opened);
        for (int step = 0; step < 3; ++step)
            redo->trigger();
        QCOMPARE(SaveAs(program, QStringLiteral("redone.vlq")), edited);
        // The inspector shows the tank as it is now, the density row included.
        QCOMPARE(program->Inspector().GetCell(1, kStoredDensityRow), QStringLiteral("870"));
    }

    void theSavedStateIsCleanAndTheModifiedFlagIsAnnounced()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        AppContext& context = program->Context();
        // No polling: the panel follows the flag's signal alone.
        main.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
        QSignalSpy announced(&context.editing, &TankEditing::modifiedChanged);

        Commit(program, kStoredDensityRow, QStringLiteral("870"));
        QCOMPARE(announced.count(), 1);
        QCOMPARE(main.StatusPanelText(2), QStringLiteral("Изменен"));
        SaveAs(program, QStringLiteral("saved.vlq"));
        QCOMPARE(main.StatusPanelText(2), QString());
        Commit(program, kStoredDensityRow, QStringLiteral("880"));
        QCOMPARE(main.StatusPanelText(2), QStringLiteral("Изменен"));

        // Back to the saved state through undo: not modified; beyond it: modified again.
        main.findChild<QAction*>(QStringLiteral("acUndo"))->trigger();
        QCOMPARE(context.Tank().StoredDensity(), 870.0);
        QCOMPARE(main.StatusPanelText(2), QString());
        main.findChild<QAction*>(QStringLiteral("acUndo"))->trigger();
        QCOMPARE(context.Tank().StoredDensity(), 960.0);
        QCOMPARE(main.StatusPanelText(2), QStringLiteral("Изменен"));

        // A commit that changes nothing (the same text again, or one that does not convert) makes no step.
        const int steps = context.editing.Stack().count();
        Commit(program, kStoredDensityRow, QStringLiteral("960"));
        Commit(program, kStoredDensityRow, QStringLiteral("9x0"));
        QCOMPARE(context.editing.Stack().count(), steps);
        QCOMPARE(context.Tank().StoredDensity(), 960.0);

        // Opening a file starts a new history.
        SaveAs(program, QStringLiteral("before-open.vlq"));
        Open(program, test::CopySample(QStringLiteral("sample_rvs400.vlq"), program.Dir()));
        QCOMPARE(context.editing.Stack().count(), 0);
        QVERIFY(!main.findChild<QAction*>(QStringLiteral("acUndo"))->isEnabled());
        QCOMPARE(main.StatusPanelText(2), QString());
    }

    void theUndoKeysReachTheTankFromTheInspectorOnceItsBoxHasNothingToUndo()
    {
        test::StartedProgram program;
        program.Show();
        QVERIFY(test::Activate(program->Inspector()));
        const TSteelVertCylTank& tank = program->Context().Tank();
        Commit(program, kStoredDensityRow, QStringLiteral("870"));
        QLineEdit* box = program->Inspector().InsEdit();
        QCOMPARE(box->text(), QStringLiteral("870"));

        // Typing, then Ctrl+Z: the box's own undo first, the tank untouched.
        test::TypeText(box, QStringLiteral("5"));
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("870"));
        QCOMPARE(tank.StoredDensity(), 870.0);
        // Nothing left in the box: Ctrl+Z undoes the commit, Ctrl+Y redoes it.
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE(tank.StoredDensity(), 960.0);
        QCOMPARE(box->text(), QStringLiteral("960"));
        QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
        QTRY_COMPARE(tank.StoredDensity(), 870.0);
    }

    void theEditMenuFollowsTheFileMenu()
    {
        test::StartedProgram program;
        const QList<QAction*> menus = program->MainForm().menuBar()->actions();
        QCOMPARE(menus.at(1)->text(), QStringLiteral("&Правка"));
        const QList<QAction*> items = menus.at(1)->menu()->actions();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items.at(0)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(items.at(1)->shortcuts(), (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                                                QKeySequence(Qt::CTRL | Qt::Key_Y)}));
    }
};

VELOQUIN_APP_TEST(EditingUndoTest)
#include "EditingUndoTest.moc"
