#include "BaseHeightUnit.h"

#include "DialogSupport.h"
#include "GFunc.h"
#include "GeneralErrorReport.h"
#include "NumberTexts.h"
#include "RowDialogOpeners.h"
#include "editing/RowDialogStep.h"
#include "SteelVertCylTankUnit.h"
#include "TankClasses.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace veloquin {

TBaseHeightDlg::TBaseHeightDlg(QWidget* parent, TSteelVertCylTank& tank) : QDialog(parent), m_tank(tank)
{
    setObjectName(QStringLiteral("BaseHeightDlg"));
    SetUpMeasurementDialog(*this, QStringLiteral("Базовая высота"), QSize(kClientWidthPx, kClientHeightPx));

    QLabel* heading =
        AddDialogLabel(this, QStringLiteral("БАЗОВАЯ ВЫСОТА:"), QRect(16, 14, 200, 16), QStringLiteral("Label1"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    AddDialogLabel(this, QStringLiteral("Первое измерение"), QRect(16, 46, 160, 16), QStringLiteral("Label2"));
    AddDialogLabel(this, QStringLiteral("Второе измерение"), QRect(196, 46, 160, 16), QStringLiteral("Label3"));
    m_edBaseHeight1 = AddDialogEdit(this, QStringLiteral("edBaseHeight_1"), QRect(16, 64, 160, 21));
    m_edBaseHeight2 = AddDialogEdit(this, QStringLiteral("edBaseHeight_2"), QRect(196, 64, 160, 21));

    auto* divider = new QFrame(this);
    divider->setObjectName(QStringLiteral("Bevel1"));
    divider->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    divider->setGeometry(8, 118, kClientWidthPx - 16, 2);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setGeometry(208, 138, 75, 25);
    ok->setDefault(true);
    // The click applies before the dialog closes; a text that is not a number is
    // reported and the dialog closes all the same, as any OK does.
    connect(ok, &QPushButton::clicked, this, [this] {
        try {
            btnOkClick();
        } catch (const ConvertError& error) {
            ReportGeneralError(this, error);
        }
        accept();
    });
    AddDialogButton(*this, QStringLiteral("btnCancel"), QStringLiteral("Отмена"), QRect(289, 138, 75, 25), Rejected);
}

void TBaseHeightDlg::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TBaseHeightDlg::FormShow()
{
    m_edBaseHeight1->setText(GeneralText(m_tank.BaseHeightMeas1()));
    m_edBaseHeight2->setText(GeneralText(m_tank.BaseHeightMeas2()));
}

void TBaseHeightDlg::btnOkClick()
{
    // A first text that is not a number changes nothing.
    m_tank.SetBaseHeightMeas1(TypedFloat(m_edBaseHeight1->text(), m_tank.BaseHeightMeas1()));
    try {
        m_tank.SetBaseHeightMeas2(TypedFloat(m_edBaseHeight2->text(), m_tank.BaseHeightMeas2()));
    } catch (const ConvertError&) {
        // The first measurement stays applied; the base height is still the
        // mean of what the tank holds, not of the measurements before.
        m_tank.UpdateBaseHeight();
        throw;
    }
    m_tank.UpdateBaseHeight();
}

void OpenBaseHeightDlg(TankInspectorRows& rows)
{
    // The dialog writes the measurements itself when OK is pressed.
    RunRowDialog(rows, TankRow::BaseHeight, rows.RowDialog<TBaseHeightDlg>(TankRow::BaseHeight));
}

} // namespace veloquin
