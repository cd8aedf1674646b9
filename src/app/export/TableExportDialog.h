#pragma once
// The export dialog: the calibration table as a workbook, as the CSV of
// veloquin-cli csv, every value of the tank as the JSON of veloquin-cli show, or
// as a table for a level gauge of at most N points or of the fewest points
// within a departure in litres, whose result the dialog shows before saving,
// in the units and with the separator the gauge wants (remembered).
// The gauge table is chosen in the background, with a progress bar and a
// button that stops it: a long table never freezes the window.

#include "TankClasses.h"
#include "export/GaugeTable.h"

#include <QDialog>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QProgressBar;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QGroupBox;
class QCheckBox;
class QComboBox;

namespace veloquin {

struct AppContext;
struct TableUncertainty;

enum class TableExportFormat
{
    Xlsx,
    Csv,
    Json,
    Gauge
};

struct TableExportFormatInfo
{
    TableExportFormat format;
    const char* radioName;
    const char* caption;
    const char* filter;
    const char* suffix;
};
const std::vector<TableExportFormatInfo>& TableExportFormats();

// The file of a format for a copy of the tank; gauge: of the given gauge table.
// Throws what the writers throw (TableTooLongError, WorkbookError, TankFileError).
// uncertainty: the workbook's column "U, м³" (none without).
// gaugeLayout: the gauge table's units, separator and touch-point row.
void WriteTableExport(const std::string& path, TableExportFormat format, TSteelVertCylTank tank,
                      std::int32_t fileVersion, const GaugeTable* gauge, const TableUncertainty* uncertainty = nullptr,
                      const GaugeTableLayout& gaugeLayout = GaugeTableLayout());

class TableExportDialog : public QDialog
{
    Q_OBJECT

public:
    TableExportDialog(QWidget* parent, AppContext& context);
    ~TableExportDialog() override;

    // Shows the dialog modally.
    int Run();

    TableExportFormat Format() const;
    // The gauge table the options give, or none (options not valid, a table too
    // long, or still being chosen).
    const std::optional<GaugeTable>& Gauge() const { return m_gauge; }
    bool ChoosingGauge() const { return m_job != nullptr; }
    // How the gauge table is written, as the window's choices say; remembered
    // in the settings whenever one changes.
    GaugeTableLayout GaugeLayout() const;
    // Asks for a file name and writes; true when written.
    bool ExportToChosenFile();

private:
    class GaugeJob;

    void UpdateGauge();
    void PollGauge();
    void ShowGauge();
    void ShowGaugeLayout(const GaugeTableLayout& layout);
    void StoreGaugeLayout();

    AppContext& m_context;
    std::vector<TablePoint> m_full;
    QString m_tableProblem; // why there is no table to export
    std::optional<GaugeTable> m_gauge;
    std::vector<QRadioButton*> m_formatButtons;
    QGroupBox* m_gaugeBox = nullptr;
    QCheckBox* m_uncertaintyColumn = nullptr;
    QRadioButton* m_byPoints = nullptr;
    QRadioButton* m_byError = nullptr;
    QSpinBox* m_points = nullptr;
    QLineEdit* m_maxError = nullptr;
    QComboBox* m_levelUnit = nullptr;
    QComboBox* m_volumeUnit = nullptr;
    QComboBox* m_separator = nullptr;
    QCheckBox* m_touchPointRow = nullptr;
    QLabel* m_gaugeResult = nullptr;
    QProgressBar* m_gaugeProgress = nullptr;
    QPushButton* m_gaugeCancel = nullptr;
    std::unique_ptr<GaugeJob> m_job;
    QTimer m_poll;
    QLabel* m_status = nullptr;
    QPushButton* m_export = nullptr;
};

} // namespace veloquin
