// The table leaving the window: every format of the export dialog written from
// a sample (and the tank left as it was), the gauge options with their result
// shown before saving, the comparison window against the tank itself, against
// a changed CSV table and against files that cannot be used.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "CalibrationCsv.h"
#include "FileDialog.h"
#include "FileNames.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "compare/TableComparisonWindow.h"
#include "export/TableExportDialog.h"

#include <QAction>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

using namespace veloquin;

namespace {

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void OpenSample(test::StartedProgram& program, const char* name)
{
    FileDialog::QueueChoice(test::CopySample(QString::fromLatin1(name), program.Dir()));
    program->MainForm().Action("acOpen")->trigger();
}

// The gauge table is chosen in the background: its result, once the choice has ended.
QString GaugeResult(QWidget& dialog)
{
    auto* exportDialog = qobject_cast<TableExportDialog*>(&dialog);
    if (!exportDialog || !QTest::qWaitFor([&] { return !exportDialog->ChoosingGauge(); }, 120000))
        return QStringLiteral("still choosing");
    return test::Find<QLabel>(dialog, "lbGaugeResult")->text();
}

// Ten girdles of 30 m: a table of some 30 000 levels.
TSteelVertCylTank TallTank()
{
    TSteelVertCylTank tank;
    tank.SetGirdleCount(10);
    for (int girdle = 1; girdle <= 10; ++girdle) {
        tank.SetGirdleHeightOuter(girdle, 30000);
        tank.UpdateGirdleHeight(girdle);
    }
    tank.SetDesignFillHeight(299000);
    tank.UpdateAll();
    return tank;
}

void SaveShot(QWidget& widget, const QString& name)
{
    QDir().mkpath(QStringLiteral(VELOQUIN_SHOTS_DIR));
    widget.grab().save(QStringLiteral(VELOQUIN_SHOTS_DIR "/") + name + QStringLiteral(".png"));
}

// What the comparison window showed.
struct ComparisonSeen
{
    bool itsWindow = false;
    int levelRows = 0;
    int girdleRows = 0;
    int highlighted = 0;
    int chartSeries = 0;
    QString summary, warnings, status;
};

ComparisonSeen RunComparison(test::StartedProgram& program, const QString& previous,
                             const std::function<void(TableComparisonWindow&)>& act = {})
{
    ComparisonSeen seen;
    FileDialog::QueueChoice(previous);
    test::RunWhileModal([&] { program->MainForm().Action("acCompareTable")->trigger(); },
                        [&](QWidget& modal) {
                            auto* form = qobject_cast<TableComparisonWindow*>(&modal);
                            seen.itsWindow = form != nullptr;
                            if (!form)
                                return;
                            auto* levels = test::Find<QTableWidget>(*form, "tvLevels");
                            seen.levelRows = levels->rowCount();
                            seen.girdleRows = test::Find<QTableWidget>(*form, "tvGirdles")->rowCount();
                            for (int row = 0; row < levels->rowCount(); ++row)
                                if (levels->item(row, 3)->background().color() != QColor(Qt::black) &&
                                    levels->item(row, 3)->background().style() != Qt::NoBrush)
                                    ++seen.highlighted;
                            seen.chartSeries = test::Find<QChartView>(*form, "chDifference")->chart()->series().size();
                            seen.summary = test::Find<QLabel>(*form, "lbSummary")->text();
                            seen.warnings = test::Find<QLabel>(*form, "lbWarnings")->text();
                            if (act)
                                act(*form);
                            seen.status = test::Find<QLabel>(*form, "lbStatus")->text();
                        });
    return seen;
}

} // namespace

class TableExportTest : public QObject
{
    Q_OBJECT

private slots:
    void everyFormatIsWrittenAndTheTankStaysAsItWas()
    {
        test::StartedProgram program;
        program.Show();
        OpenSample(program, "sample_rvs400.vlq");
        const TSteelVertCylTank& tank = program->Context().Tank();
        const double levelBefore = tank.GivenLevel();
        QVERIFY(!tank.Modified());

        struct Written
        {
            const char* radio;
            QString path;
            QString status;
        };
        std::vector<Written> written = {{"rbXlsx", program.PathIn(QStringLiteral("t.xlsx")), {}},
                                        {"rbCsv", program.PathIn(QStringLiteral("t.csv")), {}},
                                        {"rbJson", program.PathIn(QStringLiteral("t.json")), {}},
                                        {"rbGauge", program.PathIn(QStringLiteral("gauge.csv")), {}}};
        QString gaugeByPoints, gaugeRefused, gaugeByError;
        bool exportRefused = false;
        QVERIFY(test::RunWhileModal([&] { program->MainForm().Action("acExportTable")->trigger(); },
                                    [&](QWidget& dialog) {
                                        for (Written& file : written) {
                                            test::Find<QRadioButton>(dialog, file.radio)->click();
                                            if (std::string(file.radio) == "rbGauge") {
                                                test::Find<QSpinBox>(dialog, "sePoints")->setValue(20);
                                                gaugeByPoints = GaugeResult(dialog);
                                                test::Find<QRadioButton>(dialog, "rbGaugeError")->click();
                                                auto* edit = test::Find<QLineEdit>(dialog, "edMaxError");
                                                edit->setText(QStringLiteral("0"));
                                                gaugeRefused = GaugeResult(dialog);
                                                exportRefused = !test::Find<QPushButton>(dialog, "btnExport")->isEnabled();
                                                edit->setText(QStringLiteral("2,5"));
                                                gaugeByError = GaugeResult(dialog);
                                                SaveShot(dialog, QStringLiteral("table-export"));
                                            }
                                            FileDialog::QueueChoice(file.path);
                                            test::Find<QPushButton>(dialog, "btnExport")->click();
                                            file.status = test::Find<QLabel>(dialog, "lbStatus")->text();
                                        }
                                        test::Find<QPushButton>(dialog, "btnClose")->click();
                                    }));
        for (const Written& file : written)
            QCOMPARE(file.status, QStringLiteral("Сохранено: ") + file.path);
        QVERIFY(gaugeByPoints.startsWith(QStringLiteral("Точек: 19 из 662.\nНаибольшее отклонение от полной таблицы: 0,7 л")));
        QCOMPARE(gaugeRefused, QStringLiteral("Допустимое отклонение должно быть не меньше 0,001 л."));
        QVERIFY(exportRefused);
        QVERIFY(gaugeByError.startsWith(QStringLiteral("Точек: ")));

        QVERIFY(Contents(written[0].path).startsWith("PK"));
        TSteelVertCylTank copy = tank;
        QCOMPARE(Contents(written[1].path), QByteArray::fromStdString(cli::CalibrationTableCsv(copy)));
        QVERIFY(Contents(written[2].path).contains("\"Name\": \"РВС-400 №33\""));
        const QList<QByteArray> gauge = Contents(written[3].path).split('\n');
        const int header = gauge.indexOf("level_mm;volume_m3");
        QVERIFY(header > 0);
        QVERIFY(gauge.size() - header - 2 <= 40); // data lines, the last line being empty
        QVERIFY(gauge.contains("265,1;16,021"));

        QCOMPARE(tank.GivenLevel(), levelBefore);
        QVERIFY(!tank.Modified());
    }

    // The gauge's units, separator and touch-point row reach the file, and the
    // window shows them again the next time (the settings keep them).
    void theGaugeLayoutIsWrittenAndRemembered()
    {
        test::StartedProgram program;
        program.Show();
        OpenSample(program, "sample_rvs400.vlq");
        const QString path = program.PathIn(QStringLiteral("gauge-cm-l.csv"));
        QString status;
        QVERIFY(test::RunWhileModal([&] { program->MainForm().Action("acExportTable")->trigger(); },
                                    [&](QWidget& dialog) {
                                        test::Find<QRadioButton>(dialog, "rbGauge")->click();
                                        test::Find<QSpinBox>(dialog, "sePoints")->setValue(20);
                                        GaugeResult(dialog);
                                        test::Find<QComboBox>(dialog, "cbGaugeLevelUnit")->setCurrentIndex(1);
                                        test::Find<QComboBox>(dialog, "cbGaugeVolumeUnit")->setCurrentIndex(1);
                                        test::Find<QComboBox>(dialog, "cbGaugeSeparator")->setCurrentIndex(1);
                                        test::Find<QCheckBox>(dialog, "cbGaugeTouchPointRow")->click();
                                        FileDialog::QueueChoice(path);
                                        test::Find<QPushButton>(dialog, "btnExport")->click();
                                        status = test::Find<QLabel>(dialog, "lbStatus")->text();
                                        test::Find<QPushButton>(dialog, "btnClose")->click();
                                    }));
        QCOMPARE(status, QStringLiteral("Сохранено: ") + path);
        // The program's separator is the comma: the file has the point asked for.
        QVERIFY2(Contents(path).contains("\nlevel_cm;volume_l\n0;16021\n26.51;16021\n"), Contents(path).constData());

        GaugeTableLayout shown;
        QVERIFY(test::RunWhileModal([&] { program->MainForm().Action("acExportTable")->trigger(); },
                                    [&](QWidget& dialog) {
                                        shown = qobject_cast<TableExportDialog*>(&dialog)->GaugeLayout();
                                        test::Find<QPushButton>(dialog, "btnClose")->click();
                                    }));
        QCOMPARE(shown.levelUnit, GaugeLevelUnit::Centimetre);
        QCOMPARE(shown.volumeUnit, GaugeVolumeUnit::Litre);
        QCOMPARE(shown.decimalSeparator, std::optional<char>('.'));
        QVERIFY(shown.touchPointRow);
    }

    void aLongGaugeChoiceShowsItsProgressAndStopsWhenAsked()
    {
        test::StartedProgram program;
        program.Show();
        test::TankToArrange(program->Context()) = TallTank();
        // The tall tank has no field readings: go on past the question about its errors.
        MessageBox::QueueAnswer(QMessageBox::No);
        bool progressShown = false, exportWhileChoosing = true, exportWhenStopped = true;
        QString stopped, done;
        QVERIFY(test::RunWhileModal([&] { program->MainForm().Action("acExportTable")->trigger(); },
                                    [&](QWidget& dialog) {
                                        test::Find<QRadioButton>(dialog, "rbGauge")->click();
                                        progressShown = !test::Find<QWidget>(dialog, "pbGauge")->isHidden();
                                        exportWhileChoosing = test::Find<QPushButton>(dialog, "btnExport")->isEnabled();
                                        test::Find<QPushButton>(dialog, "btnGaugeCancel")->click();
                                        stopped = GaugeResult(dialog);
                                        exportWhenStopped = test::Find<QPushButton>(dialog, "btnExport")->isEnabled();
                                        test::Find<QSpinBox>(dialog, "sePoints")->setValue(20);
                                        done = GaugeResult(dialog);
                                        test::Find<QPushButton>(dialog, "btnClose")->click();
                                    }));
        QVERIFY(progressShown);
        QVERIFY(!exportWhileChoosing);
        QCOMPARE(stopped, QStringLiteral("Выбор точек остановлен."));
        QVERIFY(!exportWhenStopped);
        QVERIFY2(done.startsWith(QStringLiteral("Точек: 20 из 29")), qPrintable(done));
    }

    void aFailedExportIsSaid()
    {
        test::StartedProgram program;
        program.Show();
        Write(program.PathIn(QStringLiteral("file")), "x");
        MessageBox::ClearShown();
        QString status;
        QVERIFY(test::RunWhileModal([&] { program->MainForm().Action("acExportTable")->trigger(); },
                                    [&](QWidget& dialog) {
                                        FileDialog::QueueChoice(program.PathIn(QStringLiteral("file/t.xlsx")));
                                        test::Find<QPushButton>(dialog, "btnExport")->click();
                                        status = test::Find<QLabel>(dialog, "lbStatus")->text();
                                        test::Find<QPushButton>(dialog, "btnClose")->click();
                                    }));
        QCOMPARE(status, QStringLiteral("Не сохранено."));
        QVERIFY(test::ShownMessages().join(QLatin1Char('\n')).contains(QStringLiteral("Не удалось сохранить")));
    }

    void aSampleAgainstItselfDiffersNowhereAndSaves()
    {
        test::StartedProgram program;
        program.Show();
        OpenSample(program, "sample_rvs1000.vlq");
        // The file the tank was opened from is the previous calibration too.
        const QString previous = program.PathIn(QStringLiteral("sample_rvs1000.vlq"));
        const QString csv = program.PathIn(QStringLiteral("comparison.csv"));
        const QString xlsx = program.PathIn(QStringLiteral("comparison.xlsx"));
        QString csvStatus;
        const ComparisonSeen seen = RunComparison(program, previous, [&](TableComparisonWindow& form) {
            FileDialog::QueueChoice(csv);
            form.SaveCsv();
            csvStatus = test::Find<QLabel>(form, "lbStatus")->text();
            FileDialog::QueueChoice(xlsx);
            test::Find<QPushButton>(form, "btnSaveXlsx")->click();
            SaveShot(form, QStringLiteral("table-comparison-same"));
        });
        QVERIFY(seen.itsWindow);
        QCOMPARE(seen.levelRows, 1115);
        QCOMPARE(seen.girdleRows, 8);
        QCOMPARE(seen.highlighted, 0);
        QCOMPARE(seen.chartSeries, 3); // the difference and the error on both sides
        QVERIFY(seen.summary.contains(QStringLiteral("Разность в пределах погрешности.")));
        QVERIFY(seen.warnings.isEmpty());
        QCOMPARE(csvStatus, QStringLiteral("Сохранено: ") + csv);
        QCOMPARE(seen.status, QStringLiteral("Сохранено: ") + xlsx);
        QCOMPARE(Contents(csv).count('\n'), 1116);
        QVERIFY(Contents(xlsx).startsWith("PK"));
    }

    void aChangedPreviousTableIsMarkedWhereItDiffers()
    {
        test::StartedProgram program;
        program.Show();
        OpenSample(program, "sample_rvs400.vlq");
        TSteelVertCylTank copy = program->Context().Tank();
        QList<QByteArray> lines = QByteArray::fromStdString(cli::CalibrationTableCsv(copy)).split('\n');
        // The previous table 1,5 m3 lower up to its 101st level (its volumes never
        // fall): beyond the stated ±0,788 there, and nowhere else.
        for (int row = 1; row <= 101; ++row) {
            QList<QByteArray> fields = lines[row].split(';');
            fields[2] = QByteArray::number(fields[2].replace(',', '.').toDouble() - 1.5, 'f', 3);
            lines[row] = fields.join(';');
        }
        const QString previous = program.PathIn(QStringLiteral("previous.csv"));
        Write(previous, lines.join('\n'));
        const ComparisonSeen seen = RunComparison(program, previous, [](TableComparisonWindow& form) {
            SaveShot(form, QStringLiteral("table-comparison-changed"));
        });
        QVERIFY(seen.itsWindow);
        QCOMPARE(seen.levelRows, 662);
        QCOMPARE(seen.highlighted, 101);
        QCOMPARE(seen.chartSeries, 4); // with the points beyond the error
        QVERIFY(seen.summary.contains(QStringLiteral("Разность превышает погрешность на 101 уровнях.")));
        // The girdle whose bottom the step lies in changed by the 1,5 m3 too.
        QVERIFY(seen.summary.contains(QStringLiteral("Разность вместимостей превышает погрешность у 1 пояса.")));
    }

    void unusableFilesAreSaidAndNothingOpens()
    {
        test::StartedProgram program;
        program.Show();
        const QString text = program.PathIn(QStringLiteral("text.csv"));
        Write(text, "level;volume\n100;5\n110;пять\n");
        const QString empty = program.PathIn(QStringLiteral("empty.csv"));
        Write(empty, "");
        const QString down = program.PathIn(QStringLiteral("down.csv"));
        Write(down, "100;5\n90;6\n");
        for (const QString& path : {text, empty, down}) {
            MessageBox::ClearShown();
            FileDialog::QueueChoice(path);
            program->MainForm().Action("acCompareTable")->trigger();
            QCOMPARE(MessageBox::Shown().size(), std::size_t(1));
            QVERIFY(MessageBox::Shown().front().text.startsWith(QStringLiteral("Не удалось прочитать прежнюю таблицу «") +
                                                                QuotedPath(path) + QStringLiteral("»")));
        }
        QVERIFY(MessageBox::Shown().front().text.endsWith(
            QStringLiteral("Строка 2: уровень «90» мм не выше предыдущего; уровни таблицы должны возрастать.")));
        // Another tank is said in the window, not refused.
        const QString other = test::CopySample(QStringLiteral("sample_rvs1000.vlq"), program.Dir());
        const ComparisonSeen seen = RunComparison(program, other);
        QVERIFY(seen.itsWindow);
        QVERIFY(seen.warnings.contains(QStringLiteral("Внимание: Резервуары названы по-разному")));
    }
};

VELOQUIN_APP_TEST(TableExportTest)
#include "TableExportTest.moc"
