#pragma once
// "Графики": the tank as pictures, one tab each, every tab exportable as PNG,
// SVG and PDF: the wall unrolled (colour map of radial deviations), the plumb
// readings of one generatrix along the height, the bottom's readings on a polar
// map, and the capacity of each centimetre against the level. The findings of
// the field-data checks are marked where they lie.

#include "TankChecks.h"

#include <QWidget>

#include <vector>

class QChart;
class QChartView;
class QComboBox;
class QTabWidget;

namespace veloquin {

class BottomMapView;
class WallMapView;

enum class PictureFormat
{
    Png,
    Svg,
    Pdf
};

// Draws the widget as it is shown into a file; false when it cannot be written.
bool ExportPicture(QWidget& picture, PictureFormat format, const QString& path);

class ChartsWindow : public QWidget
{
    Q_OBJECT

public:
    enum Tab
    {
        WallTab,
        GeneratrixTab,
        BottomTab,
        CapacityTab,
        TabCount
    };

    ChartsWindow(QWidget* owner, const TSteelVertCylTank& tank);

    // Draws the tank again with these findings marked.
    void ShowTank(const std::vector<Finding>& findings);
    QTabWidget* Tabs() const { return m_tabs; }
    // The picture of a tab (what is exported).
    QWidget* Picture(Tab tab) const;
    void SetGeneratrix(int generatrix);
    // Asks for a file name and writes the shown tab into it.
    void acExportExecute(PictureFormat format);

private:
    void FillGeneratrixChart();
    void FillCapacityChart();

    const TSteelVertCylTank& m_tank;
    std::vector<Finding> m_findings;
    FindingIndex m_shownFinding; // the plumb finding whose generatrix was brought up
    QTabWidget* m_tabs = nullptr;
    WallMapView* m_wall = nullptr;
    BottomMapView* m_bottom = nullptr;
    QWidget* m_generatrixPage = nullptr;
    QComboBox* m_generatrix = nullptr;
    QChartView* m_generatrixView = nullptr;
    QChartView* m_capacityView = nullptr;
};

} // namespace veloquin
