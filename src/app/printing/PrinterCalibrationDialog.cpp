#include "PrinterCalibrationDialog.h"

#include "AppFont.h"
#include "NumberTexts.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace veloquin {

PrinterCalibrationDialog::PrinterCalibrationDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Калибровка принтера"));
    setFont(UiFont());

    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Поправки в масштабные коэффициенты"), this);
    auto* grid = new QGridLayout(group);
    const auto addRow = [&](int row, const QString& caption) {
        auto* edit = new QLineEdit(QStringLiteral("0"), group);
        grid->addWidget(new QLabel(caption, group), row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("мм"), group), row, 2);
        return edit;
    };
    m_edX = addRow(0, QStringLiteral("Сдвиг по X:"));
    m_edY = addRow(1, QStringLiteral("Сдвиг по Y:"));
    m_edScalX = addRow(2, QStringLiteral("Масштаб по X:"));
    m_edScalY = addRow(3, QStringLiteral("Масштаб по Y:"));
    layout->addWidget(group);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void PrinterCalibrationDialog::ShowValues(double dXCalibrMm, double dYCalibrMm, double dXScalMm, double dYScalMm)
{
    m_edX->setText(GeneralText(dXCalibrMm));
    m_edY->setText(GeneralText(dYCalibrMm));
    m_edScalX->setText(GeneralText(dXScalMm));
    m_edScalY->setText(GeneralText(dYScalMm));
}

} // namespace veloquin
