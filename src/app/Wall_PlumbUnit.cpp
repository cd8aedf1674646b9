#include "Wall_PlumbUnit.h"

#include "ClipbrdUnit.h"
#include "DialogSupport.h"
#include "GFunc.h"
#include "GeneralErrorReport.h"
#include "GridClipboardActions.h"
#include "NumberTexts.h"
#include "RowDialogOpeners.h"
#include "editing/RowDialogStep.h"
#include "SteelVertCylTankUnit.h"
#include "StringGrid.h"
#include "TankClasses.h"

#include <QAction>
#include <QPushButton>

namespace veloquin {

QString PlumbRowLabel(int row)
{
    if (row == 1)
        return QStringLiteral("1 пояс 3/4 h");
    // Rows 3n - 4, 3n - 3 and 3n - 2 belong to girdle n.
    static const char* const kPlaces[] = {" пояс низ", " пояс сер.", " пояс верх"};
    const int girdle = (row + 4) / 3;
    return QString::number(girdle) + QString::fromUtf8(kPlaces[(row + 4) % 3]);
}

TWall_PlumbDlg::TWall_PlumbDlg(QWidget* parent, TSteelVertCylTank& tank) : QDialog(parent), m_tank(tank)
{
    setObjectName(QStringLiteral("Wall_PlumbDlg"));
    SetUpMeasurementDialog(*this, QStringLiteral("Расстояние от стенки до нити отвеса"),
                           QSize(kClientWidthPx, kClientHeightPx));

    const GridClipboardActions actions = CreateGridClipboardActions(this);
    actions.toolBar->move(0, 0);
    connect(actions.acSelAll, &QAction::triggered, this, &TWall_PlumbDlg::acSelAllExecute);
    connect(actions.acCopy, &QAction::triggered, this, &TWall_PlumbDlg::acCopyExecute);
    connect(actions.acCut, &QAction::triggered, this, &TWall_PlumbDlg::acCutExecute);
    connect(actions.acPaste, &QAction::triggered, this, &TWall_PlumbDlg::acPasteExecute);

    m_grid = TStringGrid::InLoweredPanel(this, QRect(8, 33, kClientWidthPx - 16, 258), QStringLiteral("sgWall_Plumb"));
    m_grid->SetColCount(TSteelVertCylTank::kMinGeneratrices + 1);
    m_grid->SetRowCount(3 * TSteelVertCylTank::kMinGirdles - 2);
    m_grid->SetFixedCols(1);
    m_grid->SetFixedRows(1);
    m_grid->SetOptions(GridEditSet());
    m_grid->onMouseMove = [this](QMouseEvent&) { sgWall_PlumbMouseMove(); };
    m_grid->onKeyDown = [this](QKeyEvent& key) { sgWall_PlumbKeyDown(key); };

    AddDialogButton(*this, QStringLiteral("btnOk"), QStringLiteral("OK"), QRect(310, 302, 75, 25), Accepted)
        ->setDefault(true);
    AddDialogButton(*this, QStringLiteral("btnCancel"), QStringLiteral("Отмена"), QRect(391, 302, 75, 25), Rejected);

    FormCreate();
}

void TWall_PlumbDlg::FormCreate()
{
    m_grid->SetColWidth(0, kHeaderColWidthPx);
}

void TWall_PlumbDlg::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TWall_PlumbDlg::FormShow()
{
    const int points = m_tank.PlumbRowCount();
    const int generatrices = m_tank.GeneratrixCount();
    m_grid->SetRowCount(points + 1);
    m_grid->SetColCount(generatrices + 1);
    m_grid->SetCell(0, 0, QString());
    for (int g = 1; g <= generatrices; ++g)
        m_grid->SetCell(g, 0, QStringLiteral(" Обр. №") + QString::number(g));
    for (int row = 1; row <= points; ++row) {
        m_grid->SetCell(0, row, PlumbRowLabel(row));
        for (int g = 1; g <= generatrices; ++g)
            m_grid->SetCell(g, row, GeneralText(m_tank.PlumbDistance(row, g)));
    }
    m_grid->setFocus();
}

void TWall_PlumbDlg::ApplyToTank()
{
    for (int row = 1; row <= m_tank.PlumbRowCount(); ++row)
        for (int g = 1; g <= m_tank.GeneratrixCount(); ++g)
            m_tank.SetPlumbDistance(row, g, TypedFloat(m_grid->Cells(g, row), m_tank.PlumbDistance(row, g)));
}

void TWall_PlumbDlg::sgWall_PlumbMouseMove()
{
    m_grid->SetOptions(GridBrowseSet());
}

void TWall_PlumbDlg::sgWall_PlumbKeyDown(QKeyEvent& /*key*/)
{
    m_grid->SetOptions(GridEditSet());
}

void TWall_PlumbDlg::acSelAllExecute()
{
    SelectAllGridCells(*m_grid);
}

void TWall_PlumbDlg::acCopyExecute()
{
    CopyGridRange(*m_grid, m_grid->Selection());
}

void TWall_PlumbDlg::acCutExecute()
{
    CutGridRange(*m_grid, m_grid->Selection());
}

void TWall_PlumbDlg::acPasteExecute()
{
    PasteGridText(*m_grid, m_grid->Col(), m_grid->Row());
}

void OpenWall_PlumbDlg(TankInspectorRows& rows)
{
    TWall_PlumbDlg& dialog = rows.RowDialog<TWall_PlumbDlg>(TankRow::PlumbDistances);
    RunRowDialog(rows, TankRow::PlumbDistances, dialog, [&dialog] {
        try {
            dialog.ApplyToTank();
        } catch (const ConvertError& error) {
            ReportGeneralError(dialog.parentWidget(), error);
        }
    });
}

} // namespace veloquin
