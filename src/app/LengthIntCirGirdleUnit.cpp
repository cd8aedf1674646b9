#include "LengthIntCirGirdleUnit.h"

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

constexpr int kColWidthsPx[] = {64, 84, 114, 144};

} // namespace

TLengthIntCirGirdleDlg::TLengthIntCirGirdleDlg(QWidget* parent, TSteelVertCylTank& tank) : QDialog(parent), m_tank(tank)
{
    setObjectName(QStringLiteral("LengthIntCirGirdleDlg"));
    SetUpMeasurementDialog(*this, QStringLiteral("Длины внутренних окружностей поясов"),
                           QSize(kClientWidthPx, kClientHeightPx));
    new KeyPreview(*this, [this](QKeyEvent& key) { return FormKeyDown(key); });

    AddDialogLabel(this, QStringLiteral("Только чтение"), QRect(8, 8, 200, 16), QStringLiteral("Label1"));
    int gridWidthPx = 2;
    for (int widthPx : kColWidthsPx)
        gridWidthPx += widthPx + TStringGrid::kLineWidthPx;
    m_grid = TStringGrid::InLoweredPanel(this, QRect(8, 26, gridWidthPx, 270), QStringLiteral("sgLengthIntCirGirdle"));
    m_grid->SetColCount(4);
    m_grid->SetRowCount(TSteelVertCylTank::kMinGirdles + 1);
    m_grid->SetFixedCols(1);
    m_grid->SetFixedRows(1);
    m_grid->SetOptions(GridLinesOnly());
    for (int col = 0; col < 4; ++col)
        m_grid->SetColWidth(col, kColWidthsPx[col]);
    m_grid->SetCell(1, 0, QStringLiteral("Длина вн. окр."));
    m_grid->SetCell(2, 0, QStringLiteral("Ср. расст. до отвеса"));
    m_grid->SetCell(3, 0, QStringLiteral("Ср. рад. откл. образующих"));

    AddDialogButton(*this, QStringLiteral("btnOk"), QStringLiteral("OK"), QRect(8 + gridWidthPx - 75, 310, 75, 25),
                    Accepted)
        ->setDefault(true);
}

void TLengthIntCirGirdleDlg::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TLengthIntCirGirdleDlg::FormShow()
{
    const int girdles = m_tank.GirdleCount();
    m_grid->SetRowCount(girdles + 1);
    for (int n = 1; n <= girdles; ++n) {
        m_grid->SetCell(0, n, QStringLiteral("Пояс №") + QString::number(n));
        m_grid->SetCell(1, n, FixedText(1, m_tank.IntCircumference(n)));
        m_grid->SetCell(2, n, FixedText(1, m_tank.MeanPlumbDistance(n)));
        m_grid->SetCell(3, n, FixedText(1, m_tank.MeanRadialDeviation(n)));
    }
}

bool TLengthIntCirGirdleDlg::FormKeyDown(QKeyEvent& key)
{
    return CloseOnEscape(*this, key);
}

void OpenLengthIntCirGirdleDlg(TankInspectorRows& rows)
{
    RunRowDialog(rows, TankRow::IntCircumferences, rows.RowDialog<TLengthIntCirGirdleDlg>(TankRow::IntCircumferences));
}

} // namespace veloquin
