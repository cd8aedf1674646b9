#pragma once
// The two pictures painted directly: the wall unrolled as a colour map of radial
// deviations (girdles up, generatrices across), and the bottom as a polar map of
// its 8 x 8 staff readings with the centre and the touch point. A finding is
// outlined on the cell or point it concerns (red: error, orange: warning).

#include "TankChecks.h"

#include <QWidget>

#include <vector>

namespace veloquin {

class WallMapView : public QWidget
{
    Q_OBJECT

public:
    explicit WallMapView(QWidget* parent);
    void ShowTank(const TSteelVertCylTank& tank, const std::vector<Finding>& findings);
    QSize sizeHint() const override { return {820, 520}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<std::vector<double>> m_deviations; // [girdle - 1][generatrix - 1]
    // Per cell: 0 none, 1 warning, 2 error.
    std::vector<std::vector<int>> m_marks;
    std::vector<int> m_seamMarks; // per girdle, its seam with the girdle below
};

class BottomMapView : public QWidget
{
    Q_OBJECT

public:
    explicit BottomMapView(QWidget* parent);
    void ShowTank(const TSteelVertCylTank& tank, const std::vector<Finding>& findings);
    QSize sizeHint() const override { return {620, 560}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_readings[TSteelVertCylTank::kBottomCircles][TSteelVertCylTank::kBottomRadii] = {};
    int m_marks[TSteelVertCylTank::kBottomCircles][TSteelVertCylTank::kBottomRadii] = {};
    double m_centre = 0;
    double m_pointPlumb = 0;
    double m_touchHeight = 0;
    int m_centreMark = 0;
    int m_pointMark = 0;
};

} // namespace veloquin
