#include "DetailInputForm.h"

#include "DialogSupport.h"

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace veloquin {

std::vector<QLineEdit*> BuildDetailInputForm(QDialog& dialog, const QString& caption, const QSize& clientSize,
                                             std::initializer_list<DetailInputField> fields)
{
    SetUpMeasurementDialog(dialog, caption, clientSize);
    constexpr int kLeftPx = 24;
    constexpr int kEditWidthPx = 110;
    constexpr int kFirstTopPx = 24;
    constexpr int kRowPitchPx = 40;
    std::vector<QLineEdit*> edits;
    int top = kFirstTopPx;
    for (const DetailInputField& field : fields) {
        edits.push_back(
            AddDialogEdit(&dialog, QString::fromLatin1(field.objectName), QRect(kLeftPx, top, kEditWidthPx, 21)));
        QLabel* label = AddDialogLabel(&dialog, QString::fromUtf8(field.label),
                                       QRect(kLeftPx + kEditWidthPx + 10, top + 3, 210, 16));
        label->setBuddy(edits.back());
        top += kRowPitchPx;
    }

    const int buttonsTop = clientSize.height() - 8 - 25;
    auto* divider = new QFrame(&dialog);
    divider->setObjectName(QStringLiteral("Bevel1"));
    divider->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    divider->setGeometry(8, buttonsTop - 14, clientSize.width() - 16, 2);
    const int right = clientSize.width() - 8;
    AddDialogButton(dialog, QStringLiteral("OKBtn"), QStringLiteral("OK"), QRect(right - 156, buttonsTop, 75, 25),
                    QDialog::Accepted)
        ->setDefault(true);
    AddDialogButton(dialog, QStringLiteral("CancelBtn"), QStringLiteral("Отмена"),
                    QRect(right - 75, buttonsTop, 75, 25), QDialog::Rejected);
    return edits;
}

} // namespace veloquin
