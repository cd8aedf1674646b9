// The undo history keeps each state between two steps once, and stays within
// its memory bound by dropping its oldest steps, saying so; what it keeps
// still undoes and redoes to the very files it did before.
#include "AppContext.h"
#include "AppTestSupport.h"
#include "MainWindow.h"
#include "TankFile.h"
#include "editing/TankEditing.h"

#include <QStatusBar>

#include <QSignalSpy>
#include <QTest>

using namespace veloquin;

namespace {

LoadedTank LargestSample()
{
    return LoadTankFile(std::string(VELOQUIN_SAMPLES_DIR) + "/sample_rvs10000.vlq");
}

// The densities 801, 802, ... one step each.
void Steps(TankEditing& editing, int first, int last)
{
    for (int k = first; k <= last; ++k)
        editing.Change(QStringLiteral("Плотность"), [k](TSteelVertCylTank& tank) { tank.SetStoredDensity(800 + k); });
}

} // namespace

class UndoHistoryBoundTest : public QObject
{
    Q_OBJECT

private slots:
    void aStateBetweenTwoStepsIsKeptOnce()
    {
        LoadedTank loaded = LargestSample();
        TankEditing editing(loaded.tank, loaded.version);
        Steps(editing, 1, 1);
        const std::size_t oneStep = editing.HistoryBytes(); // the states before and after
        Steps(editing, 2, 20);
        QCOMPARE(editing.Stack().count(), 20);
        // 21 states for 20 steps, not 40.
        QCOMPARE(editing.HistoryBytes(), oneStep / 2 * 21);
        // A change outside the steps (none here) would need a state of its own; undo
        // and redo share the states they restore.
        editing.Undo();
        editing.Undo();
        Steps(editing, 30, 30);
        QCOMPARE(editing.Stack().count(), 19);
        QCOMPARE(editing.HistoryBytes(), oneStep / 2 * 20);
    }

    void pastItsBoundTheOldestStepsAreDroppedAndSaid()
    {
        LoadedTank loaded = LargestSample();
        TankEditing editing(loaded.tank, loaded.version);
        Steps(editing, 1, 1);
        const std::size_t state = editing.HistoryBytes() / 2;
        editing.SetHistoryLimit(state * 6); // five steps
        QSignalSpy trimmed(&editing, &TankEditing::historyTrimmed);
        std::vector<std::string> files{editing.Image(loaded.tank)};
        for (int k = 2; k <= 12; ++k) {
            Steps(editing, k, k);
            files.push_back(editing.Image(loaded.tank));
            QVERIFY(editing.HistoryBytes() <= state * 6);
        }
        QCOMPARE(editing.Stack().count(), 5);
        QCOMPARE(trimmed.count(), 7);
        QCOMPARE(trimmed.first().at(0).toInt(), 1);
        // The five newest steps (8 to 12) undo to the files steps 11 down to 7 left.
        for (int k = 11; k >= 7; --k) {
            editing.Undo();
            QCOMPARE(editing.Image(loaded.tank), files[static_cast<std::size_t>(k) - 1]);
        }
        QVERIFY(!editing.Stack().canUndo());
        for (int k = 7; k <= 11; ++k)
            editing.Redo();
        QCOMPARE(editing.Image(loaded.tank), files.back());
    }

    void aSavedStateDroppedIsNeverCleanAgain()
    {
        LoadedTank loaded = LargestSample();
        TankEditing editing(loaded.tank, loaded.version);
        Steps(editing, 1, 1);
        editing.SetHistoryLimit(editing.HistoryBytes() / 2 * 4);
        Steps(editing, 2, 3);
        editing.MarkSaved(); // after step 3, kept
        Steps(editing, 4, 4);
        QVERIFY(editing.IsModified());
        editing.Undo();
        QVERIFY(!editing.IsModified()); // the saved state is still in the history
        editing.Redo();
        Steps(editing, 5, 8); // the saved state falls out
        while (editing.Stack().canUndo()) {
            editing.Undo();
            QVERIFY(editing.IsModified());
        }
    }

    void theMainWindowSaysWhenTheOldestStepsAreDropped()
    {
        test::StartedProgram program;
        program.Show();
        TankEditing& editing = program->Context().editing;
        Steps(editing, 1, 1);
        editing.SetHistoryLimit(editing.HistoryBytes());
        QVERIFY(!program->MainForm().statusBar()->currentMessage().contains(QStringLiteral("шаги отмены")));
        Steps(editing, 2, 2);
        QCOMPARE(program->MainForm().statusBar()->currentMessage(),
                 QStringLiteral("История правок заняла больше 64 МБ: самые старые шаги отмены удалены (1)."));
    }
};

VELOQUIN_APP_TEST(UndoHistoryBoundTest)
#include "UndoHistoryBoundTest.moc"
