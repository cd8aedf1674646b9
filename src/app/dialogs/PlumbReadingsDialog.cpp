#include "PlumbReadingsDialog.h"

#include "DialogSupport.h"
#include "NumberTexts.h"
#include "RowDialogOpeners.h"
#include "TankInspectorRows.h"
#include "StringGrid.h"
#include "TankClasses.h"
#include "editing/RowDialogStep.h"
#include "GridClipboardBinding.h"
#include "entry/TypedInput.h"

#include <QAction>
#include <QFrame>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

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

PlumbReadingsDialog::PlumbReadingsDialog(QWidget* parent, const TSteelVertCylTank& tank) : QDialog(parent), m_tank(tank)
{
    setObjectName(QStringLiteral("Wall_PlumbDlg"));
    SetUpMeasurementDialog(*this, QStringLiteral("Расстояние от стенки до нити отвеса"),
                           QSize(kClientWidthPx, kClientHeightPx));

    m_grid = StringGrid::InLoweredPanel(this, QRect(8, 33, kClientWidthPx - 16, 258), QStringLiteral("sgWall_Plumb"));
    m_grid->SetColCount(TSteelVertCylTank::kMinGeneratrices + 1);
    m_grid->SetRowCount(3 * TSteelVertCylTank::kMinGirdles - 2);
    m_grid->SetFixedCols(1);
    m_grid->SetFixedRows(1);
    m_grid->SetOptions(GridEditSet());
    m_grid->onMouseMove = [this](QMouseEvent&) { sgWall_PlumbMouseMove(); };
    m_grid->onKeyDown = [this](QKeyEvent& key) { sgWall_PlumbKeyDown(key); };
    BindGridClipboard(*this, *m_grid, GridToolBarPlace::TopLeft);

    m_ok = AddOkButton(*this, QStringLiteral("btnOk"), QRect(310, 302, 75, 25),
                       [this] { AcceptWhenEveryInputConverts(*this, [this](TypedInputReader& in) { ReadGrid(in); }); });
    m_cancel = AddDialogButton(*this, QStringLiteral("btnCancel"), QStringLiteral("Отмена"), QRect(391, 302, 75, 25),
                               Rejected);

    FormCreate();
}

void PlumbReadingsDialog::FormCreate()
{
    m_grid->SetColWidth(0, kHeaderColWidthPx);
}

void PlumbReadingsDialog::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void PlumbReadingsDialog::FormShow()
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
    m_distancesMm.clear();
    FitWidthToColumns();
    StartOn(*m_grid);
}

void PlumbReadingsDialog::FitWidthToColumns()
{
    // Every generatrix in view without scrolling sideways, as far as the screen
    // allows; never narrower than the dialog's own width.
    int columnsPx = m_grid->ColWidth(0) + StringGrid::kLineWidthPx;
    for (int col = 1; col < m_grid->ColCount(); ++col)
        columnsPx += m_grid->ColWidth(col) + StringGrid::kLineWidthPx;
    const int gridFramePx = 2 + m_grid->verticalScrollBar()->sizeHint().width();
    int widthPx = std::max(kClientWidthPx, columnsPx + gridFramePx + 16);
    if (const QScreen* screen = this->screen())
        widthPx = std::min(widthPx, std::max(kClientWidthPx, screen->availableGeometry().width() - 40));
    setFixedSize(widthPx, kClientHeightPx);
    QFrame* panel = m_grid->Panel();
    panel->setGeometry(panel->x(), panel->y(), widthPx - 16, panel->height());
    const int shiftPx = widthPx - kClientWidthPx;
    m_ok->move(310 + shiftPx, m_ok->y());
    m_cancel->move(391 + shiftPx, m_cancel->y());
}

void PlumbReadingsDialog::ReadGrid(TypedInputReader& in)
{
    std::vector<double> distances;
    distances.reserve(static_cast<std::size_t>(m_tank.PlumbRowCount() * m_tank.GeneratrixCount()));
    for (int row = 1; row <= m_tank.PlumbRowCount(); ++row)
        for (int g = 1; g <= m_tank.GeneratrixCount(); ++g)
            distances.push_back(in.Cell(*m_grid, g, row, m_tank.PlumbDistance(row, g)));
    m_distancesMm = std::move(distances);
}

void PlumbReadingsDialog::ApplyToTank(TSteelVertCylTank& tank) const
{
    if (m_distancesMm.size() != static_cast<std::size_t>(tank.PlumbRowCount() * tank.GeneratrixCount()))
        return;
    auto value = m_distancesMm.begin();
    for (int row = 1; row <= tank.PlumbRowCount(); ++row)
        for (int g = 1; g <= tank.GeneratrixCount(); ++g)
            tank.SetPlumbDistance(row, g, *value++);
}

void PlumbReadingsDialog::sgWall_PlumbMouseMove()
{
    m_grid->SetOptions(GridBrowseSet());
}

void PlumbReadingsDialog::sgWall_PlumbKeyDown(QKeyEvent& /*key*/)
{
    m_grid->SetOptions(GridEditSet());
}

void OpenWall_PlumbDlg(TankInspectorRows& rows)
{
    PlumbReadingsDialog& dialog = rows.RowDialog<PlumbReadingsDialog>(TankRow::PlumbDistances);
    // OK has converted every cell already (the dialog stays open otherwise).
    RunRowDialog(rows, TankRow::PlumbDistances, dialog, [&dialog](TSteelVertCylTank& tank) { dialog.ApplyToTank(tank); });
}

} // namespace veloquin
