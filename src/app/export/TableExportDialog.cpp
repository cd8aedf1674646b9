#include "export/TableExportDialog.h"

#include "AppContext.h"
#include "AppFont.h"
#include "CalibrationCsv.h"
#include "CalibrationText.h"
#include "DialogSupport.h"
#include "FileIo.h"
#include "GFunc.h"
#include "TableWorkbook.h"
#include "TankJson.h"
#include "UncertaintyActions.h"
#include "export/GaugeTableSettings.h"
#include "export/SaveChosenFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <atomic>
#include <thread>

namespace veloquin {
namespace {

constexpr int kDefaultGaugePoints = 100;
// How often the window looks at the choice under way.
constexpr int kGaugePollMs = 50;
constexpr int kProgressSteps = 1000;
// Wide enough for the gauge result on two lines.
constexpr int kMinimumWidthPx = 560;

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

// The separators a gauge table can be written with, in the list's order.
struct GaugeSeparatorChoice
{
    std::optional<char> separator;
    const char* caption;
};
const GaugeSeparatorChoice kGaugeSeparators[] = {
    {std::nullopt, "как в программе"},
    {'.', "точка"},
    {',', "запятая"},
};

} // namespace

const std::vector<TableExportFormatInfo>& TableExportFormats()
{
    static const std::vector<TableExportFormatInfo> formats = {
        {TableExportFormat::Xlsx, "rbXlsx", "Книга Excel: таблица, доли сантиметра, исходные данные",
         "Книга Excel (*.xlsx)", "xlsx"},
        {TableExportFormat::Csv, "rbCsv", "Таблица CSV (пояс; уровень, мм; вместимость, м³)", "Таблица CSV (*.csv)",
         "csv"},
        {TableExportFormat::Json, "rbJson", "Все данные резервуара в JSON", "JSON (*.json)", "json"},
        {TableExportFormat::Gauge, "rbGauge", "Таблица для уровнемера", "Таблица для уровнемера (*.csv)", "csv"},
    };
    return formats;
}

void WriteTableExport(const std::string& path, TableExportFormat format, TSteelVertCylTank tank,
                      std::int32_t fileVersion, const GaugeTable* gauge, const TableUncertainty* uncertainty,
                      const GaugeTableLayout& gaugeLayout)
{
    switch (format) {
    case TableExportFormat::Xlsx: WriteTableWorkbook(path, tank, uncertainty); return;
    case TableExportFormat::Csv: ReplaceFile(path, cli::CalibrationTableCsv(tank)); return;
    case TableExportFormat::Json: {
        LoadedTank loaded{std::move(tank), fileVersion};
        ReplaceFile(path, cli::TankToJson(loaded));
        return;
    }
    case TableExportFormat::Gauge:
        if (gauge)
            ReplaceFile(path, GaugeTableText(*gauge, tank, gaugeLayout));
        return;
    }
}

// One choice of a gauge table on a thread of its own. The window only reads what
// it has finished (after `done`) and asks it to stop; nothing on the thread
// touches a widget. Dropping a job stops it and waits for its thread.
class TableExportDialog::GaugeJob
{
public:
    GaugeJob(const std::vector<TablePoint>& full, std::optional<int> points, double litres)
    {
        m_thread = std::thread([this, &full, points, litres] {
            const GaugeProgress progress = [this](double fraction) {
                m_progress.store(static_cast<int>(fraction * kProgressSteps), std::memory_order_relaxed);
                return !m_cancel.load(std::memory_order_relaxed);
            };
            try {
                m_result =
                    points ? GaugeTableOfPoints(full, *points, progress) : GaugeTableWithin(full, litres, progress);
            } catch (const GaugeTableCancelled&) {
                m_error = QStringLiteral("Выбор точек остановлен.");
            } catch (const std::exception& error) {
                m_error = QString::fromUtf8(error.what());
            }
            m_done.store(true, std::memory_order_release);
        });
    }
    GaugeJob(const GaugeJob&) = delete;
    GaugeJob& operator=(const GaugeJob&) = delete;
    ~GaugeJob()
    {
        Cancel();
        m_thread.join();
    }

    void Cancel() { m_cancel.store(true, std::memory_order_relaxed); }
    int Progress() const { return m_progress.load(std::memory_order_relaxed); }
    bool Done() const { return m_done.load(std::memory_order_acquire); }
    // After Done.
    const std::optional<GaugeTable>& Result() const { return m_result; }
    const QString& Error() const { return m_error; }

private:
    std::atomic<bool> m_cancel{false};
    std::atomic<int> m_progress{0};
    std::atomic<bool> m_done{false};
    std::optional<GaugeTable> m_result;
    QString m_error;
    std::thread m_thread;
};

TableExportDialog::TableExportDialog(QWidget* parent, AppContext& context) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("TableExportDlg"));
    setWindowTitle(QStringLiteral("Экспорт таблицы"));
    setFont(UiFont());
    setMinimumWidth(kMinimumWidthPx);
    auto* layout = new QVBoxLayout(this);

    auto* formatBox = new QGroupBox(QStringLiteral("Формат"), this);
    auto* formatLayout = new QVBoxLayout(formatBox);
    for (const TableExportFormatInfo& info : TableExportFormats()) {
        auto* button = new QRadioButton(QString::fromUtf8(info.caption), formatBox);
        button->setObjectName(QLatin1String(info.radioName));
        formatLayout->addWidget(button);
        m_formatButtons.push_back(button);
        connect(button, &QRadioButton::toggled, this, [this] { UpdateGauge(); });
    }
    m_formatButtons.front()->setChecked(true);
    // The workbook's column of U, off unless asked for.
    m_uncertaintyColumn = new QCheckBox(QStringLiteral("Книга Excel: столбец «U, м³» (неопределённость)"), formatBox);
    m_uncertaintyColumn->setObjectName(QStringLiteral("cbUncertaintyColumn"));
    formatLayout->addWidget(m_uncertaintyColumn);
    layout->addWidget(formatBox);

    m_gaugeBox = new QGroupBox(QStringLiteral("Таблица для уровнемера"), this);
    m_gaugeBox->setObjectName(QStringLiteral("gbGauge"));
    auto* gaugeLayout = new QVBoxLayout(m_gaugeBox);
    auto* pointsRow = new QHBoxLayout;
    m_byPoints = new QRadioButton(QStringLiteral("Не более точек:"), m_gaugeBox);
    m_byPoints->setObjectName(QStringLiteral("rbGaugePoints"));
    m_byPoints->setChecked(true);
    m_points = new QSpinBox(m_gaugeBox);
    m_points->setObjectName(QStringLiteral("sePoints"));
    m_points->setRange(kMinGaugePoints, kMaxGaugePoints);
    m_points->setValue(kDefaultGaugePoints);
    pointsRow->addWidget(m_byPoints);
    pointsRow->addWidget(m_points);
    pointsRow->addStretch();
    auto* errorRow = new QHBoxLayout;
    m_byError = new QRadioButton(QStringLiteral("Наименьшее число точек при отклонении не более, л:"), m_gaugeBox);
    m_byError->setObjectName(QStringLiteral("rbGaugeError"));
    m_maxError = new QLineEdit(Text(FloatToStr(1)), m_gaugeBox);
    m_maxError->setObjectName(QStringLiteral("edMaxError"));
    m_maxError->setMaximumWidth(80);
    errorRow->addWidget(m_byError);
    errorRow->addWidget(m_maxError);
    errorRow->addStretch();
    // How the file is written; the choice of points does not depend on it.
    auto* layoutRow = new QHBoxLayout;
    const auto addCombo = [&](const QString& caption, const char* name) {
        auto* label = new QLabel(caption, m_gaugeBox);
        auto* combo = new QComboBox(m_gaugeBox);
        combo->setObjectName(QLatin1String(name));
        label->setBuddy(combo);
        layoutRow->addWidget(label);
        layoutRow->addWidget(combo);
        return combo;
    };
    m_levelUnit = addCombo(QStringLiteral("Уровень:"), "cbGaugeLevelUnit");
    for (const GaugeLevelUnitInfo& unit : GaugeLevelUnits())
        m_levelUnit->addItem(QString::fromUtf8(unit.shown));
    m_volumeUnit = addCombo(QStringLiteral("Объем:"), "cbGaugeVolumeUnit");
    for (const GaugeVolumeUnitInfo& unit : GaugeVolumeUnits())
        m_volumeUnit->addItem(QString::fromUtf8(unit.shown));
    m_separator = addCombo(QStringLiteral("Разделитель:"), "cbGaugeSeparator");
    for (const GaugeSeparatorChoice& choice : kGaugeSeparators)
        m_separator->addItem(QString::fromUtf8(choice.caption));
    layoutRow->addStretch();
    m_touchPointRow =
        new QCheckBox(QStringLiteral("Первая строка — точка касания рулетки (уровень 0, объем ниже первого уровня)"),
                      m_gaugeBox);
    m_touchPointRow->setObjectName(QStringLiteral("cbGaugeTouchPointRow"));
    ShowGaugeLayout(ReadGaugeTableLayout(m_context.settings));
    for (QComboBox* combo : {m_levelUnit, m_volumeUnit, m_separator})
        connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { StoreGaugeLayout(); });
    connect(m_touchPointRow, &QCheckBox::toggled, this, [this] { StoreGaugeLayout(); });
    m_gaugeResult = new QLabel(m_gaugeBox);
    m_gaugeResult->setObjectName(QStringLiteral("lbGaugeResult"));
    m_gaugeResult->setWordWrap(true);
    // Room for the result's two lines from the start, so that the dialog never jumps.
    m_gaugeResult->setMinimumHeight(2 * m_gaugeResult->fontMetrics().lineSpacing() + 4);
    auto* progressRow = new QHBoxLayout;
    m_gaugeProgress = new QProgressBar(m_gaugeBox);
    m_gaugeProgress->setObjectName(QStringLiteral("pbGauge"));
    m_gaugeProgress->setRange(0, kProgressSteps);
    m_gaugeCancel = new QPushButton(QStringLiteral("Остановить"), m_gaugeBox);
    m_gaugeCancel->setObjectName(QStringLiteral("btnGaugeCancel"));
    progressRow->addWidget(m_gaugeProgress);
    progressRow->addWidget(m_gaugeCancel);
    // Kept in the layout when hidden, so that the dialog never jumps.
    for (QWidget* widget : {static_cast<QWidget*>(m_gaugeProgress), static_cast<QWidget*>(m_gaugeCancel)}) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
        widget->hide();
    }
    gaugeLayout->addLayout(pointsRow);
    gaugeLayout->addLayout(errorRow);
    gaugeLayout->addLayout(layoutRow);
    gaugeLayout->addWidget(m_touchPointRow);
    gaugeLayout->addWidget(m_gaugeResult);
    gaugeLayout->addLayout(progressRow);
    connect(m_gaugeCancel, &QPushButton::clicked, this, [this] {
        if (m_job)
            m_job->Cancel();
    });
    m_poll.setInterval(kGaugePollMs);
    connect(&m_poll, &QTimer::timeout, this, &TableExportDialog::PollGauge);
    layout->addWidget(m_gaugeBox);
    connect(m_byPoints, &QRadioButton::toggled, this, [this] { UpdateGauge(); });
    connect(m_points, qOverload<int>(&QSpinBox::valueChanged), this, [this] { UpdateGauge(); });
    connect(m_maxError, &QLineEdit::textChanged, this, [this] { UpdateGauge(); });

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lbStatus"));
    m_status->setWordWrap(true);
    layout->addWidget(m_status);

    auto* buttons = new QHBoxLayout;
    m_export = new QPushButton(QStringLiteral("Сохранить…"), this);
    m_export->setObjectName(QStringLiteral("btnExport"));
    m_export->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    buttons->addStretch();
    buttons->addWidget(m_export);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(m_export, &QPushButton::clicked, this, [this] { ExportToChosenFile(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    // The table is computed once, from a copy: the dialog never moves the tank's level.
    try {
        TSteelVertCylTank copy = m_context.Tank();
        m_full = PrintedTable(copy);
        if (m_full.empty())
            m_tableProblem =
                QStringLiteral("В таблице нет ни одного уровня: мертвая полость выше проектной высоты заполнения.");
    } catch (const TableTooLongError& error) {
        m_tableProblem = Text(error.what());
    }
    UpdateGauge();
}

TableExportDialog::~TableExportDialog() = default;

int TableExportDialog::Run()
{
    return ShowModalCentred(*this);
}

TableExportFormat TableExportDialog::Format() const
{
    for (std::size_t k = 0; k < m_formatButtons.size(); ++k)
        if (m_formatButtons[k]->isChecked())
            return TableExportFormats()[k].format;
    return TableExportFormat::Xlsx;
}

void TableExportDialog::UpdateGauge()
{
    if (!m_export) // still being built
        return;
    const bool gauge = Format() == TableExportFormat::Gauge;
    m_gaugeBox->setEnabled(gauge);
    m_points->setEnabled(m_byPoints->isChecked());
    m_maxError->setEnabled(m_byError->isChecked());
    m_gauge.reset();
    m_job.reset();
    m_poll.stop();
    m_gaugeProgress->hide();
    m_gaugeCancel->hide();
    if (!m_tableProblem.isEmpty()) {
        m_gaugeResult->setText(m_tableProblem);
        m_export->setEnabled(Format() == TableExportFormat::Json);
        return;
    }
    if (!gauge) {
        m_gaugeResult->clear();
        m_export->setEnabled(true);
        return;
    }
    std::optional<int> points;
    double litres = 0;
    if (m_byPoints->isChecked()) {
        points = m_points->value();
    } else if (!TryStrToFloat(m_maxError->text().toStdString(), litres)) {
        m_gaugeResult->setText(QStringLiteral("Допустимое отклонение — не число."));
        m_export->setEnabled(false);
        return;
    }
    // A new choice replaces the one under way, which stops at once.
    m_job.reset();
    m_job = std::make_unique<GaugeJob>(m_full, points, litres);
    m_export->setEnabled(false);
    m_gaugeResult->setText(QStringLiteral("Выбираются точки…"));
    m_gaugeProgress->setValue(0);
    m_gaugeProgress->show();
    m_gaugeCancel->show();
    m_poll.start();
}

void TableExportDialog::PollGauge()
{
    if (!m_job)
        return;
    m_gaugeProgress->setValue(m_job->Progress());
    if (!m_job->Done())
        return;
    m_poll.stop();
    m_gaugeProgress->hide();
    m_gaugeCancel->hide();
    const std::unique_ptr<GaugeJob> job = std::move(m_job);
    if (!job->Result()) {
        m_gaugeResult->setText(job->Error());
        m_export->setEnabled(false);
        return;
    }
    m_gauge = job->Result();
    ShowGauge();
}

void TableExportDialog::ShowGauge()
{
    const GaugeDeparture& largest = m_gauge->largest;
    QString text = QStringLiteral("Точек: %1 из %2.\nНаибольшее отклонение от полной таблицы: %3 л")
                       .arg(m_gauge->points.size())
                       .arg(m_gauge->fullLevels)
                       .arg(Text(FormatDecimals(1, largest.litres)));
    if (largest.litres > 0) {
        text += QStringLiteral(" на уровне %1 мм").arg(Text(FloatToStr(largest.levelMm)));
        if (largest.percent)
            text += QStringLiteral(" (%1 % объема)").arg(Text(FormatDecimals(4, *largest.percent)));
    }
    m_gaugeResult->setText(text + QLatin1Char('.'));
    m_export->setEnabled(true);
}

GaugeTableLayout TableExportDialog::GaugeLayout() const
{
    GaugeTableLayout layout;
    layout.levelUnit = GaugeLevelUnits()[static_cast<std::size_t>(m_levelUnit->currentIndex())].unit;
    layout.volumeUnit = GaugeVolumeUnits()[static_cast<std::size_t>(m_volumeUnit->currentIndex())].unit;
    layout.decimalSeparator = kGaugeSeparators[m_separator->currentIndex()].separator;
    layout.touchPointRow = m_touchPointRow->isChecked();
    return layout;
}

void TableExportDialog::ShowGaugeLayout(const GaugeTableLayout& layout)
{
    const auto indexOf = [](const auto& items, auto wanted, auto valueOf) {
        int index = 0;
        for (const auto& item : items) {
            if (valueOf(item) == wanted)
                return index;
            ++index;
        }
        return 0;
    };
    m_levelUnit->setCurrentIndex(
        indexOf(GaugeLevelUnits(), layout.levelUnit, [](const GaugeLevelUnitInfo& info) { return info.unit; }));
    m_volumeUnit->setCurrentIndex(
        indexOf(GaugeVolumeUnits(), layout.volumeUnit, [](const GaugeVolumeUnitInfo& info) { return info.unit; }));
    m_separator->setCurrentIndex(indexOf(kGaugeSeparators, layout.decimalSeparator,
                                         [](const GaugeSeparatorChoice& choice) { return choice.separator; }));
    m_touchPointRow->setChecked(layout.touchPointRow);
}

void TableExportDialog::StoreGaugeLayout()
{
    try {
        WriteGaugeTableLayout(m_context.settings, GaugeLayout());
    } catch (const SettingsWriteError&) {
        // The settings file says why when the program ends and writes the rest;
        // the choice holds for this window.
    }
}

bool TableExportDialog::ExportToChosenFile()
{
    const TableExportFormat format = Format();
    const TableExportFormatInfo& info = TableExportFormats()[static_cast<std::size_t>(format)];
    if (format == TableExportFormat::Gauge && !m_gauge)
        return false;
    const GaugeTable* gauge = m_gauge ? &*m_gauge : nullptr;
    const GaugeTableLayout gaugeLayout = GaugeLayout();
    std::shared_ptr<const TableUncertainty> uncertainty;
    if (format == TableExportFormat::Xlsx && m_uncertaintyColumn->isChecked())
        uncertainty = UncertaintyBudgetToPrint(m_context);
    return SaveChosenFile(this, m_status, QStringLiteral("Экспорт таблицы"), QString::fromUtf8(info.filter),
                          QLatin1String(info.suffix), [&](const std::string& path) {
                              WriteTableExport(path, format, m_context.Tank(), m_context.editing.FileVersion(), gauge,
                                               uncertainty.get(), gaugeLayout);
                          });
}

} // namespace veloquin
