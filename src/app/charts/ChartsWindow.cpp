#include "ChartsWindow.h"

#include "ChartParts.h"
#include "FileDialog.h"
#include "FileNames.h"
#include "GeneralErrorReport.h"
#include "MessageBox.h"
#include "PictureViews.h"
#include "TankPictureData.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <utility>

namespace veloquin {

namespace {

constexpr int kInitialWidthPx = 900;
constexpr int kInitialHeightPx = 640;
constexpr double kMarkerSizePx = 13;
constexpr int kCaptionMarginPx = 8;

struct FormatDescriptor
{
    PictureFormat format;
    const char* button;
    const char* objectName;
    const char* filter;
    const char* suffix;
};

constexpr FormatDescriptor kFormats[] = {
    {PictureFormat::Png, "PNG...", "btnPng", "Рисунок PNG (*.png)", "png"},
    {PictureFormat::Svg, "SVG...", "btnSvg", "Рисунок SVG (*.svg)", "svg"},
    {PictureFormat::Pdf, "PDF...", "btnPdf", "Документ PDF (*.pdf)", "pdf"},
};

const FormatDescriptor& Describe(PictureFormat format)
{
    for (const FormatDescriptor& d : kFormats)
        if (d.format == format)
            return d;
    return kFormats[0];
}

const char* const kTabTitles[ChartsWindow::TabCount] = {"Стенка", "Образующая", "Днище", "Вместимость"};
const char* const kTabFileNames[ChartsWindow::TabCount] = {"стенка", "образующая", "днище", "вместимость"};

QScatterSeries* FindingMarkers(const QString& name, const QColor& colour)
{
    auto* series = new QScatterSeries;
    series->setName(name);
    series->setColor(colour);
    series->setBorderColor(colour.darker());
    series->setMarkerSize(kMarkerSizePx);
    return series;
}

// A thin grey line between two points (a seam), kept out of the legend.
QLineSeries* GuideLine(const QPointF& from, const QPointF& to)
{
    auto* line = new QLineSeries;
    line->append(from);
    line->append(to);
    line->setPen(QPen(QColor(180, 180, 180), 1, Qt::DashLine));
    return line;
}

QChartView* NewChartView(QWidget* parent, const char* name)
{
    auto* view = new QChartView(new QChart, parent);
    view->setObjectName(QLatin1String(name));
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

QFont CaptionFont(const QWidget& picture)
{
    QFont font = picture.font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    return font;
}

// Qt Charts draws its legend and its markers from pixmaps cached at the
// screen's scale. While a page or a drawing is painted every item of the
// picture's scenes draws itself, so that they reach the file as shapes and text
// at the file's own resolution.
class SceneCachesOff
{
public:
    explicit SceneCachesOff(QWidget& picture)
    {
        QList<QGraphicsView*> views = picture.findChildren<QGraphicsView*>();
        if (auto* self = qobject_cast<QGraphicsView*>(&picture))
            views.append(self);
        for (QGraphicsView* view : views)
            if (view->scene())
                for (QGraphicsItem* item : view->scene()->items())
                    if (item->cacheMode() != QGraphicsItem::NoCache) {
                        m_cached.push_back({item, item->cacheMode()});
                        item->setCacheMode(QGraphicsItem::NoCache);
                    }
    }
    ~SceneCachesOff()
    {
        for (const auto& [item, mode] : m_cached)
            item->setCacheMode(mode);
    }
    SceneCachesOff(const SceneCachesOff&) = delete;
    SceneCachesOff& operator=(const SceneCachesOff&) = delete;

private:
    std::vector<std::pair<QGraphicsItem*, QGraphicsItem::CacheMode>> m_cached;
};

// The line above an exported picture: as high as two lines of the widget's font.
int CaptionHeightPx(const QWidget& picture, const QString& caption)
{
    return caption.isEmpty() ? 0 : 2 * QFontMetrics(CaptionFont(picture)).height();
}

QSize CaptionedSize(const QWidget& picture, const QString& caption)
{
    return picture.size() + QSize(0, CaptionHeightPx(picture, caption));
}

// The caption on a white band, then the picture under it.
void PaintCaptioned(QPainter& painter, QWidget& picture, const QString& caption)
{
    const QSize size = CaptionedSize(picture, caption);
    const int band = CaptionHeightPx(picture, caption);
    painter.fillRect(QRect(QPoint(), size), Qt::white);
    if (band > 0) {
        painter.save();
        painter.setPen(Qt::black);
        painter.setFont(CaptionFont(picture));
        const QRect line(kCaptionMarginPx, 0, size.width() - 2 * kCaptionMarginPx, band);
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(caption, Qt::ElideRight, line.width()));
        painter.restore();
    }
    painter.save();
    painter.translate(0, band);
    picture.render(&painter);
    painter.restore();
}

} // namespace

bool ExportPicture(QWidget& picture, PictureFormat format, const QString& path, const QString& caption)
{
    const QSize size = CaptionedSize(picture, caption);
    const QString title = caption.isEmpty() ? QStringLiteral("Veloquin") : caption;
    switch (format) {
    case PictureFormat::Png: {
        const qreal ratio = picture.devicePixelRatioF();
        QImage image(size * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        QPainter painter(&image);
        PaintCaptioned(painter, picture, caption);
        painter.end();
        return image.save(path, "PNG");
    }
    case PictureFormat::Svg: {
        QSvgGenerator generator;
        generator.setFileName(path);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(), size));
        generator.setTitle(title);
        QPainter painter;
        if (!painter.begin(&generator))
            return false;
        const SceneCachesOff uncached(picture); // the markers as shapes, not pictures of them
        PaintCaptioned(painter, picture, caption);
        return painter.end();
    }
    case PictureFormat::Pdf: {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.setTitle(title);
        QPainter painter;
        if (!painter.begin(&writer))
            return false;
        const QRect page = painter.viewport();
        const double scale = std::min(static_cast<double>(page.width()) / size.width(),
                                      static_cast<double>(page.height()) / size.height());
        painter.scale(scale, scale);
        const SceneCachesOff uncached(picture);
        PaintCaptioned(painter, picture, caption);
        return painter.end();
    }
    }
    return false;
}

ChartsWindow::ChartsWindow(QWidget* owner, const TSteelVertCylTank& tank) : QWidget(owner, Qt::Window), m_tank(tank)
{
    setObjectName(QStringLiteral("ChartsForm"));
    setWindowTitle(QStringLiteral("Графики"));
    resize(kInitialWidthPx, kInitialHeightPx);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (const FormatDescriptor& d : kFormats) {
        auto* button = new QPushButton(QString::fromLatin1(d.button), this);
        button->setObjectName(QLatin1String(d.objectName));
        button->setToolTip(QStringLiteral("Сохранить рисунок вкладки в файл"));
        const PictureFormat format = d.format;
        connect(button, &QPushButton::clicked, this, [this, format] { acExportExecute(format); });
        buttons->addWidget(button);
    }

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tsCharts"));
    m_wall = new WallMapView(m_tabs);
    m_generatrixPage = new QWidget(m_tabs);
    auto* generatrixLayout = new QVBoxLayout(m_generatrixPage);
    generatrixLayout->setContentsMargins(0, 0, 0, 0);
    m_generatrix = new QComboBox(m_generatrixPage);
    m_generatrix->setObjectName(QStringLiteral("cbGeneratrix"));
    generatrixLayout->addWidget(m_generatrix, 0, Qt::AlignLeft);
    m_generatrixView = NewChartView(m_generatrixPage, "GeneratrixChart");
    generatrixLayout->addWidget(m_generatrixView, 1);
    connect(m_generatrix, &QComboBox::currentIndexChanged, this, [this] { FillGeneratrixChart(); });
    m_bottom = new BottomMapView(m_tabs);
    m_capacityView = NewChartView(m_tabs, "CapacityChart");

    QWidget* const pages[TabCount] = {m_wall, m_generatrixPage, m_bottom, m_capacityView};
    for (int tab = 0; tab < TabCount; ++tab)
        m_tabs->addTab(pages[tab], QString::fromUtf8(kTabTitles[tab]));
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);
}

QWidget* ChartsWindow::Picture(Tab tab) const
{
    switch (tab) {
    case WallTab: return m_wall;
    case GeneratrixTab: return m_generatrixView;
    case BottomTab: return m_bottom;
    case CapacityTab: return m_capacityView;
    case TabCount: break;
    }
    return nullptr;
}

void ChartsWindow::ShowTank(const std::vector<Finding>& findings)
{
    m_findings = findings;
    m_wall->ShowTank(m_tank, findings);
    m_bottom->ShowTank(m_tank, findings);

    const int generatrices = m_tank.GeneratrixCount();
    const QSignalBlocker block(m_generatrix);
    if (m_generatrix->count() != generatrices) {
        m_generatrix->clear();
        for (int g = 1; g <= generatrices; ++g)
            m_generatrix->addItem(QStringLiteral("Образующая %1").arg(g));
    }
    // A new first plumb finding brings its generatrix up, so that the picture shows it.
    FindingIndex first;
    for (const Finding& f : findings)
        if (f.field == CheckedField::PlumbDistance && f.index.size == 2) {
            first = f.index;
            break;
        }
    if (first.size == 2 && !(first == m_shownFinding) && first.second <= generatrices)
        m_generatrix->setCurrentIndex(first.second - 1);
    m_shownFinding = first;
    FillGeneratrixChart();
    FillCapacityChart();
}

void ChartsWindow::SetGeneratrix(int generatrix)
{
    m_generatrix->setCurrentIndex(generatrix - 1);
}

void ChartsWindow::FillGeneratrixChart()
{
    QChart& chart = FreshChart(*m_generatrixView);
    const int g = m_generatrix->currentIndex() + 1;
    if (g < 1 || g > m_tank.GeneratrixCount())
        return;
    chart.setTitle(QStringLiteral("Расстояние от стенки до нити отвеса, образующая %1").arg(g));
    const std::vector<double> heights = PlumbRowHeights(m_tank);

    auto* readings = new QLineSeries;
    readings->setName(QStringLiteral("Образующая %1").arg(g));
    readings->setPointsVisible(true);
    readings->setPen(QPen(QColor(33, 102, 172), 2));
    // The middle of all generatrices at each point: what this one is compared with.
    auto* middle = new QLineSeries;
    middle->setName(QStringLiteral("Медиана по образующим"));
    middle->setPen(QPen(QColor(140, 140, 140), 1.5, Qt::DashLine));
    auto* errors = FindingMarkers(QStringLiteral("Ошибка"), QColor(200, 0, 0));
    auto* warnings = FindingMarkers(QStringLiteral("Предупреждение"), QColor(230, 140, 0));
    double low = 0, high = 0;
    for (int row = 1; row <= m_tank.PlumbRowCount(); ++row) {
        const double h = heights[static_cast<std::size_t>(row - 1)];
        const double v = m_tank.PlumbDistance(row, g);
        std::vector<double> across;
        for (int k = 1; k <= m_tank.GeneratrixCount(); ++k)
            across.push_back(m_tank.PlumbDistance(row, k));
        std::nth_element(across.begin(), across.begin() + static_cast<std::ptrdiff_t>(across.size() / 2), across.end());
        const double median = across[across.size() / 2];
        readings->append(v, h);
        middle->append(median, h);
        low = row == 1 ? std::min(v, median) : std::min({low, v, median});
        high = row == 1 ? std::max(v, median) : std::max({high, v, median});
        for (const Finding& f : m_findings)
            if (f.field == CheckedField::PlumbDistance && f.index == FindingIndex::Pair(row, g))
                (f.severity == Severity::Error ? errors : warnings)->append(v, h);
    }
    const double margin = std::max(5.0, (high - low) * 0.08);
    QValueAxis* x = Axis(chart, Qt::AlignBottom, QStringLiteral("Расстояние до нити, мм"));
    QValueAxis* y = Axis(chart, Qt::AlignLeft, QStringLiteral("Высота над днищем, мм"));
    x->setRange(low - margin, high + margin);
    const std::vector<double> tops = GirdleTops(m_tank);
    y->setRange(0, tops.empty() ? 1 : tops.back());
    for (std::size_t i = 0; i + 1 < tops.size(); ++i)
        Attach(chart, GuideLine({low - margin, tops[i]}, {high + margin, tops[i]}), x, y, false);
    Attach(chart, middle, x, y);
    Attach(chart, readings, x, y);
    Attach(chart, errors, x, y, errors->count() > 0);
    Attach(chart, warnings, x, y, warnings->count() > 0);
}

void ChartsWindow::FillCapacityChart()
{
    QChart& chart = FreshChart(*m_capacityView);
    chart.setTitle(QStringLiteral("Вместимость 1 см по уровню"));
    const std::vector<CapacityStep> steps = CapacityPerCentimetre(m_tank);
    if (steps.empty())
        return;
    auto* capacity = new QLineSeries;
    capacity->setName(QStringLiteral("Вместимость 1 см, м³"));
    capacity->setPen(QPen(QColor(33, 102, 172), 1.5));
    double low = steps.front().capacityM3, high = low;
    for (const CapacityStep& s : steps) {
        capacity->append(s.levelMm, s.capacityM3);
        low = std::min(low, s.capacityM3);
        high = std::max(high, s.capacityM3);
    }
    const double margin = std::max((high - low) * 0.1, std::fabs(high) * 0.002);
    QValueAxis* x = Axis(chart, Qt::AlignBottom, QStringLiteral("Уровень над днищем, мм"));
    QValueAxis* y = Axis(chart, Qt::AlignLeft, QStringLiteral("м³ на 1 см"));
    x->setRange(steps.front().levelMm, steps.back().levelMm + 10);
    y->setRange(low - margin, high + margin);

    const std::vector<double> tops = GirdleTops(m_tank);
    for (std::size_t i = 0; i + 1 < tops.size(); ++i)
        Attach(chart, GuideLine({tops[i], low - margin}, {tops[i], high + margin}), x, y, false);
    auto* errors = FindingMarkers(QStringLiteral("Ошибка"), QColor(200, 0, 0));
    auto* warnings = FindingMarkers(QStringLiteral("Предупреждение"), QColor(230, 140, 0));
    const auto capacityAt = [&](double level) {
        const auto it = std::lower_bound(steps.begin(), steps.end(), level,
                                         [](const CapacityStep& s, double l) { return s.levelMm < l; });
        return it == steps.end() ? steps.back().capacityM3 : it->capacityM3;
    };
    for (const Finding& f : m_findings) {
        double level = -1;
        if (f.field == CheckedField::GirdleCapacity && f.index.first >= 2 &&
            f.index.first <= static_cast<int>(tops.size()))
            level = tops[static_cast<std::size_t>(f.index.first - 2)];
        else if (f.field == CheckedField::VolumeAtLevel)
            level = f.value + m_tank.TouchPointHeight();
        if (level >= steps.front().levelMm && level <= steps.back().levelMm + 10)
            (f.severity == Severity::Error ? errors : warnings)->append(level, capacityAt(level));
    }
    Attach(chart, capacity, x, y);
    Attach(chart, errors, x, y, errors->count() > 0);
    Attach(chart, warnings, x, y, warnings->count() > 0);
}

void ChartsWindow::acExportExecute(PictureFormat format)
{
    const auto tab = static_cast<Tab>(m_tabs->currentIndex());
    QWidget* picture = Picture(tab);
    if (!picture)
        return;
    const FormatDescriptor& d = Describe(format);
    FileDialog::Request request;
    request.title = QStringLiteral("Сохранить рисунок");
    const QString tankName = FileNameSafeText(QString::fromStdString(m_tank.Name()));
    request.fileName = (tankName.isEmpty() ? QString() : tankName + QStringLiteral(" — ")) +
                       QString::fromUtf8(kTabFileNames[tab]) + QLatin1Char('.') + QLatin1String(d.suffix);
    request.filter = QString::fromUtf8(d.filter);
    request.defaultSuffix = QLatin1String(d.suffix);
    request.save = true;
    const QString path = FileDialog::GetSaveFileName(this, request);
    if (path.isEmpty())
        return;
    if (!ExportPicture(*picture, format, path, ExportCaption(tab)))
        ReportGeneralError(this, QStringLiteral("Не удалось записать рисунок в файл %1").arg(QuotedFileName(path)));
}

QString ChartsWindow::ExportCaption(Tab tab) const
{
    const QString name = QString::fromStdString(m_tank.Name()).simplified();
    const QString what = QString::fromUtf8(kTabTitles[tab]);
    return name.isEmpty() ? what : name + QStringLiteral(" — ") + what;
}

} // namespace veloquin
