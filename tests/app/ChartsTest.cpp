// "Графики": every sample drawn on every tab (the pictures are kept as PNG
// for a person to look at), a finding marked on its picture, and each tab
// exported as PNG, SVG and PDF.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "ChartsWindow.h"
#include "FieldChecks.h"
#include "FileDialog.h"
#include "GFunc.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "TankFile.h"
#include "TankInspectorRows.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QValueAxis>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

#include <cmath>

using namespace veloquin;

namespace {

const char* const kSamples[] = {"default",         "sample_rvs400",        "sample_rvs1000",
                                "sample_rvs10000", "sample_rvs2000_staff", "sample_rvs5000_tall"};

FieldChecks& ChecksOf(test::StartedProgram& program)
{
    return *program->MainForm().findChild<FieldChecks*>(QStringLiteral("FieldChecks"));
}

void LoadSample(test::StartedProgram& program, const QString& name)
{
    const LoadedTank loaded = LoadTankFile((QStringLiteral(VELOQUIN_SAMPLES_DIR "/") + name + ".vlq").toStdString());
    program->Context().editing.Replace(loaded.tank, loaded.version);
    ChecksOf(program).Recheck();
}

QImage Shot(ChartsWindow& charts, ChartsWindow::Tab tab)
{
    charts.Tabs()->setCurrentIndex(tab);
    QCoreApplication::processEvents();
    return charts.Picture(tab)->grab().toImage();
}

int PixelsOf(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}

QByteArray Head(const QString& path, int bytes)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(bytes) : QByteArray();
}

// What a poppler tool prints of a PDF file; empty when it is not installed.
QByteArray PopplerOutput(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

// Pixels near the colour (antialiased edges, a PDF's colour conversion).
int PixelsNear(const QImage& image, const QColor& colour, int tolerance = 24)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += std::abs(c.red() - colour.red()) <= tolerance &&
                             std::abs(c.green() - colour.green()) <= tolerance &&
                             std::abs(c.blue() - colour.blue()) <= tolerance
                         ? 1
                         : 0;
        }
    return count;
}

// Every value axis of the window reads at round levels, written as the program
// writes numbers: a level is read off an axis, not guessed between 4 647.3 and 8 904.8.
void CheckAxesAreReadable(ChartsWindow& charts, const char* sample)
{
    for (QChartView* view : charts.findChildren<QChartView*>()) {
        QChart* chart = view->chart();
        QCOMPARE(chart->locale().decimalPoint(), QString(QChar::fromLatin1(GetDecimalSeparator())));
        QVERIFY2(chart->localizeNumbers(), sample);
        for (QAbstractAxis* abstract : chart->axes()) {
            auto* axis = qobject_cast<QValueAxis*>(abstract);
            if (!axis)
                continue;
            QCOMPARE(axis->tickType(), QValueAxis::TicksDynamic);
            const double step = axis->tickInterval();
            const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
            QVERIFY2(std::fabs(mantissa - 1) < 1e-6 || std::fabs(mantissa - 2) < 1e-6 || std::fabs(mantissa - 5) < 1e-6,
                     qPrintable(QStringLiteral("%1: step %2").arg(sample).arg(step)));
            const double ticks = std::floor(axis->max() / step + 1e-9) - std::ceil(axis->min() / step - 1e-9) + 1;
            QVERIFY2(ticks >= 3 && ticks <= 12, qPrintable(QStringLiteral("%1: %2 ticks").arg(sample).arg(ticks)));
        }
    }
}

} // namespace

class ChartsTest : public QObject
{
    Q_OBJECT

private slots:
    void everySampleIsDrawnOnEveryTab()
    {
        test::StartedProgram program;
        program.Show();
        QDir().mkpath(QStringLiteral(VELOQUIN_SHOTS_DIR));
        for (const char* sample : kSamples) {
            LoadSample(program, QString::fromLatin1(sample));
            program->MainForm().findChild<QAction*>(QStringLiteral("acCharts"))->trigger();
            ChartsWindow* charts = ChecksOf(program).ChartsForm();
            QVERIFY(charts && charts->isVisible());
            QCOMPARE(charts->windowTitle(), QStringLiteral("Графики"));
            QCOMPARE(charts->Tabs()->count(), int(ChartsWindow::TabCount));
            for (int tab = 0; tab < ChartsWindow::TabCount; ++tab) {
                const QImage image = Shot(*charts, static_cast<ChartsWindow::Tab>(tab));
                QVERIFY(image.save(QStringLiteral(VELOQUIN_SHOTS_DIR "/charts-%1-%2.png").arg(sample).arg(tab)));
                // A drawn picture: axes, texts and colours, not an empty box.
                QVERIFY2(test::DistinctColours(image) > 8, sample);
            }
            CheckAxesAreReadable(*charts, sample);
        }
    }

    void aFindingIsMarkedOnItsPicture()
    {
        test::StartedProgram program;
        program.Show();
        LoadSample(program, QStringLiteral("sample_rvs1000"));
        ChecksOf(program).acChartsExecute();
        ChartsWindow& charts = *ChecksOf(program).ChartsForm();
        const QColor error(200, 0, 0);
        QCOMPARE(PixelsOf(Shot(charts, ChartsWindow::WallTab), error), 0);
        QCOMPARE(PixelsOf(Shot(charts, ChartsWindow::BottomTab), error), 0);

        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetPlumbDistance(8, 3, 1490);
        tank.SetBottomReading(5, 2, 490);
        tank.UpdateAll();
        ChecksOf(program).Recheck();
        QVERIFY(PixelsOf(Shot(charts, ChartsWindow::WallTab), error) > 50);
        QVERIFY(PixelsOf(Shot(charts, ChartsWindow::BottomTab), error) > 20);
        charts.Tabs()->setCurrentIndex(ChartsWindow::GeneratrixTab);
        QVERIFY(Shot(charts, ChartsWindow::GeneratrixTab)
                    .save(QStringLiteral(VELOQUIN_SHOTS_DIR "/charts-slip-generatrix.png")));
        QVERIFY(Shot(charts, ChartsWindow::WallTab).save(QStringLiteral(VELOQUIN_SHOTS_DIR "/charts-slip-wall.png")));
        QVERIFY(
            Shot(charts, ChartsWindow::BottomTab).save(QStringLiteral(VELOQUIN_SHOTS_DIR "/charts-slip-bottom.png")));
    }

    void eachTabIsExportedInThreeFormats()
    {
        test::StartedProgram program;
        program.Show();
        LoadSample(program, QStringLiteral("sample_rvs400"));
        ChecksOf(program).acChartsExecute();
        ChartsWindow& charts = *ChecksOf(program).ChartsForm();
        const struct
        {
            const char* button;
            const char* suffix;
            QByteArray magic;
        } formats[] = {
            {"btnPng", "png", QByteArray("\x89PNG", 4)}, {"btnSvg", "svg", "<?xml"}, {"btnPdf", "pdf", "%PDF"}};
        for (int tab = 0; tab < ChartsWindow::TabCount; ++tab) {
            charts.Tabs()->setCurrentIndex(tab);
            for (const auto& f : formats) {
                const QString path = program.PathIn(QStringLiteral("tab%1.%2").arg(tab).arg(f.suffix));
                FileDialog::QueueChoice(path);
                test::Find<QPushButton>(charts, f.button)->click();
                QCOMPARE(Head(path, f.magic.size()), f.magic);
            }
        }
        // The name offered carries the tank's name, made fit for a file name.
        charts.Tabs()->setCurrentIndex(ChartsWindow::WallTab);
        FileDialog::ClearShown();
        test::Find<QPushButton>(charts, "btnPng")->click();
        QCOMPARE(FileDialog::Shown().back().fileName, QStringLiteral("РВС-400 №33 — стенка.png"));
        test::TankToArrange(program->Context()).SetName("Резервуар: 5/2 ");
        test::Find<QPushButton>(charts, "btnSvg")->click();
        QCOMPARE(FileDialog::Shown().back().fileName, QStringLiteral("Резервуар_ 5_2 — стенка.svg"));
        test::TankToArrange(program->Context()).SetName("");
        test::Find<QPushButton>(charts, "btnPdf")->click();
        QCOMPARE(FileDialog::Shown().back().fileName, QStringLiteral("стенка.pdf"));

        // A file that cannot be written says so and leaves nothing behind.
        const QString blocked = program.PathIn(QStringLiteral("file/inside.png"));
        QFile parent(program.PathIn(QStringLiteral("file")));
        QVERIFY(parent.open(QIODevice::WriteOnly));
        parent.close();
        const int before = test::ShownMessages().size();
        FileDialog::QueueChoice(blocked);
        test::Find<QPushButton>(charts, "btnPdf")->click();
        QCOMPARE(test::ShownMessages().size(), before + 1);
        QVERIFY(test::ShownMessages().back().contains(QuotedFileName(blocked)));
    }

    // What the window shows is what each file holds: the legend, the finding's
    // marker, and the tank's name above the picture.
    void anExportedChartIsCompleteInEveryFormat()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("poppler's tools are not installed");
        test::StartedProgram program;
        program.Show();
        LoadSample(program, QStringLiteral("sample_rvs1000"));
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetPlumbDistance(8, 3, 1490);
        tank.UpdateAll();
        ChecksOf(program).Recheck();
        ChecksOf(program).acChartsExecute();
        ChartsWindow& charts = *ChecksOf(program).ChartsForm();
        charts.Tabs()->setCurrentIndex(ChartsWindow::GeneratrixTab);
        charts.SetGeneratrix(3);
        const QString caption = QString::fromStdString(tank.Name()) + QStringLiteral(" — Образующая");
        QCOMPARE(charts.ExportCaption(ChartsWindow::GeneratrixTab), caption);
        const QColor marker(200, 0, 0);
        const QStringList legend = {QStringLiteral("Медиана по образующим"), QStringLiteral("Ошибка")};

        const QString png = program.PathIn(QStringLiteral("chart.png"));
        FileDialog::QueueChoice(png);
        test::Find<QPushButton>(charts, "btnPng")->click();
        const QImage picture(png);
        QVERIFY(PixelsNear(picture, marker) > 40);
        QVERIFY(picture.height() > charts.Picture(ChartsWindow::GeneratrixTab)->height());

        const QString svg = program.PathIn(QStringLiteral("chart.svg"));
        FileDialog::QueueChoice(svg);
        test::Find<QPushButton>(charts, "btnSvg")->click();
        QFile svgFile(svg);
        QVERIFY(svgFile.open(QIODevice::ReadOnly));
        const QString svgText = QString::fromUtf8(svgFile.readAll());
        for (const QString& text : legend + QStringList{caption.toHtmlEscaped()})
            QVERIFY2(svgText.contains(text), qPrintable(text));

        const QString pdf = program.PathIn(QStringLiteral("chart.pdf"));
        FileDialog::QueueChoice(pdf);
        test::Find<QPushButton>(charts, "btnPdf")->click();
        const QString pdfText =
            QString::fromUtf8(PopplerOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})).simplified();
        for (const QString& text : legend + QStringList{caption})
            QVERIFY2(pdfText.contains(text), qPrintable(pdfText.left(400)));
        // The marker is on the page as it is on the screen.
        const QString pages = program.PathIn(QStringLiteral("page"));
        PopplerOutput(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                                                   QStringLiteral("-singlefile"), pdf, pages});
        const QImage page(pages + QStringLiteral(".png"));
        QVERIFY(!page.isNull());
        QVERIFY2(PixelsNear(page, marker) > 10, qPrintable(QString::number(PixelsNear(page, marker))));
    }
};

VELOQUIN_APP_TEST(ChartsTest)
#include "ChartsTest.moc"
