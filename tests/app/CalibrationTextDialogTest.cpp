// The calibration table as text: its lines for a new tank and a sample tank
// against the independently computed tables, the rebuild at every showing, and
// how the window closes.

#include "CalibrationTextDialog.h"
#include "AppContext.h"
#include "AppTestSupport.h"
#include "FileDialog.h"
#include "MainWindow.h"
#include "clipboard/ClipboardAdaptor.h"

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace veloquin;

namespace {

QString SampleTable(const QString& name)
{
    QFile file(QStringLiteral(VELOQUIN_SAMPLES_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

// Runs the text-table command; while its window is up, `inspect` sees it (and
// may close it). Returns whether the window was the modal one that came up.
bool RunTextTable(MainWindow& main, const std::function<void(CalibrationTextDialog&)>& inspect)
{
    bool itsWindow = false;
    const bool shown = test::RunWhileModal([&main] { main.Action("acCalibrationTxt")->trigger(); },
                                           [&](QWidget& modal) {
                                               itsWindow = &modal == main.CalibrationDlg();
                                               if (itsWindow)
                                                   inspect(*main.CalibrationDlg());
                                           });
    return shown && itsWindow;
}

} // namespace

class CalibrationTextDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void newTankGivesTheSampleTable()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        QString shown;
        bool readOnly = false;
        QVERIFY(RunTextTable(main, [&](CalibrationTextDialog& dialog) {
            shown = dialog.CalibrMemo()->toPlainText();
            readOnly = dialog.CalibrMemo()->isReadOnly();
            dialog.OkButton()->click();
        }));
        QVERIFY(readOnly);
        QCOMPARE(shown.split(QLatin1Char('\n')).size(), 581);
        QCOMPARE(shown, SampleTable(QStringLiteral("default.table.comma.txt")));
        QCOMPARE(main.CalibrationDlg()->result(), int(QDialog::Accepted));

        // Listing leaves the level where the user set it and the tank unmodified.
        const TSteelVertCylTank& tank = program->Context().Tank();
        QCOMPARE(tank.GivenLevel(), 500.0);
        QVERIFY(!tank.Modified());
    }

    void copyPutsTheWholeTableOnTheClipboard()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        ScopedTestClipboard clipboard(QStringLiteral("было"));
        QString caption;
        QVERIFY(RunTextTable(main, [&](CalibrationTextDialog& dialog) {
            auto* copy = test::Find<QPushButton>(dialog, "btnCopy");
            caption = copy->text();
            copy->click();
            dialog.OkButton()->click();
        }));
        QCOMPARE(caption, QStringLiteral("Копировать"));
        QCOMPARE(clipboard.ReadText(), SampleTable(QStringLiteral("default.table.comma.txt")) + QLatin1Char('\n'));
    }

    void textIsRebuiltAtEveryShowing()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        const QString sample = test::CopySample(QStringLiteral("sample_rvs400.vlq"), program.Dir());
        FileDialog::QueueChoice(sample);
        main.Action("acOpen")->trigger();

        QString shown;
        bool closedByEsc = false;
        QVERIFY(RunTextTable(main, [&](CalibrationTextDialog& dialog) {
            shown = dialog.CalibrMemo()->toPlainText();
            QTest::keyClick(&dialog, Qt::Key_Escape);
            closedByEsc = !dialog.isVisible();
        }));
        QVERIFY(closedByEsc);
        QCOMPARE(shown, SampleTable(QStringLiteral("sample_rvs400.table.comma.txt")));
        QVERIFY(!main.CalibrationDlg()->isVisible());

        // The same window, reused, shows the changed tank.
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        const QStringList before = shown.split(QLatin1Char('\n'));
        tank.SetDeadCavityHeight(tank.DeadCavityHeight() + 100);
        QVERIFY(RunTextTable(main, [&shown](CalibrationTextDialog& dialog) {
            shown = dialog.CalibrMemo()->toPlainText();
            dialog.accept();
        }));
        const QStringList after = shown.split(QLatin1Char('\n'));
        QCOMPARE(after.size(), before.size() - 10);
        QCOMPARE(after.first().section(QLatin1Char('\t'), 3, 3), before.at(10).section(QLatin1Char('\t'), 3, 3));
    }
};

VELOQUIN_APP_TEST(CalibrationTextDialogTest)
#include "CalibrationTextDialogTest.moc"
