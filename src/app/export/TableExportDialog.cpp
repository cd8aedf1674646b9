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
#include "export/SaveChosenFile.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace veloquin {
namespace {

constexpr int kDefaultGaugePoints = 100;
// Wide enough for the gauge result on two lines.
constexpr int kMinimumWidthPx = 560;

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

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
                      std::int32_t fileVersion, const GaugeTable* gauge, const TableUncertainty* uncertainty)
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
            ReplaceFile(path, GaugeTableText(*gauge, tank));
        return;
    }
}

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
    m_gaugeResult = new QLabel(m_gaugeBox);
    m_gaugeResult->setObjectName(QStringLiteral("lbGaugeResult"));
    m_gaugeResult->setWordWrap(true);
    // Room for the result's two lines from the start, so that the dialog never jumps.
    m_gaugeResult->setMinimumHeight(2 * m_gaugeResult->fontMetrics().lineSpacing() + 4);
    gaugeLayout->addLayout(pointsRow);
    gaugeLayout->addLayout(errorRow);
    gaugeLayout->addWidget(m_gaugeResult);
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
        TSteelVertCylTank copy = m_context.tank;
        m_full = PrintedTable(copy);
        if (m_full.empty())
            m_tableProblem = QStringLiteral("В таблице нет ни одного уровня: мертвая полость выше проектной высоты заполнения.");
    } catch (const TableTooLongError& error) {
        m_tableProblem = Text(error.what());
    }
    UpdateGauge();
}

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
    try {
        if (m_byPoints->isChecked()) {
            m_gauge = GaugeTableOfPoints(m_full, m_points->value());
        } else {
            double litres = 0;
            if (!TryStrToFloat(m_maxError->text().toStdString(), litres))
                throw GaugeTableError("Допустимое отклонение — не число.");
            m_gauge = GaugeTableWithin(m_full, litres);
        }
    } catch (const GaugeTableError& error) {
        m_gaugeResult->setText(Text(error.what()));
        m_export->setEnabled(false);
        return;
    }
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

bool TableExportDialog::ExportToChosenFile()
{
    const TableExportFormat format = Format();
    const TableExportFormatInfo& info = TableExportFormats()[static_cast<std::size_t>(format)];
    if (format == TableExportFormat::Gauge && !m_gauge)
        return false;
    const GaugeTable* gauge = m_gauge ? &*m_gauge : nullptr;
    std::shared_ptr<const TableUncertainty> uncertainty;
    if (format == TableExportFormat::Xlsx && m_uncertaintyColumn->isChecked())
        uncertainty = UncertaintyBudgetToPrint(m_context);
    return SaveChosenFile(this, m_status, QStringLiteral("Экспорт таблицы"), QString::fromUtf8(info.filter),
                          QLatin1String(info.suffix), [&](const std::string& path) {
                              WriteTableExport(path, format, m_context.tank, m_context.tankFileVersion, gauge,
                                               uncertainty.get());
                          });
}

} // namespace veloquin
