// "Неопределённость" and its instruments dialog: every sample drawn (the
// pictures kept for a person to look at), the budget of a clicked level, the
// interval calculator, a Monte Carlo run and a cancelled one, the window
// following a change of the tank, and the dialog storing what it accepts.

#include "UncertaintyWindow.h"
#include "AppContext.h"
#include "AppTestSupport.h"
#include "FileDialog.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "TankFile.h"
#include "TankInspectorRows.h"
#include "UncertaintyActions.h"
#include "UncertaintySettingsDialog.h"
#include "export/TableExportDialog.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <cmath>
#include <limits>

using namespace veloquin;

namespace {

const char* const kSamples[] = {"default",         "sample_rvs400",        "sample_rvs1000",
                                "sample_rvs10000", "sample_rvs2000_staff", "sample_rvs5000_tall"};

UncertaintyActions& ActionsOf(test::StartedProgram& program)
{
    return *program->MainForm().findChild<UncertaintyActions*>(QStringLiteral("UncertaintyActions"));
}

void LoadSample(test::StartedProgram& program, const QString& name)
{
    const LoadedTank loaded = LoadTankFile((QStringLiteral(VELOQUIN_SAMPLES_DIR "/") + name + ".vlq").toStdString());
    program->Context().editing.Replace(loaded.tank, loaded.version);
}

UncertaintyWindow& OpenWindow(test::StartedProgram& program)
{
    program->MainForm().findChild<QAction*>(QStringLiteral("acUncertainty"))->trigger();
    return *ActionsOf(program).Window();
}

QString Text(QWidget& window, const char* name)
{
    return test::Find<QLabel>(window, name)->text();
}

} // namespace

class UncertaintyWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void everySampleIsDrawn()
    {
        test::StartedProgram program;
        program.Show();
        QDir().mkpath(QStringLiteral(VELOQUIN_SHOTS_DIR));
        for (const char* sample : kSamples) {
            LoadSample(program, QString::fromLatin1(sample));
            UncertaintyWindow& window = OpenWindow(program);
            QVERIFY(window.isVisible());
            QCOMPARE(window.windowTitle(), QStringLiteral("Неопределённость"));
            QVERIFY2(window.Linear().has_value(), sample);
            // The curve, U, the protocol's figure and the shading below where it is exceeded.
            QCOMPARE(window.LevelView()->chart()->series().size(), 4);
            QVERIFY(!window.BudgetView()->chart()->series().isEmpty());
            QVERIFY(Text(window, "Summary").contains(QStringLiteral("Высота наполнения")));
            QVERIFY(Text(window, "IntervalResult").startsWith(QStringLiteral("ΔV = ")));
            QCoreApplication::processEvents();
            const QImage image = window.grab().toImage();
            QVERIFY(image.save(QStringLiteral(VELOQUIN_SHOTS_DIR "/uncertainty-%1.png").arg(sample)));
            QVERIFY2(test::DistinctColours(image) > 12, sample);
        }
    }

    void aClickedLevelShowsItsBudget()
    {
        test::StartedProgram program;
        program.Show();
        LoadSample(program, QStringLiteral("sample_rvs1000"));
        UncertaintyWindow& window = OpenWindow(program);
        // The printed level nearest to 500 mm: the table's levels run from the touch point.
        window.ShowBudgetAt(500);
        const double nearest = test::Find<QDoubleSpinBox>(window, "BudgetLevel")->value();
        QVERIFY(std::fabs(nearest - 500) <= 5);
        QVERIFY(window.BudgetView()->chart()->title().startsWith(
            QStringLiteral("Бюджет на уровне ") + QString::number(nearest).replace('.', ',') + QStringLiteral(" мм")));
        // A click at the right of the plot: a level near the top of the table.
        QChart* chart = window.LevelView()->chart();
        const QRectF plot = chart->plotArea();
        const QPoint at = window.LevelView()->mapFromScene(chart->mapToScene(plot.right() - 2, plot.center().y()));
        QTest::mouseClick(window.LevelView()->viewport(), Qt::LeftButton, {}, at);
        const double clicked = test::Find<QDoubleSpinBox>(window, "BudgetLevel")->value();
        QVERIFY2(clicked > window.Linear()->levels.back().levelMm - 300, qPrintable(QString::number(clicked)));
    }

    void theIntervalCalculatorGivesTheVolumeBetweenTwoLevels()
    {
        test::StartedProgram program;
        program.Show();
        LoadSample(program, QStringLiteral("sample_rvs1000"));
        UncertaintyWindow& window = OpenWindow(program);
        test::Find<QDoubleSpinBox>(window, "IntervalFrom")->setValue(3000);
        test::Find<QDoubleSpinBox>(window, "IntervalTo")->setValue(3000);
        QTest::mouseClick(test::Find<QPushButton>(window, "ComputeInterval"), Qt::LeftButton);
        QCOMPARE(Text(window, "IntervalResult"), QStringLiteral("ΔV = 0,000 ± 0,0000 м³ (— %)"));
        test::Find<QDoubleSpinBox>(window, "IntervalTo")->setValue(5000);
        QTest::mouseClick(test::Find<QPushButton>(window, "ComputeInterval"), Qt::LeftButton);
        QVERIFY(!Text(window, "IntervalResult").contains(QStringLiteral("± 0,0000 м³")));
    }

    void monteCarloRunsInTheBackgroundAndIsCancelled()
    {
        test::StartedProgram program;
        program.Show();
        LoadSample(program, QStringLiteral("sample_rvs400"));
        UncertaintyWindow& window = OpenWindow(program);
        test::Find<QSpinBox>(window, "MonteCarloTrials")->setValue(400);
        QTest::mouseClick(test::Find<QPushButton>(window, "StartMonteCarlo"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!window.MonteCarloRunning(), 60000);
        QVERIFY(window.MonteCarlo().has_value());
        QCOMPARE(window.MonteCarlo()->trials, 400LL);
        QCOMPARE(window.LevelView()->chart()->series().size(), 5);
        QCOMPARE(test::Find<QProgressBar>(window, "MonteCarloProgress")->value(), 1000);
        QVERIFY(Text(window, "MonteCarloSummary").contains(QStringLiteral("Монте-Карло")));

        test::Find<QSpinBox>(window, "MonteCarloTrials")->setValue(1000000);
        QTest::mouseClick(test::Find<QPushButton>(window, "StartMonteCarlo"), Qt::LeftButton);
        QVERIFY(window.MonteCarloRunning());
        QVERIFY(test::Find<QPushButton>(window, "CancelMonteCarlo")->isEnabled());
        QTest::mouseClick(test::Find<QPushButton>(window, "CancelMonteCarlo"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!window.MonteCarloRunning(), 60000);
        QVERIFY(!window.MonteCarlo().has_value());
        QCOMPARE(Text(window, "MonteCarloSummary"), QStringLiteral("Расчёт прерван."));
    }

    void theWindowFollowsAChangeOfTheTank()
    {
        test::StartedProgram program;
        program.Show();
        LoadSample(program, QStringLiteral("sample_rvs1000"));
        UncertaintyWindow& window = OpenWindow(program);
        const double before = window.Linear()->designFill.uM3;
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        program->Context().editing.Change(QStringLiteral("Плотность"),
                                          [&tank] { tank.SetStoredDensity(tank.StoredDensity() * 1.5); });
        QVERIFY(window.Linear()->designFill.uM3 != before);
        // A table that is refused is said, not estimated.
        program->Context().editing.Change(QStringLiteral("Толщина краски"), [&tank] {
            tank.SetPaintThickness(std::numeric_limits<double>::quiet_NaN());
            tank.UpdateAll();
        });
        QVERIFY(!window.Linear().has_value());
        QVERIFY(Text(window, "Summary").startsWith(QStringLiteral("Неопределённость не оценивается")));
        QVERIFY(!test::Find<QPushButton>(window, "StartMonteCarlo")->isEnabled());
    }

    void theDialogStoresWhatItAccepts()
    {
        test::StartedProgram program;
        program.Show();
        LoadSample(program, QStringLiteral("sample_rvs1000"));
        UncertaintyWindow& window = OpenWindow(program);
        const double before = window.Linear()->at500mm.uM3;
        MessageBox::ClearShown();
        bool refused = false;
        const bool opened =
            test::RunWhileModal([&program] { ActionsOf(program).acUncertaintySettingsExecute(); },
                                [&refused](QWidget& dialog) {
                                    auto& d = static_cast<UncertaintySettingsDialog&>(dialog);
                                    d.Edit(UncertaintyKey::Staff)->setText(QStringLiteral("-1"));
                                    refused = !d.TakeValues();
                                    d.Edit(UncertaintyKey::Staff)->setText(QStringLiteral("0"));
                                    d.Edit(UncertaintyKey::CollimationArcsecHalf)->setText(QStringLiteral("0,0"));
                                    test::Find<QPushButton>(dialog, "OK")->click();
                                });
        QVERIFY(opened);
        QVERIFY(refused);
        QCOMPARE(MessageBox::Shown().size(), std::size_t(1));
        QVERIFY(MessageBox::Shown().front().text.contains(QStringLiteral("staff")));
        const UncertaintySettings stored = ActionsOf(program).Settings();
        QCOMPARE(stored[UncertaintyKey::Staff], 0.0);
        QCOMPARE(stored[UncertaintyKey::CollimationArcsecHalf], 0.0);
        QCOMPARE(stored[UncertaintyKey::Plumb], UncertaintySettings()[UncertaintyKey::Plumb]);
        QVERIFY(window.Linear()->at500mm.uM3 < 0.5 * before);
    }

    // The workbook's column of U when asked for (read back by cli_export's reader
    // where the tool writes it; here the file must be whole).
    void theWorkbookTakesAColumnOfUWhenAsked()
    {
        test::StartedProgram program;
        LoadSample(program, QStringLiteral("sample_rvs400"));
        const std::shared_ptr<const TableUncertainty> estimate = UncertaintyBudgetToPrint(program->Context());
        QVERIFY(estimate);
        QDir().mkpath(QStringLiteral(VELOQUIN_SHOTS_DIR));
        const QString path = QStringLiteral(VELOQUIN_SHOTS_DIR "/uncertainty-sample_rvs400.xlsx");
        WriteTableExport(path.toStdString(), TableExportFormat::Xlsx, program->Context().Tank(), 1, nullptr,
                         estimate.get());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(2) == "PK");
        // A refused table has no estimate to print.
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetPaintThickness(std::numeric_limits<double>::quiet_NaN());
        tank.UpdateAll();
        QVERIFY(!UncertaintyBudgetToPrint(program->Context()));
    }

    // Off by default; asked for, it follows the last protocol page exported.
    void thePdfExportTakesTheBudgetPageWhenAsked()
    {
        test::StartedProgram program;
        LoadSample(program, QStringLiteral("sample_rvs400"));
        QAction* action = program->MainForm().findChild<QAction*>(QStringLiteral("acExportPdf"));
        const QString path = program.PathIn(QStringLiteral("budget.pdf"));
        FileDialog::QueueChoice(path);
        bool offAtFirst = false;
        QVERIFY(test::RunWhileModal([&] { action->trigger(); },
                                    [&](QWidget& dialog) {
                                        auto* budget = test::Find<QCheckBox>(dialog, "cbUncertaintyBudget");
                                        offAtFirst = budget && !budget->isChecked();
                                        if (budget)
                                            budget->setChecked(true);
                                        test::Find<QLineEdit>(dialog, "edPages")->setText(QStringLiteral("1-2"));
                                        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
                                    }));
        QVERIFY(offAtFirst);
        // Kept for a person to look at.
        QDir().mkpath(QStringLiteral(VELOQUIN_SHOTS_DIR));
        QFile::remove(QStringLiteral(VELOQUIN_SHOTS_DIR "/uncertainty-budget.pdf"));
        QFile::copy(path, QStringLiteral(VELOQUIN_SHOTS_DIR "/uncertainty-budget.pdf"));
        QProcess process;
        process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            QSKIP("pdftotext is not installed");
        QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
        if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
            pages.removeLast();
        QCOMPARE(pages.size(), 3);
        QVERIFY(pages[2].contains(QStringLiteral("Бюджет неопределённости")));
        QVERIFY(!pages[1].contains(QStringLiteral("Бюджет неопределённости")));
    }
};

VELOQUIN_APP_TEST(UncertaintyWindowTest)
#include "UncertaintyWindowTest.moc"
