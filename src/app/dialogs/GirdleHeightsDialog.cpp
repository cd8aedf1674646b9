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

GirdleHeightsDialog::GirdleHeightsDialog(QWidget* parent, const TSteelVertCylTank& tank) : QDialog(parent), m_tank(tank)
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

    AddOkButton(*this, QStringLiteral("btnOk"), QRect(391, 302, 75, 25), [this] {
        AcceptWhenEveryInputConverts(*this, [this](TypedInputReader& in) { m_input = ReadGrid(in); });
    });

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
    m_grid->SetCell(kComputedCol, girdle, GeneralText(m_work.GirdleHeight(girdle)));
}

void GirdleHeightsDialog::FormShow()
{
    m_work = m_tank;
    m_input.clear();
    const int girdles = m_work.GirdleCount();
    m_grid->SetRowCount(girdles + 1);
    for (int n = 1; n <= girdles; ++n)
        m_work.UpdateGirdleHeight(n);
    ShowTankValues();
    StartOn(*m_grid);
}

void GirdleHeightsDialog::ShowTankValues()
{
    for (int n = 1; n <= m_work.GirdleCount(); ++n) {
        m_grid->SetCell(0, n, QStringLiteral(" ") + QString::number(n));
        m_grid->SetCell(1, n, GeneralText(m_work.GirdleHeightOuter(n)));
        m_grid->SetCell(2, n, OverlapText(m_work.OverlapBottom(n)));
        m_grid->SetCell(3, n, OverlapText(m_work.OverlapTop(n)));
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
        case 1: m_work.SetGirdleHeightOuter(girdle, TextToFloat(cell)); break;
        case 2: m_work.SetOverlapBottom(girdle, TextToFloat(cell)); break;
        case 3: m_work.SetOverlapTop(girdle, TextToFloat(cell)); break;
        default: break;
        }
    } catch (const ConvertError& error) {
        // The tank keeps the last value that converted.
        ReportGeneralError(this, error);
        return;
    }
    m_work.UpdateGirdleHeight(girdle);
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
    // shows the values typed before again, and nothing changes.
    std::vector<GirdleInput> rows;
    const bool converted = EveryInputConverts(*this, [this, &rows](TypedInputReader& in) { rows = ReadGrid(in); });
    if (!converted) {
        const GridCoord failed = m_grid->Current();
        ShowTankValues();
        m_grid->FocusCell(failed.Col, failed.Row);
        return;
    }
    for (int n = 1; n <= m_work.GirdleCount(); ++n) {
        const GirdleInput& row = rows[static_cast<std::size_t>(n - 1)];
        m_work.SetGirdleHeightOuter(n, row.outerMm);
        m_work.SetOverlapBottom(n, row.bottomMm);
        m_work.SetOverlapTop(n, row.topMm);
        m_work.UpdateGirdleHeight(n);
        ShowInnerHeight(n);
    }
}

std::vector<GirdleHeightsDialog::GirdleInput> GirdleHeightsDialog::ReadGrid(TypedInputReader& in)
{
    // A text that shows a held value exactly gives that value back unchanged;
    // a cell emptied by Cut keeps the value it held.
    const auto cell = [this, &in](int col, int girdle, double held) {
        return m_grid->Cells(col, girdle).trimmed().isEmpty() ? held : in.Cell(*m_grid, col, girdle, held);
    };
    std::vector<GirdleInput> rows;
    for (int n = 1; n <= m_work.GirdleCount(); ++n)
        rows.push_back({cell(1, n, m_work.GirdleHeightOuter(n)), cell(2, n, m_work.OverlapBottom(n)),
                        cell(3, n, m_work.OverlapTop(n))});
    return rows;
}

void GirdleHeightsDialog::ApplyToTank(TSteelVertCylTank& tank) const
{
    if (m_input.size() != static_cast<std::size_t>(tank.GirdleCount()))
        return;
    for (int n = 1; n <= tank.GirdleCount(); ++n) {
        const GirdleInput& row = m_input[static_cast<std::size_t>(n - 1)];
        tank.SetGirdleHeightOuter(n, row.outerMm);
        tank.SetOverlapBottom(n, row.bottomMm);
        tank.SetOverlapTop(n, row.topMm);
        tank.UpdateGirdleHeight(n);
    }
}

bool GirdleHeightsDialog::FormKeyDown(QKeyEvent& key)
{
    return CloseOnEscape(*this, key);
}

void OpenHeightsGirdlesDlg(TankInspectorRows& rows)
{
    GirdleHeightsDialog& dialog = rows.RowDialog<GirdleHeightsDialog>(TankRow::GirdleHeights);
    // OK has converted every cell already (the dialog stays open otherwise).
    RunRowDialog(rows, TankRow::GirdleHeights, dialog,
                 [&dialog](TSteelVertCylTank& tank) { dialog.ApplyToTank(tank); });
}

} // namespace veloquin
