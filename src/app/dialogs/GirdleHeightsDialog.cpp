#include "GirdleHeightsDialog.h"

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

#include <QAction>
#include <QKeyEvent>
#include <QPushButton>

namespace veloquin {
namespace {

constexpr int kHeaderColWidthPx = 70;
constexpr int kValueColWidthPx = 95;

} // namespace

GirdleHeightsDialog::GirdleHeightsDialog(QWidget* parent, TSteelVertCylTank& tank) : QDialog(parent), m_tank(tank)
{
    setObjectName(QStringLiteral("HeightsGirdlesDlg"));
    SetUpMeasurementDialog(*this, QStringLiteral("Высоты поясов"), QSize(kClientWidthPx, kClientHeightPx));
    new KeyPreview(*this, [this](QKeyEvent& key) { return FormKeyDown(key); });

    m_grid = StringGrid::InLoweredPanel(this, QRect(8, 33, kClientWidthPx - 16, 258), QStringLiteral("sgHeightsGir"));
    m_grid->SetColCount(5);
    m_grid->SetRowCount(TSteelVertCylTank::kMinGirdles + 1);
    m_grid->SetFixedCols(1);
    m_grid->SetFixedRows(1);
    m_grid->SetColWidth(0, kHeaderColWidthPx);
    for (int col = 1; col <= kComputedCol; ++col)
        m_grid->SetColWidth(col, kValueColWidthPx);
    m_grid->SetOptions(GridEditSet());
    m_grid->onSetEditText = [this](int col, int row, const QString& text) { sgHeightsGirSetEditText(col, row, text); };
    m_grid->onKeyPress = [this](QChar& key) { sgHeightsGirKeyPress(key); };
    m_grid->onKeyDown = [this](QKeyEvent& key) { sgHeightsGirKeyDown(key); };
    m_grid->onMouseMove = [this](QMouseEvent&) { sgHeightsGirMouseMove(); };
    // Cut leaves the tank as it is: the values stay until typed or pasted again.
    BindGridClipboard(*this, *m_grid, GridToolBarPlace::TopLeft, [this] { acPasteExecute(); });

    QPushButton* ok =
        AddDialogButton(*this, QStringLiteral("btnOk"), QStringLiteral("OK"), QRect(391, 302, 75, 25), Accepted);
    ok->setDefault(true);

    FormCreate();
}

GirdleHeightsDialog::~GirdleHeightsDialog() = default;

void GirdleHeightsDialog::FormCreate()
{
    const QString headers[] = {QStringLiteral(" № Пояса"), QStringLiteral(" H нар."), QStringLiteral(" ± Низ"),
                               QStringLiteral(" ± Верх"), QStringLiteral(" H внутр.")};
    for (int col = 0; col < 5; ++col)
        m_grid->SetCell(col, 0, headers[col]);
}

void GirdleHeightsDialog::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

QString GirdleHeightsDialog::OverlapText(double mm)
{
    return (mm > 0 ? QStringLiteral("+") : QString()) + GeneralText(mm);
}

void GirdleHeightsDialog::ShowInnerHeight(int girdle)
{
    m_grid->SetCell(kComputedCol, girdle, GeneralText(m_tank.GirdleHeight(girdle)));
}

void GirdleHeightsDialog::FormShow()
{
    const int girdles = m_tank.GirdleCount();
    m_grid->SetRowCount(girdles + 1);
    for (int n = 1; n <= girdles; ++n)
        m_tank.UpdateGirdleHeight(n);
    ShowTankValues();
    StartOn(*m_grid);
}

void GirdleHeightsDialog::ShowTankValues()
{
    for (int n = 1; n <= m_tank.GirdleCount(); ++n) {
        m_grid->SetCell(0, n, QStringLiteral(" ") + QString::number(n));
        m_grid->SetCell(1, n, GeneralText(m_tank.GirdleHeightOuter(n)));
        m_grid->SetCell(2, n, OverlapText(m_tank.OverlapBottom(n)));
        m_grid->SetCell(3, n, OverlapText(m_tank.OverlapTop(n)));
        ShowInnerHeight(n);
    }
}

void GirdleHeightsDialog::sgHeightsGirSetEditText(int /*col*/, int /*row*/, const QString& text)
{
    // A sign alone is a number being typed, not yet one.
    if (text.isEmpty() || text == QLatin1String("-") || text == QLatin1String("+"))
        return;
    const int girdle = m_grid->Row();
    const int col = m_grid->Col();
    try {
        const QString cell = m_grid->Cells(col, girdle);
        switch (col) {
        case 1: m_tank.SetGirdleHeightOuter(girdle, TextToFloat(cell)); break;
        case 2: m_tank.SetOverlapBottom(girdle, TextToFloat(cell)); break;
        case 3: m_tank.SetOverlapTop(girdle, TextToFloat(cell)); break;
        default: break;
        }
    } catch (const ConvertError& error) {
        // The tank keeps the last value that converted.
        ReportGeneralError(this, error);
        return;
    }
    m_tank.UpdateGirdleHeight(girdle);
    ShowInnerHeight(girdle);
}

void GirdleHeightsDialog::sgHeightsGirKeyPress(QChar& key)
{
    // Both separators: a typed number reads either (TextToFloat).
    const bool passes = key.isDigit() || key == QLatin1Char(',') || key == QLatin1Char('.') ||
                        key == QLatin1Char('+') || key == QLatin1Char('-') || key == QLatin1Char('\b') ||
                        key == QLatin1Char('\r');
    if (!passes || key.unicode() > 127)
        key = QChar();
}

void GirdleHeightsDialog::sgHeightsGirKeyDown(QKeyEvent& /*key*/)
{
    m_grid->SetOptions(m_grid->Col() == kComputedCol ? GridBrowseSet() : GridEditSet());
}

void GirdleHeightsDialog::sgHeightsGirMouseMove()
{
    m_grid->SetOptions(GridBrowseSet());
}

void GirdleHeightsDialog::acPasteExecute()
{
    // Every cell of the columns typed in is converted before any is written: a
    // pasted block with one cell that is not a number is reported, the grid
    // shows the tank's values again, and nothing changes.
    struct Row
    {
        double outerMm, bottomMm, topMm;
    };
    std::vector<Row> rows;
    const bool converted = EveryInputConverts(*this, [this, &rows](TypedInputReader& in) {
        for (int n = 1; n <= m_tank.GirdleCount(); ++n)
            rows.push_back({in.Cell(*m_grid, 1, n, m_tank.GirdleHeightOuter(n)),
                            in.Cell(*m_grid, 2, n, m_tank.OverlapBottom(n)),
                            in.Cell(*m_grid, 3, n, m_tank.OverlapTop(n))});
    });
    if (!converted) {
        const GridCoord failed = m_grid->Current();
        ShowTankValues();
        m_grid->FocusCell(failed.Col, failed.Row);
        return;
    }
    for (int n = 1; n <= m_tank.GirdleCount(); ++n) {
        const Row& row = rows[static_cast<std::size_t>(n - 1)];
        m_tank.SetGirdleHeightOuter(n, row.outerMm);
        m_tank.SetOverlapBottom(n, row.bottomMm);
        m_tank.SetOverlapTop(n, row.topMm);
        m_tank.UpdateGirdleHeight(n);
        ShowInnerHeight(n);
    }
}

bool GirdleHeightsDialog::FormKeyDown(QKeyEvent& key)
{
    return CloseOnEscape(*this, key);
}

void OpenHeightsGirdlesDlg(TankInspectorRows& rows)
{
    // However it closes, what was typed is in the tank already.
    RunRowDialog(rows, TankRow::GirdleHeights, rows.RowDialog<GirdleHeightsDialog>(TankRow::GirdleHeights));
}

} // namespace veloquin
