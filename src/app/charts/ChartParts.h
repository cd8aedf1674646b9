#pragma once
// What the program's Qt Charts plots share: a fresh chart for a view, a value
// axis with its title and round ticks, numbers written as the program writes
// them, and a series attached to its axes.

#include <QString>
#include <Qt>

class QAbstractAxis;
class QAbstractSeries;
class QChart;
class QChartView;
class QLocale;
class QValueAxis;

namespace veloquin {

// A new chart for the view: a chart refilled in place keeps traces of its old axes.
QChart& FreshChart(QChartView& view);
// The locale that writes numbers with the program's decimal separator.
QLocale ProgramNumberLocale();
// Numbers on the chart's axes written with the program's decimal separator.
void WriteNumbersAsTheProgram(QChart& chart);
// The axis keeps its ticks at round values whenever its range changes.
void RoundTicks(QValueAxis& axis);
// A value axis with round ticks.
QValueAxis* Axis(QChart& chart, Qt::Alignment alignment, const QString& title);
// inLegend false: the series has no entry in the legend.
void Attach(QChart& chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y, bool inLegend = true);

} // namespace veloquin
