#include "CapacityGirdleUnit.h"

#include "DialogSupport.h"
#include "NumberTexts.h"
#include "RowDialogOpeners.h"
#include "editing/RowDialogStep.h"
#include "SteelVertCylTankUnit.h"
#include "StringGrid.h"
#include "TankClasses.h"

#include <QPushButton>

namespace veloquin {
namespace {

constexpr int kColWidthsPx[] = {68, 120};

} // namespace

TCapacityGirdleDlg::TCapacityGirdleDlg(QWidget* parent, TSteelVertCylTank& tank) : QDialog(parent), m_tank(tank)
{
    setObjectName(QStringLiteral("CapacityGirdleDlg"));
    SetUpMeasurementDialog(*this, QStringLiteral("Вместимость поясов"), QSize(kClientWidthPx, kClientHeightPx));
    new KeyPreview(*this, [this](QKeyEvent& key) { return FormKeyDown(key); });

    AddDialogLabel(this, QStringLiteral("Только чтение"), QRect(8, 8, 200, 16), QStringLiteral("Label1"));
    // Both columns and the dead cavity with twelve girdles fit without scrolling.
    int gridWidthPx = 2;
    for (int widthPx : kColWidthsPx)
        gridWidthPx += widthPx + TStringGrid::kLineWidthPx;
    m_grid = TStringGrid::InLoweredPanel(this, QRect(8, 26, gridWidthPx, 281), QStringLiteral("sgCapacityGirdle"));
    m_grid->SetColCount(2);
    m_grid->SetRowCount(TSteelVertCylTank::kMinGirdles + 2);
    m_grid->SetFixedCols(1);
    m_grid->SetFixedRows(1);
    m_grid->SetOptions(GridLinesOnly());

    AddDialogButton(*this, QStringLiteral("btnOk"), QStringLiteral("OK"), QRect(210, 315, 75, 25), Accepted)
        ->setDefault(true);

    FormCreate();
}

void TCapacityGirdleDlg::FormCreate()
{
    for (int col = 0; col < 2; ++col)
        m_grid->SetColWidth(col, kColWidthsPx[col]);
    m_grid->SetCell(0, 0, QString());
    m_grid->SetCell(1, 0, QStringLiteral("Вместимость пояса"));
}

void TCapacityGirdleDlg::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TCapacityGirdleDlg::FormShow()
{
    const int girdles = m_tank.GirdleCount();
    m_grid->SetRowCount(girdles + 2);
    m_grid->SetCell(0, 1, QStringLiteral("Мертв. пол."));
    m_grid->SetCell(1, 1, FixedText(3, m_tank.DeadCavityCapacity()));
    for (int n = 1; n <= girdles; ++n) {
        m_grid->SetCell(0, n + 1, QStringLiteral("Пояс №") + QString::number(n));
        m_grid->SetCell(1, n + 1, FixedText(3, m_tank.GirdleCapacity(n)));
    }
}

bool TCapacityGirdleDlg::FormKeyDown(QKeyEvent& key)
{
    return CloseOnEscape(*this, key);
}

void OpenCapacityGirdleDlg(TankInspectorRows& rows)
{
    RunRowDialog(rows, TankRow::GirdleCapacities, rows.RowDialog<TCapacityGirdleDlg>(TankRow::GirdleCapacities));
}

} // namespace veloquin
