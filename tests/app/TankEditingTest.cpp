// A tank replaced as a whole (opened, or a new one) starts a history of its own
// in the same call: nothing of the tank it replaced can be undone into it, it is
// not modified, its derived values are current, and the windows hear of it once.
// Every change says which groups of values it touched, so that the checks may
// skip the changes of what only the documents show, and never one they read.
#include "editing/TankEditing.h"
#include "AppContext.h"
#include "AppTestSupport.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "TankDerived.h"
#include "TankFile.h"
#include "TankInspector.h"
#include "TankInspectorRows.h"

#include <QSignalSpy>
#include <QTest>

using namespace veloquin;

namespace {

LoadedTank Sample()
{
    return LoadTankFile(std::string(VELOQUIN_SAMPLES_DIR) + "/sample_rvs1000.vlq");
}

struct FieldCase
{
    const char* what;
    void (*change)(TSteelVertCylTank& tank);
    TankField group;
};

// One setter of every kind the computations read, each with the group it belongs to.
const FieldCase kFieldCases[] = {
    {"name", [](TSteelVertCylTank& t) { t.SetName("Другой"); }, TankField::Identity},
    {"design capacity", [](TSteelVertCylTank& t) { t.SetDesignCapacity(t.DesignCapacity() + 1); }, TankField::Identity},
    {"girdle count", [](TSteelVertCylTank& t) { t.SetGirdleCount(t.GirdleCount() - 1); }, TankField::Girdles},
    {"girdle height", [](TSteelVertCylTank& t) { t.SetGirdleHeightOuter(2, t.GirdleHeightOuter(2) + 3); },
     TankField::Girdles},
    {"overlap", [](TSteelVertCylTank& t) { t.SetOverlapTop(1, t.OverlapTop(1) + 2); }, TankField::Girdles},
    {"sheet", [](TSteelVertCylTank& t) { t.SetSheetThickness(3, t.SheetThickness(3) + 1); }, TankField::Girdles},
    {"paint", [](TSteelVertCylTank& t) { t.SetPaintThickness(t.PaintThickness() + 0.1); }, TankField::Girdles},
    {"circumference",
     [](TSteelVertCylTank& t) {
         t.SetExtCircumferenceMeasurements(t.ExtCircumferenceMeasured1() + 5, t.ExtCircumferenceMeasured2() + 5);
     },
     TankField::Girdles},
    {"weld corrections", [](TSteelVertCylTank& t) { t.SetWeldCorrectionCount(2); }, TankField::Girdles},
    {"generatrices", [](TSteelVertCylTank& t) { t.SetGeneratrixCount(t.GeneratrixCount() + 1); }, TankField::Plumb},
    {"plumb", [](TSteelVertCylTank& t) { t.SetPlumbDistance(4, 2, t.PlumbDistance(4, 2) + 7); }, TankField::Plumb},
    {"bottom reading", [](TSteelVertCylTank& t) { t.SetBottomReading(2, 3, t.BottomReading(2, 3) + 4); },
     TankField::Bottom},
    {"bottom centre", [](TSteelVertCylTank& t) { t.SetBottomCenter(t.BottomCenter() + 4); }, TankField::Bottom},
    {"touch point", [](TSteelVertCylTank& t) { t.SetPointPlumb(t.PointPlumb() + 4); }, TankField::Bottom},
    {"detail", [](TSteelVertCylTank& t) { t.AddArbitraryDetail(0.5, 100, 900); }, TankField::Details},
    {"design fill", [](TSteelVertCylTank& t) { t.SetDesignFillHeight(t.DesignFillHeight() - 100); }, TankField::Levels},
    {"dead cavity", [](TSteelVertCylTank& t) { t.SetDeadCavityHeight(t.DeadCavityHeight() + 10); }, TankField::Levels},
    {"base height", [](TSteelVertCylTank& t) { t.SetBaseHeightMeas2(t.BaseHeightMeas2() + 2); }, TankField::Levels},
    {"calibration fill", [](TSteelVertCylTank& t) { t.SetCalibrationFillHeight(t.CalibrationFillHeight() + 9); },
     TankField::Levels},
    {"calibration density", [](TSteelVertCylTank& t) { t.SetCalibrationDensity(t.CalibrationDensity() + 1); },
     TankField::Levels},
    {"stored density", [](TSteelVertCylTank& t) { t.SetStoredDensity(t.StoredDensity() + 1); }, TankField::Levels},
};

} // namespace

class TankEditingTest : public QObject
{
    Q_OBJECT

private slots:
    void replacingStartsAFreshHistoryOnTheNewTank()
    {
        TSteelVertCylTank tank;
        TankEditing editing(tank, 1);
        editing.Replace(TSteelVertCylTank(), 1);
        editing.Change(QStringLiteral("Плотность"), [](TSteelVertCylTank& t) { t.SetStoredDensity(850); });
        editing.Change(QStringLiteral("Название"), [](TSteelVertCylTank& t) { t.SetName("Старый"); });
        QVERIFY(editing.IsModified());

        // A tank whose query level lies above a design fill height lowered
        // since: the level and the volume there are derived, and stale.
        LoadedTank loaded = Sample();
        TSteelVertCylTank opened = loaded.tank;
        opened.SetGivenLevel(opened.DesignFillHeight());
        opened.SetDesignFillHeight(opened.DesignFillHeight() - 1000);
        TSteelVertCylTank refreshed = opened;
        RefreshDerived(refreshed);
        QVERIFY(refreshed.GivenLevel() < opened.GivenLevel());

        QSignalSpy changed(&editing, &TankEditing::tankChanged);
        QSignalSpy replaced(&editing, &TankEditing::tankReplaced);
        QSignalSpy modified(&editing, &TankEditing::modifiedChanged);
        editing.Replace(opened, 2);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(replaced.count(), 1);
        QCOMPARE(modified.count(), 1);
        QCOMPARE(modified.at(0).at(0).toBool(), false);
        QVERIFY(!editing.IsModified());
        QVERIFY(!editing.Tank().Modified());
        QCOMPARE(editing.FileVersion(), 2);
        QCOMPARE(editing.Tank().GivenLevel(), refreshed.GivenLevel());
        QCOMPARE(editing.Tank().VolumeAtLevel(), refreshed.VolumeAtLevel());
        QCOMPARE(editing.Stack().count(), 0);
        QVERIFY(!editing.Stack().canUndo());

        // Undo reaches nothing of the tank replaced; a change undoes to the tank as opened.
        const std::string asOpened = editing.Image(editing.Tank());
        editing.Undo();
        QVERIFY(editing.Image(editing.Tank()) == asOpened);
        editing.Change(QStringLiteral("Плотность"), [](TSteelVertCylTank& t) { t.SetStoredDensity(900); });
        QVERIFY(editing.IsModified());
        editing.Undo();
        QVERIFY(editing.Image(editing.Tank()) == asOpened);
        QVERIFY(!editing.IsModified());
        QCOMPARE(editing.Tank().Name(), loaded.tank.Name());
    }

    void everyChangeSaysTheGroupsItTouchedAndUndoSaysTheSame()
    {
        TSteelVertCylTank tank;
        TankEditing editing(tank, 1);
        const LoadedTank loaded = Sample();
        QSignalSpy changed(&editing, &TankEditing::tankChanged);
        const auto last = [&changed] { return changed.takeLast().at(0).value<TankFields>(); };
        for (const FieldCase& c : kFieldCases) {
            editing.Replace(loaded.tank, loaded.version);
            QCOMPARE(last(), kEveryTankField);
            // As the inspector's rows say them: the clamped values are set on purpose.
            editing.Change(QString::fromUtf8(c.what), c.change,
                           Bit(ClampedValue::DesignFillHeight) | Bit(ClampedValue::DeadCavityHeight) |
                               Bit(ClampedValue::BaseHeight));
            const TankFields done = last();
            QVERIFY2((done & Bit(c.group)) != 0, c.what);
            QVERIFY2((done & Bit(TankField::Documents)) != 0, c.what);
            editing.Undo();
            QVERIFY2(last() == done, c.what);
            editing.Redo();
            QVERIFY2(last() == done, c.what);
        }

        // What only the documents show is that and nothing else; a change of nothing carries nothing.
        editing.Replace(loaded.tank, loaded.version);
        editing.Change(QStringLiteral("Листы"), [](TSteelVertCylTank& t) { t.SetPredsCom("Иванов И. И."); });
        QCOMPARE(last(), Bit(TankField::Documents));
        editing.Change(QStringLiteral("Плотность"),
                       [](TSteelVertCylTank& t) { t.SetStoredDensity(t.StoredDensity()); });
        QCOMPARE(last(), TankFields{0});
        // ...and leaves a saved tank as it was: no step and no "*" for a file with nothing
        // new to save, also where the value asked for is held to where it already was.
        TSteelVertCylTank heldBase = loaded.tank;
        heldBase.SetBaseHeightMeas1(0);
        QCOMPARE(heldBase.BaseHeightMeas1(), heldBase.DesignFillHeight());
        editing.Replace(heldBase, loaded.version);
        const int stepsBefore = editing.Stack().count();
        editing.Change(QStringLiteral("Базовая высота"), [](TSteelVertCylTank& t) { t.SetBaseHeightMeas1(1); });
        QCOMPARE(editing.Tank().BaseHeightMeas1(), editing.Tank().DesignFillHeight());
        QVERIFY(!editing.Tank().Modified());
        QCOMPARE(editing.Stack().count(), stepsBefore);
        // The query level is a group of its own (and changes the file image).
        editing.Change(
            QStringLiteral("Уровень"), [](TSteelVertCylTank& t) { t.SetGivenLevel(t.GivenLevel() - 500); },
            Bit(ClampedValue::GivenLevel));
        QCOMPARE(last() & kComputedFromFields, Bit(TankField::GivenLevel));
    }

    void newAfterChangesGivesAnUnmodifiedTankWithNothingToUndo()
    {
        test::StartedProgram program;
        program.Show();
        AppContext& context = program->Context();
        context.editing.Change(QStringLiteral("Плотность"), [](TSteelVertCylTank& t) { t.SetStoredDensity(850); });
        QVERIFY(context.editing.Stack().canUndo());
        QSignalSpy changed(&context.editing, &TankEditing::tankChanged);

        MessageBox::QueueAnswer(QMessageBox::No);
        program->MainForm().acNewExecute();

        QCOMPARE(changed.count(), 1);
        QVERIFY(!context.editing.Stack().canUndo());
        QVERIFY(!context.Tank().Modified());
        QVERIFY(!program->MainForm().windowTitle().contains(QLatin1Char('*')));
        TSteelVertCylTank fresh;
        RefreshDerived(fresh);
        QVERIFY(WriteTank(context.Tank(), 1) == WriteTank(fresh, 1));
        // The inspector shows the new tank, not the density typed before.
        QCOMPARE(program->Rows().ValueText(TankRow::StoredDensity),
                 TankInspectorRows::Describe(TankRow::StoredDensity).valueText(TSteelVertCylTank()));
    }
};

VELOQUIN_APP_TEST(TankEditingTest)
#include "TankEditingTest.moc"
