#include "ExternalCircumferenceDialog.h"

#include "DialogSupport.h"
#include "GFunc.h"
#include "GeneralErrorReport.h"
#include "NumberTexts.h"
#include "RowDialogOpeners.h"
#include "TankInspectorRows.h"
#include "StringGrid.h"
#include "TankClasses.h"
#include "editing/RowDialogStep.h"
#include "GridClipboardBinding.h"
#include "entry/TypedInput.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include <algorithm>

namespace veloquin {

ExternalCircumferenceDialog::ExternalCircumferenceDialog(QWidget* parent, const TSteelVertCylTank& tank) : QDialog(parent), m_tank(tank)
{
    setObjectName(QStringLiteral("LengthExtCirDlg"));
    SetUpMeasurementDialog(*this, QStringLiteral("Длина внешней окружности первого пояса"),
                           QSize(kClientWidthPx, kClientHeightPx));

    AddDialogLabel(this, QStringLiteral("Результаты измерений длины внешней окружности первого пояса"),
                   QRect(8, 8, 417, 16), QStringLiteral("Label1"));
    AddDialogLabel(this, QStringLiteral("Первое измерение:"), QRect(24, 38, 112, 16), QStringLiteral("Label2"));
    m_edMeas1 = AddDialogEdit(this, QStringLiteral("edMeas1"), QRect(140, 35, 121, 21));
    AddDialogLabel(this, QStringLiteral("Второе измерение:"), QRect(24, 66, 112, 16), QStringLiteral("Label3"));
    m_edMeas2 = AddDialogEdit(this, QStringLiteral("edMeas2"), QRect(140, 63, 121, 21));

    auto* divider = new QFrame(this);
    divider->setObjectName(QStringLiteral("Bevel1"));
    divider->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    divider->setGeometry(8, 94, 417, 2);

    AddDialogLabel(this, QStringLiteral("Поправка на обход вертикальных сварных швов"), QRect(8, 106, 250, 16),
                   QStringLiteral("Label4"));
    m_rbTableCorr = new QRadioButton(QStringLiteral("по таблице"), this);
    m_rbTableCorr->setObjectName(QStringLiteral("rbTableCorr"));
    m_rbTableCorr->setGeometry(24, 132, 150, 18);
    m_rbTableCorr->setChecked(true);
    m_rbMeasuredCorr = new QRadioButton(QStringLiteral("вручную"), this);
    m_rbMeasuredCorr->setObjectName(QStringLiteral("rbMeasuredCorr"));
    m_rbMeasuredCorr->setGeometry(24, 156, 150, 18);
    connect(m_rbTableCorr, &QRadioButton::toggled, this, &ExternalCircumferenceDialog::rbTableCorrClick);
    connect(m_rbMeasuredCorr, &QRadioButton::toggled, this, &ExternalCircumferenceDialog::rbMeasuredCorrClick);

    // One 100 px column with its vertical scroll bar, nine rows in view.
    const int scrollBarPx = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int panelWidthPx = 100 + StringGrid::kLineWidthPx + scrollBarPx + 2;
    const int panelHeightPx = 9 * (StringGrid::kDefaultRowHeightPx + StringGrid::kLineWidthPx) + 2;
    m_grid =
        StringGrid::InLoweredPanel(this, QRect(kClientWidthPx - 8 - panelWidthPx, 106, panelWidthPx, panelHeightPx),
                                    QStringLiteral("StringGridCorr"));
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->SetColCount(1);
    m_grid->SetRowCount(kCorrectionGridRows);
    m_grid->SetFixedCols(0);
    m_grid->SetFixedRows(1);
    m_grid->SetColWidth(0, 100);
    m_grid->SetOptions(GridEditSet());
    m_grid->SetCell(0, 0, QStringLiteral("Поправка, мм"));
    m_grid->Panel()->hide();
    // The corrections paste as a column (Ctrl+V); the measurement boxes keep their own paste.
    // Bound once: a second binding would add a second set of window-wide
    // shortcuts, and Qt answers ambiguous shortcuts with none at all.
    BindGridClipboard(*this, *m_grid, GridToolBarPlace::None);

    AddOkButton(*this, QStringLiteral("btnOk"), QRect(262, 268, 75, 25), [this] {
        if (!AcceptWhenEveryInputConverts(*this, [this](TypedInputReader& in) { m_input = ReadInput(in); }))
            return;
        m_keptCorrections.clear();
        for (int i = 1; i < kCorrectionGridRows; ++i)
            m_keptCorrections.append(m_grid->Cells(0, i));
    });
    AddDialogButton(*this, QStringLiteral("btnCancel"), QStringLiteral("Отмена"), QRect(350, 268, 75, 25), Rejected);
}

void ExternalCircumferenceDialog::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void ExternalCircumferenceDialog::FormShow()
{
    m_edMeas1->setText(GeneralText(m_tank.ExtCircumferenceMeasured1()));
    m_edMeas2->setText(GeneralText(m_tank.ExtCircumferenceMeasured2()));
    // The choice follows the tank: kept from an earlier showing (or another
    // file), an OK meant for a measurement would swap typed corrections for the
    // table's, or the other way round.
    const int stored = m_tank.WeldCorrectionCount();
    const bool manual = stored >= 0;
    (manual ? m_rbMeasuredCorr : m_rbTableCorr)->setChecked(true);
    m_input = Input();
    StartOn(*m_edMeas1);
    if (!manual) {
        // The grid holds what it held at the last OK (a list kept aside while
        // the table is chosen), never the texts of an attempt abandoned since.
        for (int i = 1; i < kCorrectionGridRows; ++i)
            m_grid->SetCell(0, i, m_keptCorrections.value(i - 1));
        return;
    }
    // The grid holds exactly the stored list: a text left below it would join
    // the list at the next OK.
    const int count = std::min(stored, kCorrectionGridRows - 1);
    for (int i = 1; i < kCorrectionGridRows; ++i)
        m_grid->SetCell(0, i, i <= count ? GeneralText(m_tank.WeldCorrection(i)) : QString());
}

void ExternalCircumferenceDialog::rbTableCorrClick()
{
    if (m_rbTableCorr->isChecked())
        m_grid->Panel()->hide();
}

void ExternalCircumferenceDialog::rbMeasuredCorrClick()
{
    if (m_rbMeasuredCorr->isChecked())
        m_grid->Panel()->show();
}

ExternalCircumferenceDialog::Input ExternalCircumferenceDialog::ReadInput(TypedInputReader& in) const
{
    Input input;
    input.read = true;
    input.measured1Mm = in.Edit(*m_edMeas1, m_tank.ExtCircumferenceMeasured1());
    input.measured2Mm = in.Edit(*m_edMeas2, m_tank.ExtCircumferenceMeasured2());
    input.tableCorrection = m_rbTableCorr->isChecked();
    if (!input.tableCorrection) {
        const int stored = m_tank.WeldCorrectionCount();
        for (int i = 1; i < kCorrectionGridRows; ++i) {
            if (m_grid->Cells(0, i).isEmpty())
                break;
            input.corrections.push_back(i <= stored ? in.Cell(*m_grid, 0, i, m_tank.WeldCorrection(i))
                                                    : in.Cell(*m_grid, 0, i));
        }
    }
    return input;
}

void ExternalCircumferenceDialog::ApplyToTank(TSteelVertCylTank& tank) const
{
    const Input& input = m_input;
    if (!input.read)
        return;
    if (input.tableCorrection) {
        tank.SetWeldCorrectionCount(-1);
    } else {
        const int count = static_cast<int>(input.corrections.size());
        tank.SetWeldCorrectionCount(count);
        for (int i = 1; i <= count; ++i)
            tank.SetWeldCorrection(i, input.corrections[static_cast<std::size_t>(i - 1)]);
    }
    // Recomputes the circumference with the corrections just set.
    tank.SetExtCircumferenceMeasurements(input.measured1Mm, input.measured2Mm);
}

void OpenLengthExtCirDlg(TankInspectorRows& rows)
{
    ExternalCircumferenceDialog& dialog = rows.RowDialog<ExternalCircumferenceDialog>(TankRow::ExtCircumference);
    // OK has converted every cell already (the dialog stays open otherwise).
    RunRowDialog(rows, TankRow::ExtCircumference, dialog, [&dialog](TSteelVertCylTank& tank) { dialog.ApplyToTank(tank); });
}

} // namespace veloquin
