#include "PictureViews.h"

#include "GFunc.h"
#include "TankPictureData.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace veloquin {

namespace {

const QColor kErrorColour(200, 0, 0);
const QColor kWarningColour(230, 140, 0);
constexpr int kMarkNone = 0;
constexpr int kMarkWarning = 1;
constexpr int kMarkError = 2;
constexpr double kMinimalScaleMm = 5;

int MarkOf(const Finding& finding)
{
    return finding.severity == Severity::Error ? kMarkError : kMarkWarning;
}

QColor MarkColour(int mark)
{
    return mark == kMarkError ? kErrorColour : kWarningColour;
}

QColor Mix(const QColor& from, const QColor& to, double share)
{
    const auto channel = [share](int a, int b) { return static_cast<int>(a + (b - a) * share); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()), channel(from.blue(), to.blue()));
}

// Blue below zero, white at zero, red above: t in [-1, 1].
QColor Diverging(double t)
{
    t = std::clamp(t, -1.0, 1.0);
    return t < 0 ? Mix(Qt::white, QColor(33, 102, 172), -t) : Mix(Qt::white, QColor(178, 24, 43), t);
}

// Pale yellow (low) to dark blue (high): t in [0, 1].
QColor Sequential(double t)
{
    return Mix(QColor(255, 247, 188), QColor(37, 52, 148), std::clamp(t, 0.0, 1.0));
}

QString Number(double value, int decimals)
{
    return QString::fromStdString(FormatDecimals(static_cast<std::int8_t>(decimals), value));
}

void DrawTitle(QPainter& painter, const QRect& area, const QString& text)
{
    QFont font = painter.font();
    font.setBold(true);
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignTop, text);
    painter.restore();
}

// A vertical colour bar with its extreme and middle values.
void DrawLegend(QPainter& painter, const QRect& bar, const std::function<QColor(double)>& colourAt, double low,
                double high, const QString& unit)
{
    QLinearGradient gradient(bar.bottomLeft(), bar.topLeft());
    for (int i = 0; i <= 10; ++i)
        gradient.setColorAt(i / 10.0, colourAt(i / 10.0));
    painter.fillRect(bar, gradient);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(bar);
    const int textLeft = bar.right() + 4;
    painter.drawText(QPoint(textLeft, bar.top() + 4), Number(high, 0));
    painter.drawText(QPoint(textLeft, bar.center().y() + 4), Number((low + high) / 2, 0));
    painter.drawText(QPoint(textLeft, bar.bottom() + 4), Number(low, 0));
    painter.drawText(QPoint(bar.left(), bar.top() - 6), unit);
}

} // namespace

// --- The wall ---------------------------------------------------------------------

WallMapView::WallMapView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("WallMap"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void WallMapView::ShowTank(const TSteelVertCylTank& tank, const std::vector<Finding>& findings)
{
    m_deviations = RadialDeviations(tank);
    m_marks.assign(m_deviations.size(), std::vector<int>(static_cast<std::size_t>(tank.GeneratrixCount()), kMarkNone));
    m_seamMarks.assign(m_deviations.size(), kMarkNone);
    for (const Finding& f : findings) {
        if (f.field == CheckedField::PlumbDistance && f.index.size == 2 && f.index.first <= tank.PlumbRowCount() &&
            f.index.second <= tank.GeneratrixCount()) {
            int& mark = m_marks[static_cast<std::size_t>(tank.GirdleOfPlumbRow(f.index.first) - 1)]
                               [static_cast<std::size_t>(f.index.second - 1)];
            mark = std::max(mark, MarkOf(f));
        } else if (f.field == CheckedField::GirdleCapacity && f.index.first >= 1 &&
                   f.index.first <= tank.GirdleCount()) {
            int& mark = m_seamMarks[static_cast<std::size_t>(f.index.first - 1)];
            mark = std::max(mark, MarkOf(f));
        }
    }
    update();
}

void WallMapView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect all = rect().adjusted(8, 8, -8, -8);
    DrawTitle(painter, all, QStringLiteral("Стенка в развертке: радиальные отклонения поясов от пояса 1, мм"));
    const int girdles = static_cast<int>(m_deviations.size());
    const int generatrices = girdles > 0 ? static_cast<int>(m_deviations[0].size()) : 0;
    if (girdles == 0 || generatrices == 0)
        return;

    // The colours span the cells no finding is about, as on the bottom.
    double scale = kMinimalScaleMm;
    for (std::size_t i = 0; i < m_deviations.size(); ++i)
        for (std::size_t g = 0; g < m_deviations[i].size(); ++g)
            if (m_marks[i][g] == kMarkNone)
                scale = std::max(scale, std::fabs(m_deviations[i][g]));

    const QRect grid = all.adjusted(64, 28, -90, -34);
    const double cellW = static_cast<double>(grid.width()) / generatrices;
    const double cellH = static_cast<double>(grid.height()) / girdles;
    QFont cellFont = painter.font();
    cellFont.setPointSizeF(std::clamp(std::min(cellW / 3.2, cellH / 2.2), 5.0, 10.0));

    for (int i = 0; i < girdles; ++i) {
        const double top = grid.bottom() - (i + 1) * cellH; // girdle 1 at the bottom
        for (int g = 0; g < generatrices; ++g) {
            const QRectF cell(grid.left() + g * cellW, top, cellW, cellH);
            const double v = m_deviations[static_cast<std::size_t>(i)][static_cast<std::size_t>(g)];
            painter.fillRect(cell, Diverging(v / scale));
            painter.setPen(QColor(160, 160, 160));
            painter.drawRect(cell);
            painter.setFont(cellFont);
            painter.setPen(std::fabs(v / scale) > 0.6 ? Qt::white : Qt::black);
            painter.drawText(cell, Qt::AlignCenter, Number(v, 0));
        }
        painter.setFont(font());
        painter.setPen(Qt::black);
        painter.drawText(QRectF(all.left(), top, grid.left() - all.left() - 6, cellH),
                         Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Пояс %1").arg(i + 1));
    }
    painter.setFont(font());
    const int labelEvery = generatrices > 24 ? 2 : 1;
    for (int g = 0; g < generatrices; g += labelEvery)
        painter.drawText(QRectF(grid.left() + g * cellW, grid.bottom() + 2, cellW, 16), Qt::AlignCenter,
                         QString::number(g + 1));
    painter.drawText(QRect(grid.left(), grid.bottom() + 16, grid.width(), 16), Qt::AlignCenter,
                     QStringLiteral("Образующие"));

    // Findings: the cell of a reading, the seam of a step.
    for (int i = 0; i < girdles; ++i) {
        const double top = grid.bottom() - (i + 1) * cellH;
        for (int g = 0; g < generatrices; ++g)
            if (const int mark = m_marks[static_cast<std::size_t>(i)][static_cast<std::size_t>(g)]) {
                painter.setPen(QPen(MarkColour(mark), 3));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(QRectF(grid.left() + g * cellW + 1.5, top + 1.5, cellW - 3, cellH - 3));
            }
        if (const int mark = m_seamMarks[static_cast<std::size_t>(i)]) {
            painter.setPen(QPen(MarkColour(mark), 4, Qt::DashLine));
            const double seam = grid.bottom() - i * cellH;
            painter.drawLine(QPointF(grid.left(), seam), QPointF(grid.right(), seam));
        }
    }

    const QRect bar(grid.right() + 24, grid.top() + 20, 18, grid.height() - 40);
    DrawLegend(
        painter, bar, [](double t) { return Diverging(2 * t - 1); }, -scale, scale, QStringLiteral("мм"));
}

// --- The bottom -------------------------------------------------------------------

namespace {

constexpr double kCircleShares[TSteelVertCylTank::kBottomCircles] = {0.35, 0.50, 0.61, 0.71, 0.79, 0.86, 0.93, 1.00};
constexpr double kTouchPointShare = 0.97;

} // namespace

BottomMapView::BottomMapView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("BottomMap"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void BottomMapView::ShowTank(const TSteelVertCylTank& tank, const std::vector<Finding>& findings)
{
    for (int c = 1; c <= TSteelVertCylTank::kBottomCircles; ++c)
        for (int r = 1; r <= TSteelVertCylTank::kBottomRadii; ++r) {
            m_readings[c - 1][r - 1] = tank.BottomReading(c, r);
            m_marks[c - 1][r - 1] = kMarkNone;
        }
    m_centre = tank.BottomCenter();
    m_pointPlumb = tank.PointPlumb();
    m_touchHeight = tank.TouchPointHeight();
    m_centreMark = m_pointMark = kMarkNone;
    for (const Finding& f : findings) {
        if (f.field == CheckedField::BottomReadings && f.index.size == 2 && f.index.first >= 1 &&
            f.index.first <= TSteelVertCylTank::kBottomCircles && f.index.second >= 1 &&
            f.index.second <= TSteelVertCylTank::kBottomRadii)
            m_marks[f.index.first - 1][f.index.second - 1] = MarkOf(f);
        else if (f.field == CheckedField::BottomCenter)
            m_centreMark = MarkOf(f);
        else if (f.field == CheckedField::PointPlumb)
            m_pointMark = MarkOf(f);
    }
    update();
}

void BottomMapView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect all = rect().adjusted(8, 8, -8, -8);
    DrawTitle(painter, all, QStringLiteral("Днище: отсчеты по рейке на окружностях и радиусах, мм"));

    const QRect area = all.adjusted(10, 30, -90, -10);
    const QPointF centre = area.center();
    const double radiusPx = std::max(10.0, std::min(area.width(), area.height()) / 2.0 - 30);
    // The colours span the readings no finding is about: one wild reading would
    // wash every other one out.
    double low = m_centre, high = m_centre;
    for (int c = 0; c < TSteelVertCylTank::kBottomCircles; ++c)
        for (int r = 0; r < TSteelVertCylTank::kBottomRadii; ++r)
            if (m_marks[c][r] == kMarkNone) {
                low = std::min(low, m_readings[c][r]);
                high = std::max(high, m_readings[c][r]);
            }
    const double span = std::max(high - low, 1.0);
    const auto colourOf = [&](double v) { return Sequential((v - low) / span); };

    // Radius r points up for radius 1 and turns clockwise by 45 degrees.
    const auto pointAt = [&](double share, int radius) {
        const double angle = (radius - 1) * M_PI / 4;
        return QPointF(centre.x() + share * radiusPx * std::sin(angle),
                       centre.y() - share * radiusPx * std::cos(angle));
    };

    painter.setPen(QPen(QColor(170, 170, 170), 1));
    painter.setBrush(Qt::NoBrush);
    for (double share : kCircleShares)
        painter.drawEllipse(centre, share * radiusPx, share * radiusPx);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawEllipse(centre, radiusPx, radiusPx); // the wall
    painter.setPen(QPen(QColor(170, 170, 170), 1));
    for (int r = 1; r <= TSteelVertCylTank::kBottomRadii; ++r) {
        painter.drawLine(centre, pointAt(1.0, r));
        painter.setPen(Qt::black);
        const QPointF label = pointAt(1.12, r);
        painter.drawText(QRectF(label.x() - 20, label.y() - 9, 40, 18), Qt::AlignCenter, QStringLiteral("Р%1").arg(r));
        painter.setPen(QPen(QColor(170, 170, 170), 1));
    }

    QFont small = painter.font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1.5));
    const double dot = std::clamp(radiusPx / 40, 4.0, 8.0);
    // A value stands across its radius, odd circles on one side and even ones on
    // the other: the outer circles lie close together.
    const auto drawReading = [&](const QPointF& at, double value, int mark, int radius, bool otherSide) {
        painter.setPen(QPen(Qt::black, 0.8));
        painter.setBrush(colourOf(value));
        painter.drawEllipse(at, dot, dot);
        if (mark) {
            painter.setPen(QPen(MarkColour(mark), 3));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(at, dot + 5, dot + 5);
        }
        painter.setFont(small);
        painter.setPen(Qt::black);
        const double angle = (radius - 1) * M_PI / 4;
        const double side = (otherSide ? -1 : 1) * (dot + 16);
        const QPointF middle = at + QPointF(side * std::cos(angle), side * std::sin(angle));
        painter.drawText(QRectF(middle.x() - 30, middle.y() - 7, 60, 14), Qt::AlignCenter, Number(value, 1));
    };
    for (int c = 1; c <= TSteelVertCylTank::kBottomCircles; ++c)
        for (int r = 1; r <= TSteelVertCylTank::kBottomRadii; ++r)
            drawReading(pointAt(kCircleShares[c - 1], r), m_readings[c - 1][r - 1], m_marks[c - 1][r - 1], r,
                        c % 2 == 0);
    drawReading(centre, m_centre, m_centreMark, 1, false);
    painter.setFont(font());
    painter.drawText(QRectF(centre.x() - 40, centre.y() + dot + 2, 80, 16), Qt::AlignCenter, QStringLiteral("центр"));

    // The touch point: a triangle just inside the wall on radius 1.
    const QPointF touch = pointAt(kTouchPointShare, 1) + QPointF(radiusPx * 0.08, 0);
    QPainterPath triangle;
    triangle.moveTo(touch + QPointF(0, -dot - 2));
    triangle.lineTo(touch + QPointF(dot + 2, dot + 2));
    triangle.lineTo(touch + QPointF(-dot - 2, dot + 2));
    triangle.closeSubpath();
    painter.setPen(QPen(m_pointMark ? MarkColour(m_pointMark) : QColor(Qt::black), m_pointMark ? 3 : 1));
    painter.setBrush(QColor(255, 215, 0));
    painter.drawPath(triangle);
    painter.setPen(Qt::black);
    painter.drawText(
        QPointF(touch.x() + dot + 6, touch.y() + 4),
        QStringLiteral("точка касания: отсчет %1, высота %2").arg(Number(m_pointPlumb, 1), Number(m_touchHeight, 1)));

    const QRect bar(area.right() + 30, area.top() + 40, 18, area.height() - 80);
    DrawLegend(
        painter, bar, [&](double t) { return Sequential(t); }, low, high, QStringLiteral("мм"));
}

} // namespace veloquin
