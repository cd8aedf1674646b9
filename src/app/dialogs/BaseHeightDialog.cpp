#include "BaseHeightDialog.h"

#include "DialogSupport.h"
#include "GFunc.h"
#include "GeneralErrorReport.h"
#include "NumberTexts.h"
#include "RowDialogOpeners.h"
#include "editing/RowDialogStep.h"
#include "TankInspectorRows.h"
#include "TankClasses.h"
#include "entry/TypedInput.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace veloquin {

BaseHeightDialog::BaseHeightDialog(QWidget* parent, const TSteelVertCylTank& tank) : QDialog(parent), m_tank(tank)
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

    // Both texts are converted before either is written: a text that is not a
    // number is reported and selected, and the dialog stays open.
    AddOkButton(*this, QStringLiteral("btnOk"), QRect(208, 138, 75, 25), [this] {
        if (!EveryInputConverts(*this, [this](TypedInputReader& in) {
                m_meas1Mm = in.Edit(*m_edBaseHeight1, m_tank.BaseHeightMeas1());
                m_meas2Mm = in.Edit(*m_edBaseHeight2, m_tank.BaseHeightMeas2());
            }))
            return;
        accept();
    });
    AddDialogButton(*this, QStringLiteral("btnCancel"), QStringLiteral("Отмена"), QRect(289, 138, 75, 25), Rejected);
}

void BaseHeightDialog::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void BaseHeightDialog::FormShow()
{
    m_edBaseHeight1->setText(GeneralText(m_tank.BaseHeightMeas1()));
    m_edBaseHeight2->setText(GeneralText(m_tank.BaseHeightMeas2()));
    StartOn(*m_edBaseHeight1);
}

void BaseHeightDialog::ApplyToTank(TSteelVertCylTank& tank) const
{
    tank.SetBaseHeightMeas1(m_meas1Mm);
    tank.SetBaseHeightMeas2(m_meas2Mm);
    tank.UpdateBaseHeight();
}

void OpenBaseHeightDlg(TankInspectorRows& rows)
{
    BaseHeightDialog& dialog = rows.RowDialog<BaseHeightDialog>(TankRow::BaseHeight);
    // OK has converted both measurements already (the dialog stays open otherwise).
    RunRowDialog(rows, TankRow::BaseHeight, dialog, [&dialog](TSteelVertCylTank& tank) { dialog.ApplyToTank(tank); });
}

} // namespace veloquin
