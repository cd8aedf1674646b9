// A tank replaced as a whole (opened, or a new one) starts a history of its own
// in the same call: nothing of the tank it replaced can be undone into it, it is
// not modified, its derived values are current, and the windows hear of it once.
#include "AppContext.h"
#include "AppTestSupport.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "TankDerived.h"
#include "TankFile.h"
#include "TankInspector.h"
#include "TankInspectorRows.h"
#include "editing/TankEditing.h"

#include <QSignalSpy>
#include <QTest>

using namespace veloquin;

namespace {

LoadedTank Sample()
{
    return LoadTankFile(std::string(VELOQUIN_SAMPLES_DIR) + "/sample_rvs1000.vlq");
}

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
