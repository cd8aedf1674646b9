#pragma once
// The comparison of the tank's table with a previous calibration: the previous
// table from a tank file or a CSV file, then a window with the volumes level by
// level, the capacity differences girdle by girdle and a plot of the difference
// along the height with the stated error marked on both sides. The comparison
// can be saved as CSV or as a workbook.

#include "export/TableComparison.h"

#include <QDialog>
#include <QString>

#include <optional>

class QChartView;
class QLabel;
class QTableWidget;

namespace veloquin {

struct AppContext;

// The previous table from a file chosen by the user: a ".vlq" tank file, any
// other name a CSV table. A file that cannot be read is said in a message box
// and gives none.
std::optional<ComparedTable> LoadPreviousTable(QWidget* parent, const QString& path);

// Asks for the previous file, compares and shows the window; nothing happens
// when the user cancels or the file cannot be used.
void CompareWithPrevious(QWidget* parent, AppContext& context);

class TableComparisonWindow : public QDialog
{
    Q_OBJECT

public:
    TableComparisonWindow(QWidget* parent, TableComparison comparison);

    const TableComparison& Comparison() const { return m_comparison; }
    // Ask for a file name and write; true when written.
    bool SaveCsv();
    bool SaveXlsx();

private:
    void FillLevels();
    void FillGirdles();
    QChartView* MakeChart();

    TableComparison m_comparison;
    QTableWidget* m_levels = nullptr;
    QTableWidget* m_girdles = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace veloquin
