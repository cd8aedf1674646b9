// "Графики": every sample drawn on every tab (the pictures are kept as PNG
// for a person to look at), a finding marked on its picture, and each tab
// exported as PNG, SVG and PDF.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "ChartsWindow.h"
#include "FieldChecks.h"
#include "FileDialog.h"
#include "MainWindow.h"
#include "TankFile.h"
#include "TankInspectorRows.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

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
    program->Context().tank =
        LoadTankFile((QStringLiteral(VELOQUIN_SAMPLES_DIR "/") + name + ".vlq").toStdString()).tank;
    program->Rows().RefreshAfterLoad();
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

        TSteelVertCylTank& tank = program->Context().tank;
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
        // A file that cannot be written says so and leaves nothing behind.
        const QString blocked = program.PathIn(QStringLiteral("file/inside.png"));
        QFile parent(program.PathIn(QStringLiteral("file")));
        QVERIFY(parent.open(QIODevice::WriteOnly));
        parent.close();
        const int before = test::ShownMessages().size();
        FileDialog::QueueChoice(blocked);
        test::Find<QPushButton>(charts, "btnPdf")->click();
        QCOMPARE(test::ShownMessages().size(), before + 1);
        QVERIFY(test::ShownMessages().back().contains(blocked));
    }
};

VELOQUIN_APP_TEST(ChartsTest)
#include "ChartsTest.moc"
