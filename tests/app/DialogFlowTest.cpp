// What surrounds every measurement dialog as the user goes from row to dialog
// and back: the modified mark stays up while a dialog is open, the keyboard
// comes back to the inspector on the row that was opened, the clipboard keys
// of the weld-correction grid survive switching between table and typed
// corrections, and a computed row of the inspector takes nothing typed.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "ClipboardAdaptor.h"
#include "MainWindow.h"
#include "StringGrid.h"
#include "TankClasses.h"
#include "TankInspector.h"
#include "TankInspectorRows.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace veloquin;

namespace {

bool FocusInside(QWidget& window)
{
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && window.isAncestorOf(focus);
}

} // namespace

class DialogFlowTest : public QObject
{
    Q_OBJECT

private slots:
    void theModifiedMarkStaysWhileADialogIsOpen()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        TankInspector& inspector = program->Inspector();
        QVERIFY(inspector.SelectRow(static_cast<int>(TankRow::StoredDensity)));
        inspector.InsEdit()->selectAll();
        test::TypeText(inspector.InsEdit(), QStringLiteral("870"));
        test::PressKey(inspector.InsEdit(), Qt::Key_Return);
        QTRY_COMPARE(main.StatusPanelText(2), QStringLiteral("Изменен"));

        QString panelWhileOpen, titleWhileOpen;
        QVERIFY(test::OpenRowDialog(program, static_cast<int>(TankRow::BottomCorrection), [&](QWidget&) {
            test::WaitForStatusTick(main);
            test::WaitForStatusTick(main);
            panelWhileOpen = main.StatusPanelText(2);
            titleWhileOpen = main.windowTitle();
        }));
        QCOMPARE(panelWhileOpen, QStringLiteral("Изменен"));
        QVERIFY2(titleWhileOpen.contains(QLatin1Char('*')), qPrintable(titleWhileOpen));
        QCOMPARE(main.StatusPanelText(2), QStringLiteral("Изменен"));
    }

    void theFocusComesBackToTheRowThatWasOpened()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        for (TankRow row : {TankRow::GirdleHeights, TankRow::BottomCorrection, TankRow::VolumeAtLevel}) {
            QVERIFY(test::OpenRowDialog(program, static_cast<int>(row), [](QWidget& dialog) {
                if (auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("btnOk")))
                    ok->click();
            }));
            QTRY_VERIFY(QApplication::activeWindow() == &inspector);
            QTRY_VERIFY(FocusInside(inspector));
            QCOMPARE(inspector.SelectedRow(), static_cast<int>(row));
        }
        // The next keys go to the inspector: Down moves to the next row.
        test::PressKey(QApplication::focusWidget(), Qt::Key_Down);
        QTRY_COMPARE(inspector.SelectedRow(), static_cast<int>(TankRow::VolumeAtLevel) + 1);
    }

    void pasteWorksInTheWeldGridAfterSwitchingToTypedCorrections()
    {
        test::StartedProgram program;
        program.Show();
        const TSteelVertCylTank& tank = program->Context().Tank();
        ScopedTestClipboard clipboard(QStringLiteral("3\r\n4,5\r\n"));

        QString first, second;
        QVERIFY(test::OpenRowDialog(program, static_cast<int>(TankRow::ExtCircumference), [&](QWidget& dialog) {
            // Each switch used to bind the clipboard keys once more, and a key
            // bound twice in one window does nothing at all.
            auto* manual = dialog.findChild<QRadioButton*>(QStringLiteral("rbMeasuredCorr"));
            auto* table = dialog.findChild<QRadioButton*>(QStringLiteral("rbTableCorr"));
            manual->click();
            table->click();
            manual->click();
            auto* grid = dialog.findChild<StringGrid*>(QStringLiteral("StringGridCorr"));
            grid->setFocus();
            grid->FocusCell(0, 1);
            test::PressGridKey(*grid, Qt::Key_V, Qt::ControlModifier);
            first = grid->Cells(0, 1);
            second = grid->Cells(0, 2);
            dialog.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
        }));
        QCOMPARE(first, QStringLiteral("3"));
        QCOMPARE(second, QStringLiteral("4,5"));
        QCOMPARE(tank.WeldCorrectionCount(), 2);
        QCOMPARE(tank.WeldCorrection(2), 4.5);
    }

    void theComputedDeadCavityCapacityRowTakesNothingTyped()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        QVERIFY(inspector.SelectRow(static_cast<int>(TankRow::DeadCavityCapacity)));
        QLineEdit* box = inspector.InsEdit();
        const QString shown = box->text();
        QVERIFY(box->isReadOnly());
        QCOMPARE(box->palette().color(QPalette::Base), box->palette().color(QPalette::Window));
        test::TypeText(box, QStringLiteral("12"));
        QCOMPARE(box->text(), shown);
        // The next row is typed into as before.
        QVERIFY(inspector.SelectRow(static_cast<int>(TankRow::DesignFillHeight)));
        QVERIFY(!box->isReadOnly());
        QVERIFY(box->palette().color(QPalette::Base) != box->palette().color(QPalette::Window));
    }
};

VELOQUIN_APP_TEST(DialogFlowTest)
#include "DialogFlowTest.moc"
