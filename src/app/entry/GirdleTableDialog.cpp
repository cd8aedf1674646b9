#include "entry/GirdleTableDialog.h"

#include "DialogSupport.h"
#include "StringGrid.h"
#include "TankClasses.h"

#include <QPushButton>

namespace veloquin {

GirdleTableDialog::GirdleTableDialog(QWidget* parent, const TSteelVertCylTank& tank, const GirdleTableLayout& layout)
    : QDialog(parent), m_tank(tank)
{
    setObjectName(QString::fromLatin1(layout.objectName));
    SetUpMeasurementDialog(*this, QString::fromUtf8(layout.caption), layout.clientSize);
    new KeyPreview(*this, [this](QKeyEvent& key) { return FormKeyDown(key); });

    AddDialogLabel(this, QStringLiteral("Только чтение"), QRect(8, 8, 200, 16), QStringLiteral("Label1"));
    // Every column in view: its width and its line, and the bevel.
    int gridWidthPx = 2;
    for (int widthPx : layout.colWidthsPx)
        gridWidthPx += widthPx + StringGrid::kLineWidthPx;
    const int cols = static_cast<int>(layout.colWidthsPx.size());
    m_grid = StringGrid::InLoweredPanel(this, QRect(8, 26, gridWidthPx, layout.gridHeightPx),
                                         QString::fromLatin1(layout.gridName));
    m_grid->SetColCount(cols);
    m_grid->SetRowCount(TSteelVertCylTank::kMinGirdles + 1);
    m_grid->SetFixedCols(1);
    m_grid->SetFixedRows(1);
    m_grid->SetOptions(GridLinesOnly());
    for (int col = 0; col < cols; ++col) {
        m_grid->SetColWidth(col, layout.colWidthsPx[static_cast<std::size_t>(col)]);
        m_grid->SetCell(col, 0, QString::fromUtf8(layout.headers[static_cast<std::size_t>(col)]));
    }

    AddDialogButton(*this, QStringLiteral("btnOk"), QStringLiteral("OK"), layout.okRect, Accepted)->setDefault(true);
}

void GirdleTableDialog::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void GirdleTableDialog::FormShow()
{
    const std::vector<QStringList> rows = Rows(m_tank);
    m_grid->SetRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int col = 0; col < rows[r].size(); ++col)
            m_grid->SetCell(col, static_cast<int>(r) + 1, rows[r][col]);
}

bool GirdleTableDialog::FormKeyDown(QKeyEvent& key)
{
    return CloseOnEscape(*this, key);
}

} // namespace veloquin
