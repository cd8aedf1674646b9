#include "SheetThicknessesDialog.h"

#include "DialogSupport.h"
#include "GFunc.h"
#include "GeneralErrorReport.h"
#include "NumberTexts.h"
#include "RowDialogOpeners.h"
#include "editing/RowDialogStep.h"
#include "TankInspectorRows.h"
#include "StringGrid.h"
#include "TankClasses.h"
#include "GridClipboardBinding.h"
#include "entry/TypedInput.h"

#include <QPushButton>

namespace veloquin {

SheetThicknessesDialog::SheetThicknessesDialog(QWidget* parent, const TSteelVertCylTank& tank) : QDialog(parent), m_tank(tank)
{
    setObjectName(QStringLiteral("ThicknessSheetsDlg"));
    SetUpMeasurementDialog(*this, QStringLiteral("Толщины листов стали по поясам"),
                           QSize(kClientWidthPx, kClientHeightPx));

    // Twelve girdles fit without scrolling.
    m_grid =
        StringGrid::InLoweredPanel(this, QRect(8, 8, 64 + 1 + 130 + 1 + 2, 219), QStringLiteral("sgThicknessSheets"));
    m_grid->SetColCount(2);
    m_grid->SetRowCount(TSteelVertCylTank::kMinGirdles);
    m_grid->SetFixedCols(1);
    m_grid->SetFixedRows(0);
    m_grid->SetColWidth(1, 130);
    m_grid->SetOptions(GridLinesOnly() | GridOption::Editing | GridOption::AlwaysShowEditor);
    // A column of thicknesses pastes from a spreadsheet like any block (Ctrl+V).
    BindGridClipboard(*this, *m_grid, GridToolBarPlace::None);

    AddOkButton(*this, QStringLiteral("OKBtn"), QRect(232, 8, 75, 25), [this] {
        if (OKBtnClick())
            accept();
    });
    AddDialogButton(*this, QStringLiteral("CancelBtn"), QStringLiteral("Отмена"), QRect(232, 39, 75, 25), Rejected);
}

void SheetThicknessesDialog::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void SheetThicknessesDialog::FormShow()
{
    const int girdles = m_tank.GirdleCount();
    m_grid->SetRowCount(girdles);
    for (int r = 0; r < girdles; ++r) {
        m_grid->SetCell(0, r, QStringLiteral("Пояс №") + QString::number(r + 1));
        m_grid->SetCell(1, r, GeneralText(m_tank.SheetThickness(r + 1)));
    }
    m_thicknessesMm.clear();
    StartOn(*m_grid);
}

bool SheetThicknessesDialog::OKBtnClick()
{
    m_thicknessesMm.clear();
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(m_grid->RowCount()));
    if (!EveryInputConverts(*this, [this, &values](TypedInputReader& in) {
            for (int r = 0; r < m_grid->RowCount(); ++r)
                values.push_back(in.Cell(*m_grid, 1, r, m_tank.SheetThickness(r + 1)));
        }))
        return false;
    m_thicknessesMm = std::move(values);
    return true;
}

void SheetThicknessesDialog::ApplyToTank(TSteelVertCylTank& tank) const
{
    if (ThicknessesRead())
        tank.SetSheetThicknesses(m_thicknessesMm);
}

void OpenThicknessSheetsDlg(TankInspectorRows& rows)
{
    SheetThicknessesDialog& dialog = rows.RowDialog<SheetThicknessesDialog>(TankRow::SheetThicknesses);
    RunRowDialog(rows, TankRow::SheetThicknesses, dialog,
                 [&dialog](TSteelVertCylTank& tank) { dialog.ApplyToTank(tank); });
}

} // namespace veloquin
