#include "DetailInputDialog.h"

#include "DialogSupport.h"
#include "entry/TypedInput.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace veloquin {

DetailInputDialog::DetailInputDialog(QWidget* parent, const QString& caption, const QSize& clientSize,
                                 std::initializer_list<DetailInputField> fields)
    : QDialog(parent)
{
    SetUpMeasurementDialog(*this, caption, clientSize);
    constexpr int kLeftPx = 24;
    constexpr int kEditWidthPx = 110;
    constexpr int kFirstTopPx = 24;
    constexpr int kRowPitchPx = 40;
    int top = kFirstTopPx;
    for (const DetailInputField& field : fields) {
        m_edits.push_back(
            AddDialogEdit(this, QString::fromLatin1(field.objectName), QRect(kLeftPx, top, kEditWidthPx, 21)));
        QLabel* label =
            AddDialogLabel(this, QString::fromUtf8(field.label), QRect(kLeftPx + kEditWidthPx + 10, top + 3, 210, 16));
        label->setBuddy(m_edits.back());
        top += kRowPitchPx;
        m_keptTexts.append(QString());
    }

    const int buttonsTop = clientSize.height() - 8 - 25;
    auto* divider = new QFrame(this);
    divider->setObjectName(QStringLiteral("Bevel1"));
    divider->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    divider->setGeometry(8, buttonsTop - 14, clientSize.width() - 16, 2);
    const int right = clientSize.width() - 8;
    AddOkButton(*this, QStringLiteral("OKBtn"), QRect(right - 156, buttonsTop, 75, 25), [this] {
        if (!AcceptWhenEveryInputConverts(*this, [this](TypedInputReader& in) { ReadFields(in); }))
            return;
        for (std::size_t i = 0; i < m_edits.size(); ++i)
            m_keptTexts[static_cast<int>(i)] = m_edits[i]->text();
    });
    AddDialogButton(*this, QStringLiteral("CancelBtn"), QStringLiteral("Отмена"), QRect(right - 75, buttonsTop, 75, 25),
                    QDialog::Rejected);
}

void DetailInputDialog::showEvent(QShowEvent* event)
{
    for (std::size_t i = 0; i < m_edits.size(); ++i)
        m_edits[i]->setText(m_keptTexts.value(static_cast<int>(i)));
    StartOn(*m_edits.front());
    QDialog::showEvent(event);
}

} // namespace veloquin
