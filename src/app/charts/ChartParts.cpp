#include "ChartParts.h"

#include <QChart>
#include <QChartView>
#include <QLegendMarker>
#include <QValueAxis>

namespace veloquin {

QChart& FreshChart(QChartView& view)
{
    QChart* old = view.chart();
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    view.setChart(chart);
    delete old;
    return *chart;
}

QValueAxis* Axis(QChart& chart, Qt::Alignment alignment, const QString& title)
{
    auto* axis = new QValueAxis(&chart);
    axis->setTitleText(title);
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
