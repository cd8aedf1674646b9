// The two result dialogs: the capacities of the dead cavity and of every girdle,
// shown read-only, and the volume at a level typed above the tape's touch point,
// kept by the tank within the dead cavity and the design fill height, with a
// level that is not a number silently replaced by the stored one.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "NumberTexts.h"
#include "TankInspectorRows.h"
#include "StringGrid.h"
#include "TankClasses.h"
#include "TankInspector.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace veloquin;

namespace {

constexpr int kCapacityRow = static_cast<int>(TankRow::GirdleCapacities);
constexpr int kVolumeRow = static_cast<int>(TankRow::VolumeAtLevel);

// What the volume dialog shows: the level box and both results.
struct LevelSeen
{
    QString depth;
    QString volume;
    QString correction;
};

LevelSeen SeeLevel(QWidget& dialog)
{
    return {test::Find<QLineEdit>(dialog, "edDepth")->text(), test::Find<QLabel>(dialog, "lbVolume")->text(),
            test::Find<QLabel>(dialog, "lbCorrection")->text()};
}

// Replaces the level box's text as a user would and ends with the given key.
void TypeLevel(QWidget& dialog, const QString& text, Qt::Key end)
{
    auto* edit = test::Find<QLineEdit>(dialog, "edDepth");
    edit->setFocus();
    edit->selectAll();
    test::TypeText(edit, text);
    test::PressKey(edit, end);
}

// A tank whose touch point lies 5 mm above the bottom, dead cavity 200 mm,
// design fill height 6000 mm, level 1005 mm.
void PrepareLevels(TSteelVertCylTank& tank)
{
    tank.SetBottomReading(8, 1, 12);
    tank.SetPointPlumb(7);
    tank.SetDeadCavityHeight(200);
    tank.SetDesignFillHeight(6000);
    tank.SetGivenLevel(1005);
    tank.SetModified(false);
}

} // namespace

class CapacityVolumeDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void capacitiesOfTheDeadCavityAndEveryGirdle()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        // A wide, tall second girdle holds more than a thousand cubic metres.
        tank.SetExtCircumferenceMeasurements(60000, 60000);
        tank.SetGirdleHeightOuter(2, 5000);
        tank.UpdateGirdleHeight(2);
        tank.SetGirdleCount(5);
        tank.SetModified(false);

        struct Seen
        {
            QString caption;
            QSize size;
            int rows = 0;
            int cols = 0;
            QStringList labels;
            QStringList values;
            bool editable = true;
            bool closedByEscape = false;
        } seen;
        QVERIFY(test::OpenRowDialog(program, kCapacityRow, [&seen](QWidget& dialog) {
            seen.caption = dialog.windowTitle();
            seen.size = dialog.size();
            auto* grid = test::Find<StringGrid>(dialog, "sgCapacityGirdle");
            seen.rows = grid->RowCount();
            seen.cols = grid->ColCount();
            seen.editable = grid->Options().testFlag(GridOption::Editing);
            for (int row = 0; row < grid->RowCount(); ++row) {
                seen.labels.append(grid->Cells(0, row));
                seen.values.append(grid->Cells(1, row));
            }
            test::PressKey(&dialog, Qt::Key_Escape);
            seen.closedByEscape = !dialog.isVisible();
        }));
        QCOMPARE(seen.caption, QStringLiteral("Вместимость поясов"));
        QCOMPARE(seen.size, QSize(293, 348));
        QCOMPARE(seen.rows, 7);
        QCOMPARE(seen.cols, 2);
        QVERIFY(!seen.editable);
        QVERIFY(seen.closedByEscape);
        QCOMPARE(seen.labels, (QStringList{"", "Мертв. пол.", "Пояс №1", "Пояс №2", "Пояс №3", "Пояс №4", "Пояс №5"}));
        QCOMPARE(seen.values[0], QStringLiteral("Вместимость пояса"));
        QCOMPARE(seen.values[1], FixedText(3, tank.DeadCavityCapacity()));
        for (int n = 1; n <= 5; ++n)
            QCOMPARE(seen.values[n + 1], FixedText(3, tank.GirdleCapacity(n)));
        QVERIFY(tank.GirdleCapacity(2) > 1000);
        QVERIFY(QRegularExpression(QStringLiteral("^1 \\d{3},\\d{3}$")).match(seen.values[3]).hasMatch());
        // Nothing is written back.
        QVERIFY(!tank.Modified());
    }

    void levelAboveTheTouchPointIsClampedAndShownClamped()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        PrepareLevels(tank);

        LevelSeen shown, afterEnter, afterTab, afterLetters, belowDeadCavity;
        QString noteBefore, noteAfterLetters;
        double storedAfterEnter = 0;
        QString caption;
        QSize size;
        QVERIFY(test::OpenRowDialog(program, kVolumeRow, [&](QWidget& dialog) {
            caption = dialog.windowTitle();
            size = dialog.size();
            shown = SeeLevel(dialog);
            TypeLevel(dialog, QStringLiteral("2000"), Qt::Key_Return);
            afterEnter = SeeLevel(dialog);
            storedAfterEnter = tank.GivenLevel();
            // Leaving the box with Tab applies it too.
            TypeLevel(dialog, QStringLiteral("9000"), Qt::Key_Tab);
            afterTab = SeeLevel(dialog);
            noteBefore = test::Find<QLabel>(dialog, "stNotTaken")->text();
            TypeLevel(dialog, QStringLiteral("l000"), Qt::Key_Return);
            afterLetters = SeeLevel(dialog);
            noteAfterLetters = test::Find<QLabel>(dialog, "stNotTaken")->text();
            TypeLevel(dialog, QStringLiteral("-50"), Qt::Key_Enter);
            belowDeadCavity = SeeLevel(dialog);
            test::Find<QPushButton>(dialog, "btnOk")->click();
        }));
        QCOMPARE(caption, QStringLiteral("Объем жидкости при заданном уровне заполнения"));
        QCOMPARE(size, QSize(433, 217));
        QCOMPARE(shown.depth, QStringLiteral("1000"));
        QCOMPARE(shown.volume, FixedText(3, tank.VolumeAt(1005).volumeM3));
        // The level is tried on the dialog's copy: the tank is written on OK only.
        QCOMPARE(storedAfterEnter, 1005.0);
        QCOMPARE(afterEnter.depth, QStringLiteral("2000"));
        QCOMPARE(afterEnter.volume, FixedText(3, tank.VolumeAt(2005).volumeM3));
        QCOMPARE(afterEnter.correction, FixedText(3, tank.VolumeAt(2005).hydrostaticM3));
        QVERIFY(afterEnter.volume != shown.volume);
        QCOMPARE(afterTab.depth, QStringLiteral("5995"));
        QCOMPARE(afterTab.volume, FixedText(3, tank.VolumeAt(6000).volumeM3));
        // Letters stay in the box for mending, the results those of the stored
        // level, and the dialog says so without a box.
        QCOMPARE(noteBefore, QString());
        QCOMPARE(noteAfterLetters, QStringLiteral("Значение «l000» не принято — это не число"));
        QCOMPARE(afterLetters.depth, QStringLiteral("l000"));
        QCOMPARE(afterLetters.volume, afterTab.volume);
        QCOMPARE(afterLetters.correction, afterTab.correction);
        QCOMPARE(belowDeadCavity.depth, QStringLiteral("195"));
        QVERIFY(test::ShownMessages().isEmpty());

        // The level stays in the tank; the row shows the volume there, the level
        // a query parameter that does not mark the tank modified.
        QCOMPARE(tank.GivenLevel(), 200.0);
        QVERIFY(!tank.Modified());
        QCOMPARE(program->Inspector().DialogPanelText(),
                 QStringLiteral("[") + FixedText(3, tank.VolumeAtLevel()) + QStringLiteral(" при h = 195,0]"));

        // Shown again, it starts from the stored level; Esc closes it, leaving
        // the level as it was, whatever was typed.
        LevelSeen again;
        bool closedByEscape = false;
        QVERIFY(test::OpenRowDialog(program, kVolumeRow, [&](QWidget& dialog) {
            again = SeeLevel(dialog);
            TypeLevel(dialog, QStringLiteral("3000"), Qt::Key_Return);
            test::PressKey(test::Find<QLineEdit>(dialog, "edDepth"), Qt::Key_Escape);
            closedByEscape = !dialog.isVisible();
        }));
        QCOMPARE(again.depth, QStringLiteral("195"));
        QVERIFY(closedByEscape);
        QCOMPARE(tank.GivenLevel(), 200.0);
        QCOMPARE(program->Inspector().DialogPanelText(),
                 QStringLiteral("[") + FixedText(3, tank.VolumeAtLevel()) + QStringLiteral(" при h = 195,0]"));
    }

    void aLevelThatIsNoNumberIsRefusedOnOk()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        PrepareLevels(tank);

        bool openAfterOk = false, selected = false;
        QStringList messages;
        double levelWhileOpen = 0;
        QVERIFY(test::OpenRowDialog(program, kVolumeRow, [&](QWidget& dialog) {
            auto* edit = test::Find<QLineEdit>(dialog, "edDepth");
            edit->setFocus();
            edit->selectAll();
            test::TypeText(edit, QStringLiteral("2OOO"));
            test::Find<QPushButton>(dialog, "btnOk")->click();
            openAfterOk = dialog.isVisible();
            messages = test::ShownMessages();
            levelWhileOpen = tank.GivenLevel();
            selected = edit->hasFocus() && edit->selectedText() == QStringLiteral("2OOO");
            edit->selectAll();
            test::TypeText(edit, QStringLiteral("2000"));
            test::Find<QPushButton>(dialog, "btnOk")->click();
        }));
        QVERIFY(openAfterOk);
        QVERIFY(selected);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(QStringLiteral("2OOO")), qPrintable(messages[0]));
        QCOMPARE(levelWhileOpen, 1005.0);
        QCOMPARE(tank.GivenLevel(), 2005.0);
    }
};

VELOQUIN_APP_TEST(CapacityVolumeDialogsTest)
#include "CapacityVolumeDialogsTest.moc"
