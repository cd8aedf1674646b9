#include "VolumeAtLevelDialog.h"

#include "DialogSupport.h"
#include "GFunc.h"
#include "NumberTexts.h"
#include "RowDialogOpeners.h"
#include "editing/RowDialogStep.h"
#include "TankInspectorRows.h"
#include "TankClasses.h"
#include "entry/TypedInput.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace veloquin {
namespace {

QLabel* AddResultLabel(QWidget* parent, const QString& objectName, const QRect& geometry)
{
    QLabel* label = AddDialogLabel(parent, QString(), geometry, objectName);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

VolumeAtLevelDialog::VolumeAtLevelDialog(QWidget* parent, const TSteelVertCylTank& tank) : QDialog(parent), m_tank(tank)
{
    setObjectName(QStringLiteral("VolumeInfillDlg"));
    SetUpMeasurementDialog(*this, QStringLiteral("Объем жидкости при заданном уровне заполнения"),
                           QSize(kClientWidthPx, kClientHeightPx));
    new KeyPreview(*this, [this](QKeyEvent& key) { return FormKeyDown(key); });

    constexpr int kValueLeftPx = 232;
    constexpr int kValueWidthPx = 120;
    constexpr int kUnitLeftPx = kValueLeftPx + kValueWidthPx + 8;

    AddDialogLabel(this, QStringLiteral("Уровень заполнения:"), QRect(16, 26, 200, 16), QStringLiteral("Label1"));
    m_edDepth = AddDialogEdit(this, QStringLiteral("edDepth"), QRect(kValueLeftPx, 23, kValueWidthPx, 21));
    m_edDepth->setAlignment(Qt::AlignRight);
    m_edDepth->installEventFilter(this);
    AddDialogLabel(this, QStringLiteral("мм"), QRect(kUnitLeftPx, 26, 40, 16), QStringLiteral("Label2"));

    AddDialogLabel(this, QStringLiteral("Объем жидкости в резервуаре:"), QRect(16, 68, 200, 16),
                   QStringLiteral("Label3"));
    m_lbVolume = AddResultLabel(this, QStringLiteral("lbVolume"), QRect(kValueLeftPx, 68, kValueWidthPx, 16));
    AddDialogLabel(this, QStringLiteral("м3"), QRect(kUnitLeftPx, 68, 40, 16), QStringLiteral("Label4"));

    AddDialogLabel(this, QStringLiteral("В том числе, поправка за счет"), QRect(16, 104, 200, 16),
                   QStringLiteral("Label5"));
    AddDialogLabel(this, QStringLiteral("гидростатического давления:"), QRect(16, 120, 200, 16),
                   QStringLiteral("Label6"));
    m_lbCorrection = AddResultLabel(this, QStringLiteral("lbCorrection"), QRect(kValueLeftPx, 120, kValueWidthPx, 16));
    AddDialogLabel(this, QStringLiteral("м3"), QRect(kUnitLeftPx, 120, 40, 16), QStringLiteral("Label7"));

    m_stNotTaken = AddNotTakenNote(*this, QRect(16, 142, kClientWidthPx - 32, 30));
    // OK takes the level only when it is a number: otherwise the text is named
    // in a message and the box selected for retyping.
    QPushButton* ok = AddOkButton(*this, QStringLiteral("btnOk"), QRect(179, 176, 75, 25), [this] {
        if (!EveryInputConverts(*this, [this](TypedInputReader& in) { in.Edit(*m_edDepth, ShownLevel()); }))
            return;
        edDepthEnter();
        accept();
    });
    // Enter in the box shows the volume at the level typed; it closes nothing.
    ok->setDefault(false);
}

void VolumeAtLevelDialog::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

double VolumeAtLevelDialog::ShownLevel() const
{
    return m_work.GivenLevel() - m_work.TouchPointHeight();
}

void VolumeAtLevelDialog::FormShow()
{
    m_work = m_tank;
    m_stNotTaken->clear();
    m_edDepth->setText(GeneralText(ShownLevel()));
    m_edDepth->setFocus();
    // The focus arrives only once the window is active; the results are due now.
    edDepthEnter();
    m_edDepth->selectAll();
}

void VolumeAtLevelDialog::edDepthEnter()
{
    const QString text = m_edDepth->text();
    try {
        // The level as shown is the stored one: it is set again unchanged, not
        // read back from its text.
        if (text == GeneralText(ShownLevel()))
            m_work.SetGivenLevel(m_work.GivenLevel());
        else
            m_work.SetGivenLevel(TextToFloat(text) + m_work.TouchPointHeight());
        m_stNotTaken->clear();
        m_edDepth->setText(GeneralText(ShownLevel()));
    } catch (const ConvertError& error) {
        // Not a number: the text stays for mending, the results stay those of
        // the stored level, and the dialog says why.
        m_stNotTaken->setText(NotTakenText(text, error));
    }
    m_lbVolume->setText(FixedText(3, m_work.VolumeAtLevel()));
    m_lbCorrection->setText(FixedText(3, m_work.HydrostaticCorrectionAtLevel()));
}

void VolumeAtLevelDialog::ApplyToTank(TSteelVertCylTank& tank) const
{
    tank.SetGivenLevel(m_work.GivenLevel());
}

void VolumeAtLevelDialog::edDepthKeyDown(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        edDepthEnter();
}

bool VolumeAtLevelDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edDepth) {
        switch (event->type()) {
        case QEvent::FocusIn:
            edDepthEnter();
            // Typing replaces the level, as in every dialog that opens on a box.
            m_edDepth->selectAll();
            break;
        case QEvent::FocusOut: edDepthEnter(); break;
        case QEvent::KeyPress: edDepthKeyDown(*static_cast<QKeyEvent*>(event)); break;
        default: break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool VolumeAtLevelDialog::FormKeyDown(QKeyEvent& key)
{
    return CloseOnEscape(*this, key);
}

void OpenVolumeInfillDlg(TankInspectorRows& rows)
{
    // OK keeps the level typed last (a query: no step of its own); Esc leaves it as it was.
    VolumeAtLevelDialog& dialog = rows.RowDialog<VolumeAtLevelDialog>(TankRow::VolumeAtLevel);
    RunRowDialog(rows, TankRow::VolumeAtLevel, dialog,
                 [&dialog](TSteelVertCylTank& tank) { dialog.ApplyToTank(tank); });
}

} // namespace veloquin
