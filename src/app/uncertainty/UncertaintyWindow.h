#pragma once
// "Неопределённость" (menu "Резервуар"): U/V and U of the table against the
// level, with the error the protocol states as a line and the levels where the
// table exceeds it shaded; the budget of the level last clicked (or typed), as
// bars; the volume between two levels with its U; and a Monte Carlo check run in
// the background, with its progress, a cancel and its curve beside the linear
// one. It shows the tank as it is after every change.

#include "TankClasses.h"
#include "uncertainty/TableUncertainty.h"

#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QAreaSeries;
class QChart;
class QChartView;
class QDoubleSpinBox;
class QLabel;
class QLineSeries;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QThread;
class QValueAxis;

namespace veloquin {

class UncertaintyWindow : public QWidget
{
    Q_OBJECT

public:
    // The settings are asked for at each estimate (the dialog may change them).
    UncertaintyWindow(QWidget* owner, const TSteelVertCylTank& tank, std::function<UncertaintySettings()> settings);
    ~UncertaintyWindow() override;

    // Estimates the tank as it is now; a Monte Carlo run of the tank before is dropped.
    void ShowTank();
    // The budget at the printed level nearest to levelMm.
    void ShowBudgetAt(double levelMm);
    void ComputeInterval();
    void StartMonteCarlo();
    void CancelMonteCarlo();

    const std::optional<TableUncertainty>& Linear() const { return m_linear; }
    const std::optional<TableUncertainty>& MonteCarlo() const { return m_monteCarlo; }
    bool MonteCarloRunning() const { return m_worker != nullptr; }
    QChartView* LevelView() const { return m_levelView; }
    QChartView* BudgetView() const { return m_budgetView; }

signals:
    void monteCarloFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillLevelChart();
    void ShowMonteCarloCurve();
    void MonteCarloDone(std::optional<TableUncertainty> result, long long generation);

    const TSteelVertCylTank& m_tank;
    std::function<UncertaintySettings()> m_settings;
    std::optional<TableUncertainty> m_linear;
    std::optional<TableUncertainty> m_monteCarlo;
    QString m_refusal;

    QLabel* m_summary = nullptr;
    QChart* m_levelChart = nullptr;
    QChartView* m_levelView = nullptr;
    QValueAxis* m_levelAxis = nullptr;    // of the level chart shown
    QValueAxis* m_relativeAxis = nullptr; // U/V, %
    QChart* m_budgetChart = nullptr;
    QChartView* m_budgetView = nullptr;
    QDoubleSpinBox* m_budgetLevel = nullptr;
    QDoubleSpinBox* m_intervalFrom = nullptr;
    QDoubleSpinBox* m_intervalTo = nullptr;
    QLabel* m_intervalResult = nullptr;
    QSpinBox* m_trials = nullptr;
    QPushButton* m_monteCarloButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_monteCarloSummary = nullptr;

    QThread* m_worker = nullptr;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    long long m_generation = 0; // counts the tanks shown; a run of an older one is dropped
};

} // namespace veloquin
