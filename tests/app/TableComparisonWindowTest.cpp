// The comparison window's plot: the levels beyond the error are seen, also
// where they lie on the error line itself.

#include "compare/TableComparisonWindow.h"
#include "AppTestSupport.h"

#include <QChart>
#include <QChartView>
#include <QImage>
#include <QScatterSeries>
#include <QTest>

#include <cstdlib>

using namespace veloquin;

class TableComparisonWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void levelsBeyondTheErrorAreDrawnOverTheLines()
    {
        TableComparison comparison;
        comparison.previousSource = "прежняя.csv";
        comparison.newSource = "новая.vlq";
        comparison.errorM3 = 0.5;
        // Differences just beyond the error on both sides: on the dashed lines, as drawn.
        // Apart from each other: a marker's rim never crosses another's middle.
        for (int k = 0; k <= 40; ++k) {
            LevelDifference level;
            level.levelMm = 100.0 * k;
            level.previousM3 = 40.0 * k;
            const bool beyond = k >= 8 && k <= 32 && k % 4 == 0;
            level.differenceM3 = beyond ? (k % 8 ? 0.5001 : -0.5001) : 0.1;
            level.newM3 = level.previousM3 + level.differenceM3;
            level.beyondError = beyond;
            comparison.levelsBeyondError += beyond ? 1 : 0;
            comparison.levels.push_back(level);
        }
        TableComparisonWindow window(nullptr, comparison);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* view = test::Find<QChartView>(window, "chDifference");
        QChart* chart = view->chart();
        QScatterSeries* beyond = nullptr;
        for (QAbstractSeries* series : chart->series())
            if (series->objectName() == QStringLiteral("BeyondError"))
                beyond = qobject_cast<QScatterSeries*>(series);
        QVERIFY(beyond);
        QCOMPARE(beyond->count(), 7);
        QTRY_VERIFY(chart->plotArea().height() > 100);

        const QImage image = view->viewport()->grab().toImage();
        const QColor fill = beyond->color();
        const auto near = [](const QColor& a, const QColor& b) {
            return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) <= 24;
        };
        int seen = 0;
        for (const QPointF& point : beyond->points()) {
            // The pixel that holds the marker's centre, which the error line runs through.
            const QPointF at = view->viewportTransform().map(chart->mapToPosition(point, beyond));
            seen += near(image.pixelColor(static_cast<int>(at.x()), static_cast<int>(at.y())), fill) ? 1 : 0;
        }
        QCOMPARE(seen, beyond->count());
    }
};

VELOQUIN_APP_TEST(TableComparisonWindowTest)
#include "TableComparisonWindowTest.moc"
