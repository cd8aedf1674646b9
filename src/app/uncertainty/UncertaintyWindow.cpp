#include "UncertaintyWindow.h"

#include "ChartParts.h"
#include "GFunc.h"
#include "uncertainty/UncertaintyText.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>
#include <QVBoxLayout>
#include <QLocale>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace veloquin {
namespace {

constexpr int kMaxTrials = 1000000;
constexpr int kTrialsStep = 1000;
constexpr double kPercent = 100;
constexpr int kChartMinimumHeightPx = 300;
// Bars beyond these weigh next to nothing and leave the others no room for their names.
constexpr std::size_t kBudgetBars = 8;
const QColor kLinearColour(33, 102, 172);
const QColor kMonteCarloColour(214, 96, 77);
const QColor kStatedColour(120, 120, 120);
const QColor kExceededColour(255, 205, 205, 160);
const QColor kUColour(90, 160, 90);

QString Q(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

QDoubleSpinBox* LevelBox(const QString& name)
{
    auto* box = new QDoubleSpinBox;
    box->setObjectName(name);
    box->setDecimals(1);
    box->setLocale(ProgramNumberLocale());
    box->setRange(0, 1e6);
    box->setSuffix(QStringLiteral(" мм"));
    return box;
}

} // namespace

UncertaintyWindow::UncertaintyWindow(QWidget* owner, const TSteelVertCylTank& tank,
                                     std::function<UncertaintySettings()> settings)
    : QWidget(owner, Qt::Window), m_tank(tank), m_settings(std::move(settings))
{
    setObjectName(QStringLiteral("UncertaintyWindow"));
    setWindowTitle(QStringLiteral("Неопределённость"));
    resize(1000, 960);

    m_summary = new QLabel;
    m_summary->setObjectName(QStringLiteral("Summary"));
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_levelView = new QChartView;
    m_levelView->setObjectName(QStringLiteral("LevelChart"));
    m_levelView->setRenderHint(QPainter::Antialiasing);
    m_levelView->setToolTip(QStringLiteral("Щелчок по графику показывает бюджет на этом уровне"));
    m_levelView->viewport()->installEventFilter(this);
    m_budgetView = new QChartView;
    m_budgetView->setObjectName(QStringLiteral("BudgetChart"));
    m_budgetView->setRenderHint(QPainter::Antialiasing);
    m_levelView->setMinimumHeight(kChartMinimumHeightPx);
    m_budgetView->setMinimumHeight(kChartMinimumHeightPx);

    m_budgetLevel = LevelBox(QStringLiteral("BudgetLevel"));
    connect(m_budgetLevel, &QDoubleSpinBox::editingFinished, this, [this] { ShowBudgetAt(m_budgetLevel->value()); });

    m_intervalFrom = LevelBox(QStringLiteral("IntervalFrom"));
    m_intervalTo = LevelBox(QStringLiteral("IntervalTo"));
    auto* compute = new QPushButton(QStringLiteral("Рассчитать"));
    compute->setObjectName(QStringLiteral("ComputeInterval"));
    connect(compute, &QPushButton::clicked, this, [this] { ComputeInterval(); });
    m_intervalResult = new QLabel;
    m_intervalResult->setObjectName(QStringLiteral("IntervalResult"));
    m_intervalResult->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_trials = new QSpinBox;
    m_trials->setObjectName(QStringLiteral("MonteCarloTrials"));
    m_trials->setRange(100, kMaxTrials);
    m_trials->setSingleStep(kTrialsStep);
    m_trials->setValue(static_cast<int>(kDefaultMonteCarloTrials));
    m_monteCarloButton = new QPushButton(QStringLiteral("Проверить методом Монте-Карло"));
    m_monteCarloButton->setObjectName(QStringLiteral("StartMonteCarlo"));
    connect(m_monteCarloButton, &QPushButton::clicked, this, [this] { StartMonteCarlo(); });
    m_cancelButton = new QPushButton(QStringLiteral("Отмена"));
    m_cancelButton->setObjectName(QStringLiteral("CancelMonteCarlo"));
    m_cancelButton->setEnabled(false);
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { CancelMonteCarlo(); });
    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("MonteCarloProgress"));
    m_progress->setRange(0, 1000);
    m_progress->setValue(0);
    m_monteCarloSummary = new QLabel;
    m_monteCarloSummary->setObjectName(QStringLiteral("MonteCarloSummary"));
    m_monteCarloSummary->setWordWrap(true);

    auto* interval = new QGroupBox(QStringLiteral("Объём между двумя уровнями"));
    auto* intervalLayout = new QHBoxLayout(interval);
    intervalLayout->addWidget(new QLabel(QStringLiteral("от")));
    intervalLayout->addWidget(m_intervalFrom);
    intervalLayout->addWidget(new QLabel(QStringLiteral("до")));
    intervalLayout->addWidget(m_intervalTo);
    intervalLayout->addWidget(compute);
    intervalLayout->addWidget(m_intervalResult, 1);

    auto* monteCarlo = new QGroupBox(QStringLiteral("Метод Монте-Карло"));
    auto* monteCarloLayout = new QHBoxLayout(monteCarlo);
    monteCarloLayout->addWidget(new QLabel(QStringLiteral("Испытаний:")));
    monteCarloLayout->addWidget(m_trials);
    monteCarloLayout->addWidget(m_monteCarloButton);
    monteCarloLayout->addWidget(m_progress, 1);
    monteCarloLayout->addWidget(m_cancelButton);

    auto* budgetBar = new QHBoxLayout;
    budgetBar->addWidget(new QLabel(QStringLiteral("Бюджет на уровне:")));
    budgetBar->addWidget(m_budgetLevel);
    budgetBar->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_levelView, 3);
    layout->addLayout(budgetBar);
    layout->addWidget(m_budgetView, 2);
    layout->addWidget(interval);
    layout->addWidget(monteCarlo);
    layout->addWidget(m_monteCarloSummary);
}

UncertaintyWindow::~UncertaintyWindow()
{
    CancelMonteCarlo();
    if (m_worker)
        m_worker->wait();
}

void UncertaintyWindow::ShowTank()
{
    ++m_generation;
    CancelMonteCarlo();
    m_monteCarlo.reset();
    m_monteCarloSummary->clear();
    m_refusal.clear();
    m_linear.reset();
    try {
        UncertaintyRequest request;
        request.settings = m_settings();
        m_linear = EstimateLinear(m_tank, request);
    } catch (const UncertaintyError& error) {
        m_refusal = QString::fromUtf8(error.what());
    }
    m_monteCarloButton->setEnabled(m_linear.has_value() && !m_worker);
    if (!m_linear) {
        m_summary->setText(QStringLiteral("Неопределённость не оценивается: ") + m_refusal);
        m_levelAxis = m_relativeAxis = nullptr;
        FreshChart(*m_levelView);
        FreshChart(*m_budgetView);
        m_intervalResult->clear();
        return;
    }
    const TableUncertainty& r = *m_linear;
    QString text = QStringLiteral("Высота наполнения ") + Q(LevelUncertaintyText(r.designFill)) + QStringLiteral(", ") +
                   Q(DesignFillVerdictText(r)) + QLatin1Char('\n') + QStringLiteral("Уровень ") +
                   Q(LevelUncertaintyText(r.at500mm)) + QLatin1Char('\n');
    if (r.worstTwoMetre)
        text += QStringLiteral("Наихудший интервал 2 м: ") + Q(IntervalUncertaintyText(*r.worstTwoMetre)) +
                QLatin1Char('\n');
    text += Q(StatedErrorReachText(r));
    m_summary->setText(text);

    const double low = r.levels.front().levelMm;
    const double high = r.levels.back().levelMm;
    for (QDoubleSpinBox* box : {m_budgetLevel, m_intervalFrom, m_intervalTo})
        box->setRange(std::min(0.0, low), high);
    if (m_intervalTo->value() <= m_intervalFrom->value()) {
        m_intervalFrom->setValue(std::max(low, 0.0));
        m_intervalTo->setValue(std::min(high, std::max(low, 0.0) + 2000));
    }
    FillLevelChart();
    ShowBudgetAt(m_budgetLevel->value() > low ? m_budgetLevel->value() : r.designFill.levelMm);
    ComputeInterval();
}

void UncertaintyWindow::FillLevelChart()
{
    QChart& chart = FreshChart(*m_levelView);
    chart.setTitle(QStringLiteral("Расширенная неопределённость по уровню (k = 2)"));
    const TableUncertainty& r = *m_linear;
    QValueAxis* x = Axis(chart, Qt::AlignBottom, QStringLiteral("Уровень от точки касания, мм"));
    QValueAxis* rel = Axis(chart, Qt::AlignLeft, QStringLiteral("U/V, %"));
    m_levelAxis = x;
    m_relativeAxis = rel;
    QValueAxis* absolute = Axis(chart, Qt::AlignRight, QStringLiteral("U, м³"));
    // Its round ticks fall between the left axis's: one grid, the left one's.
    absolute->setGridLineVisible(false);

    const double stated = r.statedFraction * kPercent;
    // Near the touch point U/V grows without bound: show up to a few times the stated error.
    const double top = stated * 4;
    auto* exceededUpper = new QLineSeries;
    auto* exceededLower = new QLineSeries;
    auto* curve = new QLineSeries;
    curve->setName(QStringLiteral("U/V, линейная оценка"));
    curve->setPen(QPen(kLinearColour, 2));
    auto* uCurve = new QLineSeries;
    uCurve->setName(QStringLiteral("U, м³"));
    uCurve->setPen(QPen(kUColour, 1.5, Qt::DotLine));
    double uMax = 0;
    for (const LevelUncertainty& level : r.levels) {
        if (!(level.volumeM3 > 0))
            continue;
        const double urel = std::min(level.Urel() * kPercent, top);
        curve->append(level.levelMm, urel);
        uCurve->append(level.levelMm, level.U());
        uMax = std::max(uMax, level.U());
        if (level.Urel() > r.statedFraction) {
            exceededUpper->append(level.levelMm, top);
            exceededLower->append(level.levelMm, 0);
        }
    }
    if (exceededUpper->count() > 0) {
        auto* exceeded = new QAreaSeries(exceededUpper, exceededLower);
        // An area series does not own its bounding lines.
        exceededUpper->setParent(exceeded);
        exceededLower->setParent(exceeded);
        exceeded->setName(QStringLiteral("U/V выше указанной в протоколе"));
        exceeded->setBrush(kExceededColour);
        exceeded->setPen(Qt::NoPen);
        Attach(chart, exceeded, x, rel);
    } else {
        delete exceededUpper;
        delete exceededLower;
    }
    auto* statedLine = new QLineSeries;
    statedLine->setName(QStringLiteral("Погрешность по протоколу, %"));
    statedLine->setPen(QPen(kStatedColour, 1.5, Qt::DashLine));
    statedLine->append(r.levels.front().levelMm, stated);
    statedLine->append(r.levels.back().levelMm, stated);
    Attach(chart, statedLine, x, rel);
    Attach(chart, curve, x, rel);
    Attach(chart, uCurve, x, absolute);
    x->setRange(r.levels.front().levelMm, r.levels.back().levelMm);
    rel->setRange(0, top);
    absolute->setRange(0, uMax > 0 ? uMax * 1.1 : 1);
    if (m_monteCarlo)
        ShowMonteCarloCurve();
}

void UncertaintyWindow::ShowMonteCarloCurve()
{
    QChart* chart = m_levelView->chart();
    if (!chart || !m_monteCarlo || !m_levelAxis || !m_relativeAxis)
        return;
    auto* curve = new QLineSeries;
    curve->setName(QStringLiteral("U/V, Монте-Карло"));
    curve->setPen(QPen(kMonteCarloColour, 1.5));
    const double top = m_linear->statedFraction * kPercent * 4;
    for (const LevelUncertainty& level : m_monteCarlo->levels)
        if (level.volumeM3 > 0)
            curve->append(level.levelMm, std::min(level.Urel() * kPercent, top));
    Attach(*chart, curve, m_levelAxis, m_relativeAxis);
}

void UncertaintyWindow::ShowBudgetAt(double levelMm)
{
    QChart& chart = FreshChart(*m_budgetView);
    if (!m_linear || m_linear->levels.empty())
        return;
    const std::vector<LevelUncertainty>& levels = m_linear->levels;
    const auto nearest = std::min_element(levels.begin(), levels.end(), [levelMm](const auto& a, const auto& b) {
        return std::fabs(a.levelMm - levelMm) < std::fabs(b.levelMm - levelMm);
    });
    const auto k = static_cast<std::size_t>(nearest - levels.begin());
    const QSignalBlocker block(m_budgetLevel);
    m_budgetLevel->setValue(nearest->levelMm);
    chart.setTitle(QStringLiteral("Бюджет на уровне ") + Q(LevelUncertaintyText(*nearest)));
    chart.legend()->hide();

    std::vector<BudgetLine> budget = LevelBudget(*m_linear, k);
    if (budget.size() > kBudgetBars)
        budget.resize(kBudgetBars);
    auto* set = new QBarSet(QStringLiteral("u, м³"));
    QStringList names;
    // The largest at the top.
    for (auto line = budget.rbegin(); line != budget.rend(); ++line) {
        set->append(line->uM3);
        names.append(QString::fromUtf8(DescriptorOf(line->group).name) + QStringLiteral(" (") +
                     Q(UncertaintyPercentText(line->share)) + QLatin1Char(')'));
    }
    set->setColor(kLinearColour);
    auto* series = new QHorizontalBarSeries;
    series->setObjectName(QStringLiteral("BudgetBars"));
    series->append(set);
    chart.addSeries(series);
    auto* groups = new QBarCategoryAxis(&chart);
    groups->append(names);
    chart.addAxis(groups, Qt::AlignLeft);
    series->attachAxis(groups);
    QValueAxis* u = Axis(chart, Qt::AlignBottom, QStringLiteral("u, м³"));
    series->attachAxis(u);
}

void UncertaintyWindow::ComputeInterval()
{
    if (!m_linear) {
        m_intervalResult->clear();
        return;
    }
    UncertaintyRequest request;
    request.settings = m_linear->settings;
    request.intervals.push_back({m_intervalFrom->value(), m_intervalTo->value()});
    try {
        const std::optional<TableUncertainty> r = EstimateLinear(m_tank, request);
        const IntervalUncertainty& i = r->intervals.front();
        m_intervalResult->setText(QStringLiteral("ΔV = ") + Q(FormatDecimals(3, i.dVM3)) + QStringLiteral(" ± ") +
                                  Q(UncertaintyM3Text(i.U())) + QStringLiteral(" (") +
                                  Q(UncertaintyPercentText(i.Urel())) + QLatin1Char(')'));
    } catch (const UncertaintyError& error) {
        m_intervalResult->setText(QString::fromUtf8(error.what()));
    }
}

void UncertaintyWindow::StartMonteCarlo()
{
    if (m_worker || !m_linear)
        return;
    m_monteCarlo.reset();
    m_monteCarloSummary->clear();
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    MonteCarloOptions options;
    options.trials = m_trials->value();
    UncertaintyRequest request;
    request.settings = m_linear->settings;
    const long long generation = m_generation;
    // The run works on a copy: the user may go on editing the tank meanwhile.
    m_worker = QThread::create([this, tank = m_tank, request, options, cancel = m_cancel, generation] {
        UncertaintyControl control;
        control.cancelled = [cancel] { return cancel->load(); };
        control.progress = [this, cancel](long long done, long long total) {
            const int permille = total > 0 ? static_cast<int>(done * 1000 / total) : 0;
            QMetaObject::invokeMethod(
                this,
                [this, cancel, permille] {
                    if (!cancel->load())
                        m_progress->setValue(permille);
                },
                Qt::QueuedConnection);
        };
        std::optional<TableUncertainty> result;
        try {
            result = EstimateMonteCarlo(tank, request, options, control);
        } catch (const UncertaintyError&) {
        }
        QMetaObject::invokeMethod(
            this,
            [this, result = std::move(result), generation]() mutable { MonteCarloDone(std::move(result), generation); },
            Qt::QueuedConnection);
    });
    m_worker->setObjectName(QStringLiteral("MonteCarloThread"));
    m_progress->setValue(0);
    m_monteCarloButton->setEnabled(false);
    m_cancelButton->setEnabled(true);
    m_worker->start();
}

void UncertaintyWindow::CancelMonteCarlo()
{
    if (m_cancel)
        m_cancel->store(true);
}

void UncertaintyWindow::MonteCarloDone(std::optional<TableUncertainty> result, long long generation)
{
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
        m_worker = nullptr;
    }
    m_cancelButton->setEnabled(false);
    m_monteCarloButton->setEnabled(m_linear.has_value());
    const bool current = generation == m_generation && result;
    if (!current) {
        m_progress->setValue(0);
        m_monteCarloSummary->setText(generation == m_generation ? QStringLiteral("Расчёт прерван.") : QString());
        emit monteCarloFinished();
        return;
    }
    m_progress->setValue(m_progress->maximum());
    m_monteCarlo = std::move(result);
    const TableUncertainty& mc = *m_monteCarlo;
    m_monteCarloSummary->setText(Q(UncertaintyMethodText(mc)) + QStringLiteral(". Высота наполнения ") +
                                 Q(LevelUncertaintyText(mc.designFill)) +
                                 QStringLiteral("; u по Монте-Карло / u линейной оценки: ") +
                                 Q(FormatDecimals(3, mc.designFill.uM3 / m_linear->designFill.uM3)));
    ShowMonteCarloCurve();
    emit monteCarloFinished();
}

bool UncertaintyWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_levelView->viewport() && event->type() == QEvent::MouseButtonPress && m_linear) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        QChart* chart = m_levelView->chart();
        const QPointF scene = m_levelView->mapToScene(mouse->position().toPoint());
        const QPointF value = chart->mapToValue(chart->mapFromScene(scene));
        ShowBudgetAt(value.x());
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace veloquin
