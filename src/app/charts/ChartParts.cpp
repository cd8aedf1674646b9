#include "ChartParts.h"

#include "GFunc.h"

#include <QChart>
#include <QChartView>
#include <QLegendMarker>
#include <QLocale>
#include <QValueAxis>

#include <cmath>

namespace veloquin {

namespace {
// About this many labelled ticks along an axis, whatever its length.
constexpr double kTicksWanted = 8;
} // namespace

QLocale ProgramNumberLocale()
{
    return GetDecimalSeparator() == ',' ? QLocale(QLocale::Russian, QLocale::Russia) : QLocale::c();
}

void WriteNumbersAsTheProgram(QChart& chart)
{
    chart.setLocalizeNumbers(true);
    chart.setLocale(ProgramNumberLocale());
}

void RoundTicks(QValueAxis& axis)
{
    // Ticks at round values (1, 2 or 5 times a power of ten) with as many decimals
    // as the step needs: a level axis from 389.8 to 17 419.8 mm reads 4 000, 8 000, …
    // rather than 4 647.3, 8 904.8, which nobody can read a level off.
    auto place = [&axis](qreal low, qreal high) {
        const double span = high - low;
        if (!(span > 0) || !std::isfinite(span))
            return;
        const double rough = span / kTicksWanted;
        const double power = std::pow(10.0, std::floor(std::log10(rough)));
        double step = 10 * power;
        for (double factor : {1.0, 2.0, 5.0})
            if (factor * power >= rough) {
                step = factor * power;
                break;
            }
        const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
        axis.setTickType(QValueAxis::TicksDynamic);
        axis.setTickAnchor(0);
        axis.setTickInterval(step);
        axis.setLabelFormat(QStringLiteral("%.") + QString::number(decimals) + QStringLiteral("f"));
    };
    QObject::connect(&axis, &QValueAxis::rangeChanged, &axis, place);
    place(axis.min(), axis.max());
}

QChart& FreshChart(QChartView& view)
{
    QChart* old = view.chart();
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    WriteNumbersAsTheProgram(*chart);
    view.setChart(chart);
    delete old;
    return *chart;
}

QValueAxis* Axis(QChart& chart, Qt::Alignment alignment, const QString& title)
{
    auto* axis = new QValueAxis(&chart);
    axis->setTitleText(title);
    RoundTicks(*axis);
    chart.addAxis(axis, alignment);
    return axis;
}

void Attach(QChart& chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y, bool inLegend)
{
    chart.addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    if (!inLegend)
        for (QLegendMarker* marker : chart.legend()->markers(series))
            marker->setVisible(false);
}

} // namespace veloquin
